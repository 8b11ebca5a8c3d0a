#pragma once

#include "engine/status_colour.h"

#include <QColor>

namespace scanbench {

[[nodiscard]] inline QColor ToQColor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}
[[nodiscard]] inline QColor ToQColor(StatusColour colour) {
    return ToQColor(ToRgb(colour));
}

// Editor text colours: green while the program can be edited, maroon while
// it runs (0x008000 and 0x000080 written 0xBBGGRR).
inline constexpr Rgb EditableTextColour{0, 128, 0};
inline constexpr Rgb ReadOnlyTextColour{128, 0, 0};

} // namespace scanbench
