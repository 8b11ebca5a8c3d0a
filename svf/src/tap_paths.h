#pragma once

#include "engine/tap/tap_state.h"

#include <cstdint>
#include <vector>

namespace scanbench {

// The TAP states by the numbers the engine gives them (engine/tap/tap_state.h),
// short-named for the SVF translations, which use them as plain numbers.
namespace TapPaths {
[[nodiscard]] constexpr std::uint8_t Number(TapState state) {
    return static_cast<std::uint8_t>(state);
}
inline constexpr std::uint8_t Reset = Number(TapState::TestLogicReset);
inline constexpr std::uint8_t Idle = Number(TapState::RunTestIdle);
inline constexpr std::uint8_t SelectDr = Number(TapState::SelectDrScan);
inline constexpr std::uint8_t SelectIr = Number(TapState::SelectIrScan);
inline constexpr std::uint8_t CaptureDr = Number(TapState::CaptureDr);
inline constexpr std::uint8_t CaptureIr = Number(TapState::CaptureIr);
inline constexpr std::uint8_t ShiftDr = Number(TapState::ShiftDr);
inline constexpr std::uint8_t ShiftIr = Number(TapState::ShiftIr);
inline constexpr std::uint8_t Exit1Dr = Number(TapState::Exit1Dr);
inline constexpr std::uint8_t Exit1Ir = Number(TapState::Exit1Ir);
inline constexpr std::uint8_t PauseDr = Number(TapState::PauseDr);
inline constexpr std::uint8_t PauseIr = Number(TapState::PauseIr);
inline constexpr std::uint8_t Exit2Dr = Number(TapState::Exit2Dr);
inline constexpr std::uint8_t Exit2Ir = Number(TapState::Exit2Ir);
inline constexpr std::uint8_t UpdateDr = Number(TapState::UpdateDr);
inline constexpr std::uint8_t UpdateIr = Number(TapState::UpdateIr);
} // namespace TapPaths

// The state after a rising TCK edge with that TMS level.
[[nodiscard]] std::uint8_t NextTapState(std::uint8_t state, bool tms);
// The states SVF may end a statement in: Test-Logic-Reset, Run-Test/Idle and
// the two pauses.
[[nodiscard]] bool IsStableTapState(std::uint8_t state);
// The states a STATE statement of the program passes through from `from` to
// `to`, one per clock, `to` last; empty when it is there already.
[[nodiscard]] std::vector<std::uint8_t> StatementPath(std::uint8_t from, std::uint8_t to);

} // namespace scanbench
