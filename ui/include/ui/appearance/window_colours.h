#pragma once

#include "engine/feed/status_colour.h"

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

// The simulated board window: the board in the state diagrams' teal, dark
// chips, the present TAP state in the diagrams' highlight colour, red LEDs.
namespace BoardColours {
inline constexpr Rgb Board{0, 128, 128};
inline constexpr Rgb BoardText{255, 255, 255};
inline constexpr Rgb Wire{255, 255, 0};
inline constexpr Rgb ChipBody{40, 42, 50};
inline constexpr Rgb ChipEdge{12, 14, 18};
inline constexpr Rgb ChipName{255, 255, 255};
inline constexpr Rgb FieldName{170, 185, 195};
inline constexpr Rgb Value{255, 255, 255};
inline constexpr Rgb StateBox{0, 255, 255};
inline constexpr Rgb StateText{0, 0, 0};
inline constexpr Rgb LedLit{255, 48, 40};
inline constexpr Rgb LedDark{95, 28, 28};
inline constexpr Rgb SwitchSlot{20, 20, 24};
inline constexpr Rgb SwitchHigh{0, 200, 80};
inline constexpr Rgb SwitchKnob{235, 235, 235};
inline constexpr Rgb Panel{0, 96, 96};
} // namespace BoardColours

} // namespace scanbench
