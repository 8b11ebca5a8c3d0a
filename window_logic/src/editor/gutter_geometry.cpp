#include "window_logic/editor/gutter_geometry.h"

#include <algorithm>

namespace scanbench {

GutterBoxStates LoadGutterBoxes(const BreakpointFlags& flags, std::int32_t firstVisible) {
    GutterBoxStates boxes{};
    for (int box = 1; box <= Gutter::BoxCount; ++box) {
        boxes[static_cast<std::size_t>(box - 1)] = flags.IsSet(BoxLine(firstVisible, box));
    }
    return boxes;
}

void StoreGutterBoxes(BreakpointFlags& flags, std::int32_t firstVisible,
                      const GutterBoxStates& boxes) {
    for (int box = 1; box <= Gutter::BoxCount; ++box) {
        flags.Set(BoxLine(firstVisible, box), boxes[static_cast<std::size_t>(box - 1)]);
    }
}

std::vector<RowSpan> ContinueRows(std::vector<RowSpan> laidOut, int count, int firstTop,
                                  int emptyHeight) {
    if (count < 0) {
        count = 0;
    }
    if (laidOut.size() > static_cast<std::size_t>(count)) {
        laidOut.resize(static_cast<std::size_t>(count));
    }
    const int height = laidOut.empty() ? emptyHeight : laidOut.back().Height;
    int top = laidOut.empty() ? firstTop : laidOut.back().Top + laidOut.back().Height;
    while (laidOut.size() < static_cast<std::size_t>(count)) {
        laidOut.push_back({top, height});
        top += height;
    }
    return laidOut;
}

int WholeRowsAbove(const std::vector<RowSpan>& rows, int bottom) {
    int whole = 0;
    for (const RowSpan& row : rows) {
        if (row.Height <= 0 || row.Top + row.Height > bottom) {
            break;
        }
        ++whole;
    }
    return whole;
}

std::optional<int> ArrowTopForRow(const RowSpan& row, int arrowHeight, int pictureTop,
                                  int pictureHeight) {
    const int top = row.Top - pictureTop + (row.Height - arrowHeight) / 2;
    if (top + arrowHeight <= 0 || top >= pictureHeight) {
        return std::nullopt;
    }
    return top;
}

int WholeRowsMargin(int height, int rowHeight, int maxRows) {
    if (height <= 0 || rowHeight <= 0 || maxRows <= 0) {
        return 0;
    }
    const int rows = std::min(height / rowHeight, maxRows);
    return rows > 0 ? height - rows * rowHeight : 0;
}

int LineNumberWidth(std::int32_t lineCount, int digitWidth, int padding) {
    constexpr int MinDigits = 3;
    int digits = 1;
    for (std::int32_t rest = std::max<std::int32_t>(lineCount, 1); rest >= 10; rest /= 10) {
        ++digits;
    }
    return std::max(digits, MinDigits) * std::max(digitWidth, 0) + 2 * std::max(padding, 0);
}

std::optional<std::int32_t> RowLineNumber(std::int32_t firstVisible, int row,
                                          std::int32_t lineCount) {
    const std::int64_t line = static_cast<std::int64_t>(firstVisible) + row;
    if (row < 0 || line < 0 || line >= lineCount) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(line + 1);
}

std::int32_t FirstLineToShow(std::int32_t first, int rows, std::int32_t target,
                             std::int32_t maxFirst) {
    std::int32_t next = first;
    if (target < first) {
        next = target;
    } else if (rows > 0 && target - first >= rows) {
        next = target - rows + 1;
    }
    return std::clamp(next, std::int32_t{0}, std::max(maxFirst, std::int32_t{0}));
}

} // namespace scanbench
