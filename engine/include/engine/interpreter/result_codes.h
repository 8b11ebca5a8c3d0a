#pragma once

#include "engine/feed/status_colour.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace scanbench {

// Result codes of InterpretLine: 0 done, positive a request to line
// execution, negative an error.
namespace Result {
inline constexpr std::int32_t Done = 0;
inline constexpr std::int32_t Halt = 1;
inline constexpr std::int32_t FlagSelected = 3;
inline constexpr std::int32_t JumpIfError = 4;
inline constexpr std::int32_t JumpIfNoError = 5;
inline constexpr std::int32_t Jump = 6;
inline constexpr std::int32_t JumpIfZero = 7;
inline constexpr std::int32_t JumpIfNotZero = 8;
inline constexpr std::int32_t WaitSiaLow = 9;
inline constexpr std::int32_t WaitSiaHigh = 10;
inline constexpr std::int32_t WaitSibLow = 11;
inline constexpr std::int32_t WaitSibHigh = 12;
inline constexpr std::int32_t Flush = 13;
inline constexpr std::int32_t NotRecognised = -1;
inline constexpr std::int32_t BadCounterValue = -10;
inline constexpr std::int32_t NotHex = -20;
inline constexpr std::int32_t MissingParameters = -30;
inline constexpr std::int32_t TooManyParameters = -40;
inline constexpr std::int32_t UnknownState = -50;
inline constexpr std::int32_t UnknownCounter = -60;
inline constexpr std::int32_t BadHexDigit = -70;
inline constexpr std::int32_t StateBeforeReset = -80;
inline constexpr std::int32_t ShiftBeforeLoad = -90;
// The statement's events would not fit in the memory the store may use.
inline constexpr std::int32_t OutOfMemory = -100;
} // namespace Result

[[nodiscard]] constexpr bool IsJump(std::int32_t code) {
    return code >= Result::JumpIfError && code <= Result::JumpIfNotZero;
}

struct StatusMessage {
    std::string_view text;
    StatusColour colour;
};

// The status line message for a result code, or nothing when the code leaves
// the status line unchanged (a jump whose label was found, SERFLGn).
[[nodiscard]] std::optional<StatusMessage> StatusForResult(std::int32_t code);

namespace Status {
inline constexpr std::string_view LineProcessed = "Line processed";
inline constexpr std::string_view Halt = "HALT";
inline constexpr std::string_view LabelNotFound = "Error: label not found";
inline constexpr std::string_view InvalidLabel = "Invalid Label";
inline constexpr std::string_view Reset = "Reset";
inline constexpr std::string_view FlushExecuted = "Warning: FLUSH executed";
inline constexpr std::string_view WaitSiaLow = "Waiting SIA to go low...";
inline constexpr std::string_view WaitSiaHigh = "Waiting SIA to go high...";
inline constexpr std::string_view WaitSibLow = "Waiting SIB to go low...";
inline constexpr std::string_view WaitSibHigh = "Waiting SIB to go high...";
inline constexpr std::string_view NotEnoughMemory = "Error: not enough memory";
inline constexpr std::string_view DriverStarted = "Driver successfully started !";
inline constexpr std::string_view DriverFailed = "Couldnt start driver. Something wrong !";
} // namespace Status

} // namespace scanbench
