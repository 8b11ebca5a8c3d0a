#pragma once

#include "engine/tap/tap_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace scanbench {

// The TAP state diagram as the state diagram window draws it: one box per
// state inside a 70 x 30 tile, and the transitions as arrows made of
// horizontal and vertical runs. A state's tile is where its highlight is
// drawn; the tiles never overlap and nothing but the box changes between
// a normal and a highlighted tile.
namespace StateDiagram {
inline constexpr int PictureWidth = 277;
inline constexpr int PictureHeight = 299;
inline constexpr int TileWidth = 70;
inline constexpr int TileHeight = 30;
inline constexpr int BoxWidth = 40;
inline constexpr int BoxHeight = 20;
// What a picture shows before its first highlight.
inline constexpr std::uint8_t NoState = 100;
} // namespace StateDiagram

struct DiagramPoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(DiagramPoint, DiagramPoint) = default;
};

struct DiagramRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    [[nodiscard]] constexpr int Right() const { return X + Width; }
    [[nodiscard]] constexpr int Bottom() const { return Y + Height; }
    [[nodiscard]] constexpr bool Contains(int x, int y) const {
        return x >= X && x < Right() && y >= Y && y < Bottom();
    }
    friend constexpr bool operator==(DiagramRect, DiagramRect) = default;
};

// Top-left corner of each state's tile, by state number.
inline constexpr std::array<DiagramPoint, TapStateCount> StateTileXY{{
    {0, 0},     // Test-Logic-Reset
    {2, 32},    // Run-Test/Idle
    {94, 33},   // Select-DR-Scan
    {192, 30},  // Select-IR-Scan
    {94, 67},   // Capture-DR
    {200, 66},  // Capture-IR
    {86, 99},   // Shift-DR
    {196, 101}, // Shift-IR
    {94, 136},  // Exit1-DR
    {196, 136}, // Exit1-IR
    {88, 170},  // Pause-DR
    {200, 172}, // Pause-IR
    {94, 205},  // Exit2-DR
    {198, 205}, // Exit2-IR
    {92, 240},  // Update-DR
    {200, 241}, // Update-IR
}};

// The names written in the boxes.
inline constexpr std::array<std::string_view, TapStateCount> StateShortNames{
    "TLR",  "RTI",  "SDRS", "SIRS", "CPDR", "CPIR", "SHDR", "SHIR",
    "E1DR", "E1IR", "PDR",  "PIR",  "E2DR", "E2IR", "UPDR", "UPIR"};

[[nodiscard]] constexpr DiagramRect StateTile(std::uint8_t state) {
    const DiagramPoint corner = StateTileXY[state & 15];
    return {corner.X, corner.Y, StateDiagram::TileWidth, StateDiagram::TileHeight};
}

// The box of a state. Boxes of one column line up: Test-Logic-Reset and
// Run-Test/Idle on the left, the data-register states in the middle, the
// instruction-register states on the right.
[[nodiscard]] DiagramRect StateBox(std::uint8_t state);

// A transition: from `From` to `To` when TMS is `Tms`, drawn through
// `Points` (the arrowhead at the last one).
struct DiagramArrow {
    std::uint8_t From = 0;
    std::uint8_t To = 0;
    std::uint8_t Tms = 0;
    std::array<DiagramPoint, 4> Corners{};
    int PointCount = 0;
    [[nodiscard]] std::span<const DiagramPoint> Points() const {
        return std::span(Corners).first(static_cast<std::size_t>(PointCount));
    }
};

// Every transition of the state graph, self-loops included.
[[nodiscard]] std::span<const DiagramArrow> DiagramArrows();

// Where the key to the arrow colours goes.
inline constexpr DiagramPoint DiagramKeyOrigin{39, 128};

// What a picture must redraw to move its highlight from `shown` to
// `present`: the old state's normal tile, then the new state's highlight.
struct HighlightMove {
    std::optional<std::uint8_t> Restore;
    std::optional<std::uint8_t> Highlight;
    friend constexpr bool operator==(const HighlightMove&, const HighlightMove&) = default;
};
[[nodiscard]] constexpr HighlightMove MoveHighlight(std::uint8_t shown, std::uint8_t present) {
    if (shown == present) {
        return {};
    }
    HighlightMove move;
    if (shown < TapStateCount) {
        move.Restore = shown;
    }
    move.Highlight = present;
    return move;
}

} // namespace scanbench
