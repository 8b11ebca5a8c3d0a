#include "window_logic/editor/caret_position.h"

namespace scanbench {

std::string CaretPositionText(std::int32_t line, std::int32_t column) {
    return "Line: " + std::to_string(std::int64_t{line} + 1) +
           "   Col: " + std::to_string(std::int64_t{column} + 1);
}

} // namespace scanbench
