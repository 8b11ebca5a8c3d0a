// Fuzzes the parser of fault lists (the settings' "faults", the Faults
// panel's text, one --fault at a time) and puts what it accepts on the
// interconnect board; what it writes must read back the same.
#include "board/chip_board.h"
#include "board/demo_board.h"
#include "board/net_faults.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = scanbench::ParseFaultChoice(text);
    if (const auto* choice = std::get_if<scanbench::FaultChoice>(&parsed)) {
        const auto again = scanbench::ParseFaultChoice(scanbench::FaultChoiceText(*choice));
        const auto* same = std::get_if<scanbench::FaultChoice>(&again);
        if (same == nullptr || same->Faults != choice->Faults || same->Seed != choice->Seed) {
            std::abort();
        }
        // Read once: each input gets a fresh board built from the same files.
        static const scanbench::BoardDefinition interconnect = scanbench::InterconnectBoard();
        scanbench::ChipBoard board(interconnect);
        (void)scanbench::ApplyFaultChoice(*choice, board);
    }
    return 0;
}
