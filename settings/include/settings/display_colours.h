#pragma once

#include "engine/feed/status_colour.h"

namespace scanbench {

// Fixed colours of the waveform display. They are not stored; the user
// cannot change them.
inline constexpr Rgb WaveBackColor{0, 0, 0};     // black
inline constexpr Rgb TckColor{255, 255, 255};    // white
inline constexpr Rgb TckColorAhead{0, 128, 128}; // teal
inline constexpr Rgb TmsColor{255, 255, 0};      // yellow
inline constexpr Rgb TmsColorAhead{0, 128, 0};   // green
inline constexpr Rgb RxColor{0, 255, 255};       // aqua
inline constexpr Rgb TxColor{255, 0, 0};         // red
inline constexpr Rgb ArrowColor{128, 0, 0};      // maroon
inline constexpr Rgb MarkerColor{255, 255, 255}; // white

} // namespace scanbench
