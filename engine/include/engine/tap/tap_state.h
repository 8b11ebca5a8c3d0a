#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// The 16 states of an IEEE 1149.1 TAP controller. The numbers are fixed: they
// index the state graph, the name table and the TMS path table.
enum class TapState : std::uint8_t {
    TestLogicReset = 0,
    RunTestIdle = 1,
    SelectDrScan = 2,
    SelectIrScan = 3,
    CaptureDr = 4,
    CaptureIr = 5,
    ShiftDr = 6,
    ShiftIr = 7,
    Exit1Dr = 8,
    Exit1Ir = 9,
    PauseDr = 10,
    PauseIr = 11,
    Exit2Dr = 12,
    Exit2Ir = 13,
    UpdateDr = 14,
    UpdateIr = 15,
};

inline constexpr std::uint8_t TapStateCount = 16;

// Result of StateByName when the text names no state.
inline constexpr std::uint8_t NoSuchState = 253;

// The names that test programs use for the states, indexed by state number.
inline constexpr std::array<std::string_view, TapStateCount> TapStateNames = {
    "RESET",   "IDLE",    "DRSELECT", "IRSELECT", "DRCAPTURE", "IRCAPTURE", "DRSHIFT",  "IRSHIFT",
    "DREXIT1", "IREXIT1", "DRPAUSE",  "IRPAUSE",  "DREXIT2",   "IREXIT2",   "DRUPDATE", "IRUPDATE"};

// Upper-cases the text and returns the number of the state with exactly that
// name, or NoSuchState (253).
[[nodiscard]] std::uint8_t StateByName(std::string_view text);

[[nodiscard]] constexpr bool IsShiftState(std::uint8_t state) {
    return state == static_cast<std::uint8_t>(TapState::ShiftDr) ||
           state == static_cast<std::uint8_t>(TapState::ShiftIr);
}

} // namespace scanbench
