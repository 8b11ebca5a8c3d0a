#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace scanbench {

// Where the waveform window puts things. Every event takes one 15-pixel
// column of the 540-pixel pictures; a TAP picture has four rows (TCK, TMS,
// RX, TX), the sync picture four more (SOA, SIA, SOB, SIB).
namespace Waveform {
inline constexpr int PictureLeft = 34;
inline constexpr int PictureWidth = 540;
inline constexpr int TapPictureHeight = 185;
inline constexpr int SyncPictureHeight = 60;
inline constexpr int MarkerStripHeight = 10;
inline constexpr int ColumnWidth = 15;
// Columns drawn; the last one lies beyond the right edge of the picture.
inline constexpr int ColumnsDrawn = 37;
// Columns the scroll range leaves room for at its end.
inline constexpr int ColumnsScrolled = 34;
inline constexpr int ScrollPageStep = 100;

// A row's y for level 1; level 0 lies one swing lower.
inline constexpr int TapSwing = 18;
inline constexpr int TckBase = 60;
inline constexpr int TmsBase = 90;
inline constexpr int RxBase = 120;
inline constexpr int TxBase = 150;
inline constexpr int RxMiddle = 129; // RX at high impedance
inline constexpr int SyncSwing = 11;
inline constexpr std::array<int, 4> SyncBases{2, 17, 32, 47}; // SOA, SIA, SOB, SIB

// The dot that marks the first event of a statement: its box from the left
// of the column.
inline constexpr int DotTop = 54;
inline constexpr int DotSize = 4;
// The line number of a statement reads upward in a 50 x 15 box whose
// rotated left edge sits two pixels left of the column.
inline constexpr int LineNumberLength = 50;
inline constexpr int LineNumberThickness = 15;
inline constexpr int LineNumberShift = -2;
} // namespace Waveform

[[nodiscard]] constexpr int LevelY(int base, std::uint8_t level, int swing) {
    return level == 1 ? base : base + swing;
}

[[nodiscard]] constexpr int ColumnLeft(int column) {
    return Waveform::ColumnWidth * column;
}

// The column that shows event `index` while `first` is the leftmost event;
// nothing when the event is not drawn.
[[nodiscard]] constexpr std::optional<int> ColumnOf(std::uint32_t index, std::uint32_t first) {
    if (index < first || index - first >= static_cast<std::uint32_t>(Waveform::ColumnsDrawn)) {
        return std::nullopt;
    }
    return static_cast<int>(index - first);
}

// The scroll bar runs from 0 to this.
[[nodiscard]] constexpr std::uint32_t ScrollMaximum(std::uint32_t eventCount) {
    return eventCount > static_cast<std::uint32_t>(Waveform::ColumnsScrolled)
               ? eventCount - static_cast<std::uint32_t>(Waveform::ColumnsScrolled)
               : 0;
}

// The scroll position a refresh keeps: back to the start when the store
// shrank below it.
[[nodiscard]] constexpr std::uint32_t PositionAfterRefresh(std::uint32_t position,
                                                           std::uint32_t eventCount) {
    return ScrollMaximum(eventCount) < position ? 0 : position;
}

// How many events are drawn from `first` on.
[[nodiscard]] constexpr int EventsDrawn(std::uint32_t first, std::uint32_t eventCount) {
    if (first >= eventCount) {
        return 0;
    }
    return static_cast<int>(std::min<std::uint32_t>(
        eventCount - first, static_cast<std::uint32_t>(Waveform::ColumnsDrawn)));
}

// Whether the marker may stand at picture x.
[[nodiscard]] constexpr bool MarkerFits(int x) {
    return x >= 0 && x < Waveform::PictureWidth;
}

// Where a pixel (x, y) of the line-number box lands in the TAP picture, for
// the column `column`: the text reads upward.
struct PicturePoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(PicturePoint, PicturePoint) = default;
};
[[nodiscard]] constexpr PicturePoint LineNumberPixel(int column, int x, int y) {
    return {ColumnLeft(column) + y + Waveform::LineNumberShift, Waveform::LineNumberLength - 1 - x};
}

// The controls below the pictures move up when the sync picture is hidden.
struct WaveformLayout {
    int MarkerStripTop = 0;
    int ScrollBarTop = 0;
    int CheckBoxTop = 0;
    int ButtonTop = 0;
    int Bottom = 0; // the window ends here
};
[[nodiscard]] constexpr WaveformLayout LayoutFor(bool showSync) {
    const int base = showSync ? 498 : 433;
    return {base - 52, base - 41, base - 16, base - 17, base};
}

} // namespace scanbench
