#include "window_logic/gutter_geometry.h"

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
