# Writes a C++ source holding files under data/ as string literals, so the
# program carries the demo board without looking for files at run time.
#   cmake -DROOT=<data folder> -DFILES=a,b,c -DOUTPUT=<source> -P EmbedData.cmake
string(REPLACE "," ";" files "${FILES}")
set(delimiter "scanbench_data")
set(entries "")
foreach(file IN LISTS files)
  file(READ "${ROOT}/${file}" text)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${file} holds the delimiter )${delimiter}\"")
  endif()
  string(APPEND entries "    {\"${file}\", R\"${delimiter}(${text})${delimiter}\"},\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from data/ by cmake/EmbedData.cmake: do not edit.
#include \"embedded_data.h\"

namespace scanbench {

namespace {
constexpr EmbeddedFile Files[] = {
${entries}};
} // namespace

std::span<const EmbeddedFile> EmbeddedDataFiles() {
    return Files;
}

} // namespace scanbench
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
