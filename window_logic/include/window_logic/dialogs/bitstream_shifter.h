#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// The hexadecimal digits (lower case) of a bit string, four characters per
// digit, first character most significant, the last group filled up with
// "0". A group holding anything but "0" and "1" gives no digit.
[[nodiscard]] std::string BitsToHex(std::string_view bits);

// What a TX row's text sends: its "0" and "1" characters in order; spaces
// only separate groups. Any other character refuses the text, so that a typo
// never sends bits other than those typed.
struct TxBits {
    std::string Bits;         // "0" and "1" only
    std::string Refused;      // the first other character (UTF-8); empty when none
    std::size_t Position = 0; // its place in the text, counted in characters from 1
};
[[nodiscard]] TxBits ReadTxBits(std::string_view utf8);

// The message that refuses the text of TX row `row` (1 to 4).
[[nodiscard]] std::string TxRefusal(int row, const TxBits& read);

// Where the shifter's State command takes the TAP.
enum class ShifterDestination : std::uint8_t { Reset, Idle, ShiftDr, ShiftIr };

// One part of a shifter command: program statements for the engine's
// interpreter, whose events are then all played at once by hand
// (PlayOptions::ByHand), so the port, the TAP models and the views follow as
// in a program run. The interpreter's result codes are not looked at:
// whatever events a statement made are played.
struct ShifterStep {
    std::vector<std::string> Statements;
    // The bits received while this step plays are the command's answer.
    bool Receives = false;
};

// What one shifter command plays, step by step.
struct ShifterScript {
    // The event store is emptied (and the views told) before the first step.
    bool EmptiesStore = false;
    std::vector<ShifterStep> Steps;
};

// Opening and closing: both TAPs reset with counter 0 and flag 0 selected,
// then TAP 0 selected.
[[nodiscard]] ShifterScript ResetBothTapsScript();
[[nodiscard]] ShifterScript SelectTapScript(std::uint8_t tap);
// Empties the event store, then resets the TAP.
[[nodiscard]] ShifterScript ResetTapScript(std::uint8_t tap);
// One TCK clock with TMS at `level` (0 or 1).
[[nodiscard]] ShifterScript TmsScript(std::uint8_t tap, std::uint8_t level);
[[nodiscard]] ShifterScript MoveToScript(std::uint8_t tap, ShifterDestination destination);
// Shifts `bits` ("0" and "1") out, leftmost first, the counter loaded with
// their number first; the bits received meanwhile are the answer.
[[nodiscard]] ShifterScript ShiftScript(std::uint8_t tap, std::string_view bits);

} // namespace scanbench
