#pragma once

#include <array>
#include <functional>

namespace scanbench {

// The program editor draws rows of exactly 16 pixels so that they line up
// with the breakpoint gutter; its font is 13 pixels high where the font has
// 16-pixel rows at that size.
namespace EditorFont {
inline constexpr int RowHeight = 16;
inline constexpr int PreferredPixelSize = 13;
// Sizes tried in this order, nearest to the preferred size first.
inline constexpr std::array<int, 5> Candidates{13, 12, 14, 11, 15};
} // namespace EditorFont

// The first candidate pixel size whose measured row height is exactly
// 16 pixels, or the preferred size when none is.
[[nodiscard]] inline int ChooseEditorPixelSize(const std::function<double(int)>& rowHeight) {
    for (const int size : EditorFont::Candidates) {
        if (rowHeight(size) == EditorFont::RowHeight) {
            return size;
        }
    }
    return EditorFont::PreferredPixelSize;
}

// The flag read-outs put each binary digit over a 9-pixel slot of the flag
// marker picture; their font is 16 pixels high unless its digits are wider,
// and letter spacing widens narrower digits to the slot.
namespace ReadoutFont {
inline constexpr int DigitSlot = 9;
inline constexpr int PreferredPixelSize = 16;
inline constexpr int SmallestPixelSize = 10;
} // namespace ReadoutFont

// The largest pixel size from 16 down to 10 whose digit advance fits the
// 9-pixel slot, or 10 when none does.
[[nodiscard]] inline int ChooseReadoutPixelSize(const std::function<double(int)>& digitAdvance) {
    for (int size = ReadoutFont::PreferredPixelSize; size > ReadoutFont::SmallestPixelSize;
         --size) {
        if (digitAdvance(size) <= ReadoutFont::DigitSlot) {
            return size;
        }
    }
    return ReadoutFont::SmallestPixelSize;
}

} // namespace scanbench
