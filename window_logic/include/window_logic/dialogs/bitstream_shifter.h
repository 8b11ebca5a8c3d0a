#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scanbench {

class Engine;

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

// Drives one TAP by hand: every command is a few program statements handed
// to the engine's interpreter, whose events are then all played at once by
// hand (PlayOptions::ByHand), so the port, the TAP models and the views
// follow as in a program run. The interpreter's result codes are not
// looked at: whatever events a statement made are played.
class BitstreamShifter {
public:
    explicit BitstreamShifter(Engine& engine) : Eng(engine) {}

    // Opening and closing: both TAPs reset with counter 0 and flag 0
    // selected, then TAP 0 selected.
    void ResetBothTaps();
    void SelectTap(std::uint8_t tap);
    // Empties the event store, then resets the TAP.
    void Reset(std::uint8_t tap);
    // One TCK clock with TMS at `level` (0 or 1).
    void Tms(std::uint8_t tap, std::uint8_t level);
    void MoveTo(std::uint8_t tap, ShifterDestination destination);
    // Shifts `bits` ("0" and "1") out, leftmost first (the counter is loaded
    // with their number), and returns the bits received meanwhile, first
    // received leftmost.
    [[nodiscard]] std::string Shift(std::uint8_t tap, std::string_view bits);

private:
    void Interpret(std::string_view line);
    void SelectLine(std::uint8_t tap);
    void PlayAll(std::string* received = nullptr);

    Engine& Eng;
};

} // namespace scanbench
