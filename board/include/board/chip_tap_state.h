#pragma once

#include <array>
#include <cstdint>

namespace scanbench {

// The 16 states of a chip's TAP controller, numbered as everywhere else in
// the program (0 Test-Logic-Reset .. 15 Update-IR), so that the numbers can be
// shown with the same names as the controller's own TAP models.
namespace ChipTap {
inline constexpr std::uint8_t TestLogicReset = 0;
inline constexpr std::uint8_t RunTestIdle = 1;
inline constexpr std::uint8_t SelectDrScan = 2;
inline constexpr std::uint8_t SelectIrScan = 3;
inline constexpr std::uint8_t CaptureDr = 4;
inline constexpr std::uint8_t CaptureIr = 5;
inline constexpr std::uint8_t ShiftDr = 6;
inline constexpr std::uint8_t ShiftIr = 7;
inline constexpr std::uint8_t Exit1Dr = 8;
inline constexpr std::uint8_t Exit1Ir = 9;
inline constexpr std::uint8_t PauseDr = 10;
inline constexpr std::uint8_t PauseIr = 11;
inline constexpr std::uint8_t Exit2Dr = 12;
inline constexpr std::uint8_t Exit2Ir = 13;
inline constexpr std::uint8_t UpdateDr = 14;
inline constexpr std::uint8_t UpdateIr = 15;

// Next state on a rising TCK edge, indexed by TMS and then by the state.
inline constexpr std::array<std::array<std::uint8_t, 16>, 2> Next{{
    {1, 1, 4, 5, 6, 7, 6, 7, 10, 11, 10, 11, 6, 7, 1, 1},   // TMS = 0
    {0, 2, 3, 0, 8, 9, 8, 9, 14, 15, 12, 13, 14, 15, 2, 2}, // TMS = 1
}};
} // namespace ChipTap

} // namespace scanbench
