// Fuzzes the parser of the runner's --switches text and applies what it
// accepts to the demo board.
#include "board/chip_board.h"
#include "board/demo_board.h"
#include "cli/switch_settings.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = scanbench::ParseSwitchSettings(text);
    if (const auto* settings = std::get_if<std::vector<scanbench::SwitchSetting>>(&parsed)) {
        // Read once: each input gets a fresh board built from the same files.
        static const scanbench::BoardDefinition demo = scanbench::DemoBoard();
        scanbench::ChipBoard board(demo);
        (void)scanbench::ApplySwitchSettings(*settings, board);
    }
    return 0;
}
