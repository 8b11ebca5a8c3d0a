// Fuzzes the demo board's chips with arbitrary line levels: each input byte
// drives the six TAP lines (bits 0..5); a byte with bit 7 set sets a chip's
// switches from the next byte instead. Whatever the sequence, TDO is driven
// only in Shift-IR and Shift-DR and every chip stays in one of its 16 states.
#include "board/chip_board.h"
#include "board/chip_tap_state.h"
#include "board/demo_board.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Read once: each input gets a fresh board built from the same files.
    static const scanbench::BoardDefinition demo = scanbench::DemoBoard();
    scanbench::ChipBoard board(demo);
    for (std::size_t i = 0; i < size; ++i) {
        if ((data[i] & 0x80) != 0 && i + 1 < size) {
            board.SetSwitches(data[i] % board.ChipCount(), data[i + 1]);
            ++i;
            continue;
        }
        board.Drive(static_cast<std::uint8_t>(data[i] & 0x3F));
        for (std::size_t c = 0; c < board.ChipCount(); ++c) {
            const scanbench::ChipSnapshot chip = board.Chip(c);
            const bool shifting = chip.State == scanbench::ChipTap::ShiftDr ||
                                  chip.State == scanbench::ChipTap::ShiftIr ||
                                  chip.State == scanbench::ChipTap::Exit1Dr ||
                                  chip.State == scanbench::ChipTap::Exit1Ir;
            if (chip.State > 15 || (chip.TdoDriven && !shifting) ||
                (!chip.TdoDriven && !chip.Tdo)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
