// Fuzzes the reading of program files, as the window's Open and the runner
// take them: the checks that refuse a file and the conversion to the editor's
// text, which must end every line in LF alone and keep every other byte.
#include "engine/program/program_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (CheckProgramFileSize(size) != ProgramFileProblem::None) {
        return 0;
    }
    const ProgramFileProblem problem = CheckProgramFile(bytes);
    (void)ProgramFileProblemText(problem);
    if (problem != ProgramFileProblem::None) {
        return 0;
    }
    const std::string text = EditorTextFromFile(bytes);
    const auto count = [](std::string_view s, char c) { return std::count(s.begin(), s.end(), c); };
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    }
    // CR LF and CR become LF; nothing else changes.
    if (count(text, '\r') != 0 || text.size() > body.size() ||
        text.size() + static_cast<std::size_t>(count(body, '\r') - count(text, '\n') +
                                               count(body, '\n')) !=
            body.size()) {
        std::abort();
    }
    return 0;
}
