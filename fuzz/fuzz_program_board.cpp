// Fuzzes the search for a program's Board line and the resolution of the
// name it finds, over a file system where every other file exists.
#include "port/program_board.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const scanbench::BoardFileSearch search{
        "/programs", "/shipped/boards",
        [](const std::filesystem::path& path) { return path.string().size() % 2 == 0; }};
    if (const auto line = scanbench::FindBoardLine(text)) {
        if (line->Line < 1 || line->Name.size() > size) {
            std::abort();
        }
        (void)scanbench::ResolveBoardLine(*line, search);
    }
    return 0;
}
