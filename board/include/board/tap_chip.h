#pragma once

#include "board/chip_description.h"
#include "board/chip_tap_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

// The level on a pin as the board resolves it.
enum class PinLevel : std::uint8_t { Low = 0, High = 1, Floating = 2 };

// What a chip does to one of its pins: nothing, drive it, or leave it to a
// weak driver, a pull or a keeper of its own (a released output's disable
// result).
enum class PinDrive : std::uint8_t { None, Low, High, WeakLow, WeakHigh, Keep };

// What can be seen of one chip at a moment, for views and tests.
struct ChipSnapshot {
    std::string Name;
    std::uint8_t Tap = 0;          // the TAP that drives the chip's chain
    std::uint8_t State = 0;        // TAP controller state, 0 Test-Logic-Reset .. 15 Update-IR
    std::uint64_t Instruction = 0; // opcode in the instruction latch
    ChipInstruction Decoded = ChipInstruction::Bypass;
    std::int32_t Opcode = -1; // its entry in the description's Opcodes; -1 for none
    DataRegister Selected = DataRegister::Bypass;
    std::uint32_t Register = 0; // index into the description's Registers
    std::uint64_t IrShift = 0;  // instruction register shift stage
    std::uint64_t DrShift = 0;  // the low 64 bits of the selected register's shift stage
    std::uint32_t DrLength = 0; // bits of the selected data register
    std::uint8_t Leds = 0;      // bit i: LED i of the LEDs named like the chip lit
    std::uint8_t Switches = 0;  // bit i: switch i of the switches named like the chip high
    bool TdoDriven = false;     // TDO released reads 1 through the board's pull-up
    bool Tdo = true;            // the level the next chip or the controller sees

    friend bool operator==(const ChipSnapshot&, const ChipSnapshot&) = default;
};

// One IEEE 1149.1 chip, described by a ChipDescription. Its TAP controller
// moves on rising TCK edges; the shift stages capture and shift on the
// rising edge that leaves Capture-xR and Shift-xR; the instruction and the
// boundary register's update stage change on the falling edge in Update-IR
// and Update-DR; TDO changes on the falling edge and is driven only in
// Shift-IR and Shift-DR. Test-Logic-Reset selects IDCODE (BYPASS for a chip
// without one) on the falling edge, as it does at power-up, and resets the
// update stage of controlr cells to their disable value.
//
// Pins: the board tells the chip the level on each pin (SetLevel) and asks
// what the chip drives (Drive). In EXTEST, CLAMP and INTEST every output
// cell drives its pin from the update stage while its control cell does not
// hold the disable value; a disabled pin is released to its disable result.
// HIGHZ releases every output. Otherwise the chip's own logic drives: each
// CoreLink output follows its input, and every other output stays as it was
// last driven (released at power-up). Capture-DR of the boundary register
// takes each pin's level into the cells on it (a floating pin reads the
// cell's safe value, X as 0), a control cell the enable in use, an internal
// cell its safe value.
//
// The shift stages are plain integers for registers of up to 64 bits and a
// ring of words for longer ones; nothing is allocated after construction,
// and every edge of a long shift costs a few instructions.
class TapChip {
public:
    // Throws std::invalid_argument when DescriptionProblem finds one.
    explicit TapChip(ChipDescription description);

    void RisingEdge(bool tms, bool tdi) {
        if (Current == ChipTap::ShiftDr) { // most edges of a long shift
            if (Wide) {
                ShiftWide(tdi);
            } else {
                DrShift = (DrShift >> 1) | (std::uint64_t{tdi} << DrTop);
            }
            Current = ChipTap::Next[tms ? 1 : 0][ChipTap::ShiftDr];
            return;
        }
        switch (Current) {
        case ChipTap::CaptureDr:
            CaptureData();
            break;
        case ChipTap::CaptureIr:
            IrShift = Description.IrCapture;
            break;
        case ChipTap::ShiftIr:
            IrShift = (IrShift >> 1) | (std::uint64_t{tdi} << IrTop);
            break;
        default:
            break;
        }
        Current = ChipTap::Next[tms ? 1 : 0][Current];
    }

    void FallingEdge() {
        if (Current == ChipTap::ShiftDr) { // most edges of a long shift
            DriveTdo(Wide ? WideOut() : (DrShift & 1) != 0);
            return;
        }
        switch (Current) {
        case ChipTap::ShiftIr:
            DriveTdo((IrShift & 1) != 0);
            return;
        case ChipTap::TestLogicReset:
            if (Instruction != ResetOpcode || ResetPending) {
                EnterReset();
            }
            break;
        case ChipTap::UpdateIr:
            LoadInstruction(IrShift);
            break;
        case ChipTap::UpdateDr:
            if (Selected == DataRegister::Boundary) {
                UpdateBoundary();
            }
            break;
        default:
            break;
        }
        TdoDriven = false;
        Tdo = true;
    }

    // TRST asserted: Test-Logic-Reset at once, with what that state does
    // (the reset instruction loaded, TDO released).
    void Reset() {
        Current = ChipTap::TestLogicReset;
        FallingEdge();
    }

    // TDO as the next chip or the controller sees it.
    [[nodiscard]] bool TdoLevel() const { return Tdo; }
    [[nodiscard]] std::uint8_t State() const { return Current; }
    [[nodiscard]] const ChipDescription& Described() const { return Description; }
    // The snapshot without the board's LEDs and switches.
    [[nodiscard]] ChipSnapshot Snapshot(std::uint8_t tap) const;

    // Pins, numbered as the description lists them.
    [[nodiscard]] std::size_t PinCount() const { return Levels.size(); }
    [[nodiscard]] PinDrive Drive(std::size_t pin) const { return Drives[pin]; }
    [[nodiscard]] PinLevel Level(std::size_t pin) const { return Levels[pin]; }
    void SetLevel(std::size_t pin, PinLevel level) { Levels[pin] = level; }
    // The update stage of boundary cell `number` (0 or 1).
    [[nodiscard]] std::uint8_t Latch(std::uint32_t number) const { return BoundaryLatch[number]; }
    // The output cell driving `pin`, or -1.
    [[nodiscard]] std::int32_t OutputCell(std::size_t pin) const { return Drivers[pin].Output; }
    // Whether the instruction in use lets the boundary register drive the pins.
    [[nodiscard]] bool BoundaryDrives() const;
    // The chip's own logic looks at its input pins again after the board
    // changed their levels; true when a pin's drive changed.
    bool FollowInputs();
    // Whether a drive changed since the last call: the board must settle.
    bool TakeDrivesChanged() {
        const bool changed = DrivesChanged;
        DrivesChanged = false;
        return changed;
    }

private:
    // How the output cell of a pin drives it.
    struct PinDriver {
        std::int32_t Output = -1;  // cell number
        std::int32_t Control = -1; // cell number
        std::uint8_t DisableValue = 0;
        PinDrive Released = PinDrive::None;
    };
    // Where a boundary cell's captured bit comes from.
    struct CaptureSource {
        std::int32_t Pin = -1;     // the pin's level, or
        std::int32_t Enables = -1; // for a control cell: the pin whose driver it enables
        std::uint8_t Default = 0;  // a floating pin's, an internal cell's or a lone control's
    };

    void DriveTdo(bool bit) {
        TdoDriven = true;
        Tdo = bit;
    }
    void ShiftWide(bool tdi) {
        std::uint64_t& word = Ring[RingHead >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (RingHead & 63);
        word = tdi ? (word | bit) : (word & ~bit);
        RingHead = RingHead + 1 == DrLength ? 0 : RingHead + 1;
    }
    [[nodiscard]] bool WideOut() const {
        return ((Ring[RingHead >> 6] >> (RingHead & 63)) & 1) != 0;
    }
    [[nodiscard]] bool ShiftBit(std::uint32_t i) const;

    void CaptureData();
    [[nodiscard]] std::uint8_t CaptureCell(const CaptureSource& source) const;
    void LoadInstruction(std::uint64_t opcode);
    void EnterReset();
    void UpdateBoundary();
    void RefreshDrives();
    bool SetDrive(std::size_t pin, PinDrive drive);
    void Prepare();

    // Used on every edge.
    std::uint8_t Current = ChipTap::TestLogicReset;
    std::uint8_t DrTop = 0; // where TDI enters the selected data register
    std::uint8_t IrTop = 0;
    bool TdoDriven = false;
    bool Tdo = true;
    bool Wide = false; // the selected register is longer than 64 bits
    std::uint64_t IrShift = 0;
    std::uint64_t DrShift = 0;
    std::vector<std::uint64_t> Ring; // shift stage of a register longer than 64 bits
    std::uint32_t RingHead = 0;      // the ring's bit 0
    std::uint32_t DrLength = 1;

    std::uint64_t Instruction = 0;
    std::uint64_t ResetOpcode = 0;
    bool ResetPending = false; // controlr cells to reset in Test-Logic-Reset
    bool DrivesChanged = false;
    std::int32_t Opcode = -1;
    ChipInstruction Decoded = ChipInstruction::Bypass;
    DataRegister Selected = DataRegister::Bypass;
    std::uint32_t SelectedRegister = 0;
    ChipDescription Description;
    std::vector<std::uint8_t> BoundaryLatch; // update stage, by cell number
    std::vector<CaptureSource> Captures;     // by cell number
    std::vector<std::uint32_t> ResetCells;   // controlr cells
    std::vector<PinDriver> Drivers;          // by pin
    std::vector<PinDrive> Drives;            // by pin
    std::vector<PinLevel> Levels;            // by pin, as the board last said
};

} // namespace scanbench
