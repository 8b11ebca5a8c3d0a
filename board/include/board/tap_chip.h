#pragma once

#include "board/chip_description.h"
#include "board/chip_tap_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

// What can be seen of one chip at a moment, for views and tests.
struct ChipSnapshot {
    std::string Name;
    std::uint8_t Tap = 0;          // the TAP that drives the chip's chain
    std::uint8_t State = 0;        // TAP controller state, 0 Test-Logic-Reset .. 15 Update-IR
    std::uint32_t Instruction = 0; // opcode in the instruction latch
    ChipInstruction Decoded = ChipInstruction::Bypass;
    DataRegister Selected = DataRegister::Bypass;
    std::uint32_t IrShift = 0; // instruction register shift stage
    std::uint64_t DrShift = 0; // shift stage of the selected data register
    std::uint8_t DrLength = 0; // bits of the selected data register
    std::uint8_t Leds = 0;     // bit i: LED Di lit
    std::uint8_t Switches = 0; // bit i: switch Si high
    bool TdoDriven = false;    // TDO released reads 1 through the board's pull-up
    bool Tdo = true;           // the level the next chip or the controller sees

    friend bool operator==(const ChipSnapshot&, const ChipSnapshot&) = default;
};

// One IEEE 1149.1 chip with switches on its input pins and LEDs on its output
// pins. Its TAP controller moves on rising TCK edges; the shift stages
// capture and shift on the rising edge that leaves Capture-xR and Shift-xR;
// the instruction and the boundary register's update stage change on the
// falling edge in Update-IR and Update-DR; TDO changes on the falling edge
// and is driven only in Shift-IR and Shift-DR. Test-Logic-Reset selects
// IDCODE (BYPASS for a chip without one) on the falling edge, as it does at
// power-up.
//
// In EXTEST the boundary register's update stage drives the LEDs, and only
// while the control cell enables the outputs; otherwise the chip's own logic
// lights LED i when switch i is high. Capture-DR of the boundary register
// takes the switch levels into the input cells, the LED levels into the
// output cells and the enable in use into the control cell.
//
// Registers are plain integers and nothing is allocated after construction:
// every edge of a long shift costs a few instructions.
class TapChip {
public:
    // Throws std::invalid_argument when DescriptionProblem finds one.
    explicit TapChip(ChipDescription description);

    void RisingEdge(bool tms, bool tdi) {
        if (Current == ChipTap::ShiftDr) { // most edges of a long shift
            DrShift = (DrShift >> 1) | (std::uint64_t{tdi} << DrTop);
            Current = ChipTap::Next[tms ? 1 : 0][ChipTap::ShiftDr];
            return;
        }
        switch (Current) {
        case ChipTap::CaptureDr:
            DrShift = CaptureValue();
            break;
        case ChipTap::ShiftDr:
            DrShift = (DrShift >> 1) | (std::uint64_t{tdi} << DrTop);
            break;
        case ChipTap::CaptureIr:
            IrShift = Description.IrCapture;
            break;
        case ChipTap::ShiftIr:
            IrShift = (IrShift >> 1) | (std::uint32_t{tdi} << IrTop);
            break;
        default:
            break;
        }
        Current = ChipTap::Next[tms ? 1 : 0][Current];
    }

    void FallingEdge() {
        if (Current == ChipTap::ShiftDr) {
            Drive(DrShift & 1);
            return;
        }
        switch (Current) {
        case ChipTap::ShiftDr:
            Drive(DrShift & 1);
            return;
        case ChipTap::ShiftIr:
            Drive(IrShift & 1);
            return;
        case ChipTap::TestLogicReset:
            if (Instruction != ResetOpcode) {
                LoadInstruction(ResetOpcode);
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

    void SetSwitches(std::uint8_t levels);
    [[nodiscard]] std::uint8_t Switches() const { return SwitchLevels; }
    [[nodiscard]] std::uint8_t Leds() const { return LedLevels; }
    [[nodiscard]] std::uint8_t State() const { return Current; }
    [[nodiscard]] const ChipDescription& Described() const { return Description; }
    [[nodiscard]] ChipSnapshot Snapshot(std::uint8_t tap) const;

private:
    struct CellPin {
        std::uint8_t Cell;
        std::uint8_t Pin;
    };

    void Drive(std::uint64_t bit) {
        TdoDriven = true;
        Tdo = bit != 0;
    }
    [[nodiscard]] std::uint64_t CaptureValue() const;
    [[nodiscard]] std::uint64_t CaptureBoundary() const;
    void LoadInstruction(std::uint32_t opcode);
    void UpdateBoundary();
    void RefreshLeds();
    [[nodiscard]] bool OutputsEnabled() const;
    [[nodiscard]] std::uint8_t DataRegisterLength() const;

    // Used on every edge.
    std::uint8_t Current = ChipTap::TestLogicReset;
    std::uint8_t DrTop = 0; // where TDI enters the selected data register
    std::uint8_t IrTop = 0;
    bool TdoDriven = false;
    bool Tdo = true;
    std::uint32_t IrShift = 0;
    std::uint64_t DrShift = 0;

    std::uint32_t Instruction = 0;
    std::uint32_t ResetOpcode = 0;
    ChipInstruction Decoded = ChipInstruction::Bypass;
    DataRegister Selected = DataRegister::Bypass;
    std::uint64_t BoundaryLatch = 0; // update stage of the boundary register
    std::uint8_t SwitchLevels = 0;
    std::uint8_t LedLevels = 0;
    ChipDescription Description;
    std::array<ChipInstruction, 256> Decode{}; // by opcode
    std::vector<CellPin> Inputs;
    std::vector<CellPin> Outputs;
    int ControlCell = -1;
};

} // namespace scanbench
