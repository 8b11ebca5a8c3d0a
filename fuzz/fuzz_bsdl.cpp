// Fuzzes the BSDL reader with arbitrary text. Whatever it reads must give a
// chip or a refusal, never a crash; a chip it gives runs on a board, and a
// refusal names a place inside the text.
#include "board/bsdl_reader.h"
#include "board/chip_board.h"
#include "board/chip_from_bsdl.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto read = scanbench::ReadBsdl(text);
    if (const auto* error = std::get_if<scanbench::BsdlError>(&read)) {
        const auto lines = static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
        if (error->At.Line < 1 || error->At.Line > lines || error->At.Column < 1 ||
            error->Message.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    auto chip = scanbench::ChipFromBsdl(std::get<scanbench::BsdlFile>(read), "U1");
    if (auto* described = std::get_if<scanbench::ChipDescription>(&chip)) {
        scanbench::ChipBoard board({{0, std::move(*described)}});
        // Reset, then through every state with some data: all-ones into the
        // instruction register (BYPASS) and a few data bits.
        for (const std::uint8_t lines :
             {0x02, 0x03, 0x02, 0x03, 0x00, 0x01, 0x02, 0x03, 0x02, 0x03, 0x00,
              0x01, 0x04, 0x05, 0x06, 0x07, 0x02, 0x03, 0x00, 0x01, 0x02, 0x03,
              0x00, 0x01, 0x00, 0x01, 0x04, 0x05, 0x06, 0x07, 0x02, 0x03}) {
            board.Drive(lines);
        }
    }
    return 0;
}
