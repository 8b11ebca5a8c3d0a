#pragma once

#include "engine/breakpoint_flags.h"

#include <array>
#include <cstdint>
#include <optional>

namespace scanbench {

// The breakpoint gutter beside the program editor: 23 check boxes, one per
// visible 16-pixel editor row, and a marker picture with one arrow row each.
namespace Gutter {
inline constexpr int BoxCount = 23;
inline constexpr int RowHeight = 16;
inline constexpr int BoxLeft = 24;
inline constexpr int BoxSize = 17;
// Box tops in window client coordinates. They follow the editor rows, which
// start at y = 89, within three pixels.
inline constexpr std::array<int, BoxCount> BoxTops{89,  105, 121, 137, 153, 170, 186, 204,
                                                   218, 234, 250, 266, 282, 298, 314, 330,
                                                   345, 361, 377, 393, 409, 426, 442};
} // namespace Gutter

using GutterBoxStates = std::array<bool, Gutter::BoxCount>;

// The 0-based editor line that box `box` (1..23) stands for while
// `firstVisible` is the editor's first visible line.
[[nodiscard]] constexpr std::int32_t BoxLine(std::int32_t firstVisible, int box) {
    return firstVisible + box - 1;
}

// Top of the arrow drawn for editor row `row` (caret line minus first
// visible line) inside the gutter picture; nothing for rows off the picture.
[[nodiscard]] constexpr std::optional<int> ArrowTop(std::int32_t row) {
    if (row < 0 || row > Gutter::BoxCount) {
        return std::nullopt;
    }
    return Gutter::RowHeight * static_cast<int>(row) + 2;
}

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
