#pragma once

#include "board/chip_board.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// One row of the Simulated board window's pin list: a pin of a chip, with
// what its BSDL description and the board make of it now.
struct PinRow {
    std::size_t Chip = 0;  // numbered as ChipBoard numbers its chips
    std::uint32_t Pin = 0; // numbered as the chip's description numbers its pins
    std::string ChipName;  // "U1"
    std::string Name;      // "D(3)"
    std::string Cells;     // "in 3, out 4, ctl 5"
    std::string Direction; // "in", "out", "bidir", or "Z" for an output the chip does not drive
    std::string Level;     // "0", "1", or "Z" for a floating pin
    std::string Latch;     // the update stage of its output cell, "0" or "1"; "" for none
    std::string Attached;  // "switch BUTTON", "switch U1 bit 3", "LED LD2"; "" for none
    std::optional<ChipBoard::SwitchBit> Switch; // what a click on the pin flips
    std::int32_t OutputCell = -1;               // the cell whose latch drives the pin
    std::int32_t ControlCell = -1;              // the cell that enables it
    std::uint8_t EnableValue = 1;               // what the control cell holds to let it drive
    bool Settable = false; // an output whose latch the next scan can set: its chip is in EXTEST

    friend bool operator==(const PinRow&, const PinRow&) = default;
};

// Every pin of every chip, chip by chip in the board's order, each chip's
// pins in its description's order.
[[nodiscard]] std::vector<PinRow> DescribePins(const ChipBoard& board);

// Whether the row shows for the filter text: "" shows all, otherwise the
// text must occur in "CHIP.PIN" or in what is attached, letter case ignored.
[[nodiscard]] bool PinMatches(const PinRow& row, std::string_view filter);

// Where a boundary cell stands in the next data register scan of its TAP,
// every chip of the chain keeping its instruction: bit `Bit` of `Length`,
// counted from 0 for the first bit shifted in (the one that ends nearest
// TDO). Nothing when the chip's instruction does not select its boundary
// register.
struct ScanBit {
    std::uint8_t Tap = 0;
    std::uint32_t Bit = 0;
    std::uint32_t Length = 0;
    friend bool operator==(const ScanBit&, const ScanBit&) = default;
};
[[nodiscard]] std::optional<ScanBit> ScanBitOf(const ChipBoard& board, std::size_t chip,
                                               std::uint32_t cell);

// A value the student wants in a boundary cell's update stage after the
// next scan.
struct PlannedLatch {
    std::size_t Chip = 0;
    std::uint32_t Cell = 0;
    std::uint8_t Value = 0;
    friend bool operator==(const PlannedLatch&, const PlannedLatch&) = default;
};

// The bits to shift into TAP `tap` in its next data register scan, first
// bit first ('0' and '1'): every boundary register in use gets its update
// stage back, so nothing changes but the planned cells; other registers
// get zeros.
[[nodiscard]] std::string NextScanBits(const ChipBoard& board, std::uint8_t tap,
                                       std::span<const PlannedLatch> plan);

// The NSHFCP data operand that shifts `bits` (first bit first): "0123Ah".
[[nodiscard]] std::string NshfcpOperand(std::string_view bits);
// The two statements that make the scan from DRSHIFT, comparing nothing:
// "LD CNT,34d;\nNSHFCP 0123Ah,00000h,00000h;"
[[nodiscard]] std::string ScanStatements(std::string_view bits);

// "Bit 11 of the 34-bit DR scan of TAP 0"
[[nodiscard]] std::string ScanBitText(const ScanBit& bit);

} // namespace scanbench
