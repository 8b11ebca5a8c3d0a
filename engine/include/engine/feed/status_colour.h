#pragma once

#include <cstdint>

namespace scanbench {

// Colours of the status line and the read-outs.
enum class StatusColour : std::uint8_t { Red, Green, Blue, Navy, Purple, Yellow, Grey, Magenta };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

[[nodiscard]] constexpr Rgb ToRgb(StatusColour colour) {
    switch (colour) {
    case StatusColour::Red:
        return {255, 0, 0};
    case StatusColour::Green:
        return {0, 128, 0};
    case StatusColour::Blue:
        return {0, 0, 255};
    case StatusColour::Navy:
        return {0, 0, 128};
    case StatusColour::Purple:
        return {128, 0, 128};
    case StatusColour::Yellow:
        return {255, 255, 0};
    case StatusColour::Grey:
        return {128, 128, 128};
    case StatusColour::Magenta:
        return {255, 0, 255};
    }
    return {};
}

} // namespace scanbench
