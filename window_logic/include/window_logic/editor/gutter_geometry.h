#pragma once

#include "engine/program/breakpoint_flags.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace scanbench {

// The breakpoint gutter beside the program editor: 23 check boxes, one per
// visible editor row, and a marker picture that shows an arrow beside a row.
// The editor's rows are 16 pixels high where its font allows; the boxes and
// the arrow follow the rows the editor really lays out.
namespace Gutter {
inline constexpr int BoxCount = 23;
inline constexpr int RowHeight = 16;
inline constexpr int BoxLeft = 24;
inline constexpr int BoxSize = 17;
} // namespace Gutter

using GutterBoxStates = std::array<bool, Gutter::BoxCount>;

// The 0-based editor line that box `box` (1..23) stands for while
// `firstVisible` is the editor's first visible line.
[[nodiscard]] constexpr std::int32_t BoxLine(std::int32_t firstVisible, int box) {
    return firstVisible + box - 1;
}

// One editor row on screen: its top and height in window client coordinates.
struct RowSpan {
    int Top = 0;
    int Height = 0;
    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// `count` rows from the first visible one: the rows the editor lays out for
// its text (`laidOut`, top to bottom), continued below the end of the text at
// the height of the last of them, or at `emptyHeight` for an empty editor.
[[nodiscard]] std::vector<RowSpan> ContinueRows(std::vector<RowSpan> laidOut, int count,
                                                int firstTop, int emptyHeight);

// How many of `rows`, from the first on, lie wholly above `bottom`.
[[nodiscard]] int WholeRowsAbove(const std::vector<RowSpan>& rows, int bottom);

// Top of a box `boxSize` pixels high centred on `row`; an odd pixel left
// over goes below the box.
[[nodiscard]] constexpr int BoxTopForRow(const RowSpan& row, int boxSize) {
    return row.Top + (row.Height - boxSize + 1) / 2;
}

// Top of an arrow `arrowHeight` pixels high centred on `row`, inside a
// picture whose top is at `pictureTop` and that is `pictureHeight` high;
// nothing when the arrow would lie wholly outside the picture.
[[nodiscard]] std::optional<int> ArrowTopForRow(const RowSpan& row, int arrowHeight, int pictureTop,
                                                int pictureHeight);

// The bottom margin that leaves an editor `height` pixels high showing only
// whole rows of `rowHeight` pixels, and no more than `maxRows` of them.
[[nodiscard]] int WholeRowsMargin(int height, int rowHeight, int maxRows);

// The line-number column the editor can show at its left edge, beside the
// boxes: wide enough for the numbers of `lineCount` lines (three digits at
// least, so it does not change width while a short program grows) in digits
// `digitWidth` pixels wide, with `padding` pixels either side. The boxes and
// the arrow stay where they are; the text moves right by this width.
[[nodiscard]] int LineNumberWidth(std::int32_t lineCount, int digitWidth, int padding);

// The number shown beside `row` (0-based, from the first visible line):
// the 1-based line number, or nothing below the end of the text.
[[nodiscard]] std::optional<std::int32_t> RowLineNumber(std::int32_t firstVisible, int row,
                                                        std::int32_t lineCount);

// The box states for the lines now on screen.
[[nodiscard]] GutterBoxStates LoadGutterBoxes(const BreakpointFlags& flags,
                                              std::int32_t firstVisible);
// Stores all box states into the flags of the lines now on screen; lines
// beyond the flagged range keep no breakpoint.
void StoreGutterBoxes(BreakpointFlags& flags, std::int32_t firstVisible,
                      const GutterBoxStates& boxes);

// The first visible line after scrolling a view of `rows` full rows as
// little as possible so that line `target` is inside it; kept within
// 0..maxFirst.
[[nodiscard]] std::int32_t FirstLineToShow(std::int32_t first, int rows, std::int32_t target,
                                           std::int32_t maxFirst);

} // namespace scanbench
