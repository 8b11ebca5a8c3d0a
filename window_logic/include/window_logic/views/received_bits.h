#pragma once

#include "engine/feed/status_colour.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

class EventStore;

// The received bitstreams of both TAPs, one character per falling TCK edge
// of either TAP, aligned in time: at a falling edge of one TAP its line gets
// the bit ("0" or "1"; "z" with ShowZ for an event whose RX was not valid)
// and the other line gets "-". Both lines have the same length.
struct RxStrings {
    std::string Tap0;
    std::string Tap1;
};

// Scans every event of the store, played or not.
[[nodiscard]] RxStrings BuildRxStrings(const EventStore& store, bool showZ);

// The colours a bit can be marked with; White is the plain colour.
enum class BitColour : std::uint8_t { White, Red, Yellow, Lime, Aqua };
[[nodiscard]] Rgb ToRgb(BitColour colour);

// One line of the received bitstream viewer: its characters, their colours
// and the cursor. The cursor is the current bit; it may also stand just
// after the last character, where there is no current bit.
class BitLine {
public:
    // New text, all white, the cursor on the first character.
    void SetText(std::string text);
    [[nodiscard]] const std::string& Text() const { return Chars; }
    [[nodiscard]] BitColour ColourAt(std::size_t position) const { return Colours[position]; }
    [[nodiscard]] std::size_t Cursor() const { return Position; }
    [[nodiscard]] bool HasCurrentBit() const { return Position < Chars.size(); }

    void MoveTo(std::size_t position) { Position = std::min(position, Chars.size()); }
    // One place left, stopping at the first character.
    void MoveLeft();
    // One place right, at most to just after the last character.
    void MoveRight() { MoveTo(Position + 1); }
    void MoveHome() { Position = 0; }
    // To the last character.
    void MoveEnd() { Position = Chars.empty() ? 0 : Chars.size() - 1; }

    // A typed character replaces the current bit (or is appended after the
    // last) and the cursor moves on.
    void Type(char c);
    // Removes the current bit; the next one becomes current.
    void DeleteCurrent();
    // Removes the current bit, or the last one when the cursor stands after it.
    void DeleteBackward();

    void ColourCurrent(BitColour colour);
    void ResetColours();

    // "TAP 0, POS: 5/9": the cursor and the last position of the line.
    [[nodiscard]] std::string PositionText(int tap) const;

private:
    std::string Chars;
    std::vector<BitColour> Colours;
    std::size_t Position = 0;
};

} // namespace scanbench
