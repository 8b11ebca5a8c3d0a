// Fuzzes the board file reader: the input is the board file, and every BSDL
// file it names is the demo board's teaching chip. Whatever it says must
// give a board or one refusal naming the file, and a board it gives can be
// built and clocked.
#include "board/board_file.h"
#include "board/chip_board.h"
#include "board/demo_board.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto source = [&text](const std::filesystem::path& path) -> scanbench::SourceFile {
        if (path == "board.json") {
            return {text, {}};
        }
        return scanbench::BuiltInDataFile("bsdl/scanbench-u1.bsd");
    };
    auto board = scanbench::ReadBoardFile("board.json", source);
    if (const auto* refusal = std::get_if<std::string>(&board)) {
        if (!refusal->starts_with("board.json")) {
            __builtin_trap();
        }
        return 0;
    }
    scanbench::ChipBoard chips(std::get<scanbench::BoardDefinition>(std::move(board)));
    for (std::size_t s = 0; s < chips.Switches().size(); ++s) {
        chips.SetSwitch(s, ~std::uint64_t{0});
    }
    for (std::uint8_t lines = 0; lines < 64; ++lines) {
        chips.Drive(lines);
    }
    return 0;
}
