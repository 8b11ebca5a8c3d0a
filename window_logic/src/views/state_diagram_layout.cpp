#include "window_logic/views/state_diagram_layout.h"

namespace scanbench {

namespace {

// Left edges of the three columns of boxes, and how far a box sits below the
// top of its tile.
constexpr int ResetColumn = 16;
constexpr int DataColumn = 105;
constexpr int InstructionColumn = 211;
constexpr int BoxDrop = 5;

constexpr DiagramArrow Arrow(std::uint8_t from, std::uint8_t to, std::uint8_t tms,
                             std::initializer_list<DiagramPoint> points) {
    DiagramArrow arrow{from, to, tms, {}, 0};
    for (const DiagramPoint& p : points) {
        arrow.Corners[static_cast<std::size_t>(arrow.PointCount++)] = p;
    }
    return arrow;
}

// Routes: the main path runs down each column; self-loops sit on the right of
// the register columns and on the left of the first column; the skips past
// Shift and Pause run along the right of their column, the way back to Shift
// and the ways back to Select-DR-Scan along the left; the way back to
// Run-Test/Idle runs under everything. No two arrows cross.
constexpr std::array<DiagramArrow, 32> Arrows{{
    // TMS = 1
    Arrow(0, 0, 1, {{16, 10}, {8, 10}, {8, 20}, {16, 20}}),
    Arrow(1, 2, 1, {{56, 44}, {105, 44}}),
    Arrow(2, 3, 1, {{145, 44}, {211, 44}}),
    Arrow(3, 0, 1, {{231, 35}, {231, 15}, {56, 15}}),
    Arrow(4, 8, 1, {{145, 82}, {162, 82}, {162, 146}, {145, 146}}),
    Arrow(5, 9, 1, {{251, 81}, {266, 81}, {266, 146}, {251, 146}}),
    Arrow(6, 8, 1, {{125, 124}, {125, 141}}),
    Arrow(7, 9, 1, {{231, 126}, {231, 141}}),
    Arrow(8, 14, 1, {{145, 156}, {170, 156}, {170, 250}, {145, 250}}),
    Arrow(9, 15, 1, {{251, 156}, {273, 156}, {273, 251}, {251, 251}}),
    Arrow(10, 12, 1, {{125, 195}, {125, 210}}),
    Arrow(11, 13, 1, {{231, 197}, {231, 210}}),
    Arrow(12, 14, 1, {{125, 230}, {125, 245}}),
    Arrow(13, 15, 1, {{231, 230}, {231, 246}}),
    Arrow(14, 2, 1, {{105, 255}, {85, 255}, {85, 53}, {105, 53}}),
    Arrow(15, 2, 1, {{211, 256}, {185, 256}, {185, 53}, {145, 53}}),
    // TMS = 0
    Arrow(0, 1, 0, {{36, 25}, {36, 37}}),
    Arrow(1, 1, 0, {{16, 42}, {8, 42}, {8, 52}, {16, 52}}),
    Arrow(2, 4, 0, {{125, 58}, {125, 72}}),
    Arrow(3, 5, 0, {{231, 55}, {231, 71}}),
    Arrow(4, 6, 0, {{125, 92}, {125, 104}}),
    Arrow(5, 7, 0, {{231, 91}, {231, 106}}),
    Arrow(6, 6, 0, {{145, 109}, {155, 109}, {155, 119}, {145, 119}}),
    Arrow(7, 7, 0, {{251, 111}, {261, 111}, {261, 121}, {251, 121}}),
    Arrow(8, 10, 0, {{125, 161}, {125, 175}}),
    Arrow(9, 11, 0, {{231, 161}, {231, 177}}),
    Arrow(10, 10, 0, {{145, 180}, {155, 180}, {155, 190}, {145, 190}}),
    Arrow(11, 11, 0, {{251, 182}, {261, 182}, {261, 192}, {251, 192}}),
    Arrow(12, 6, 0, {{105, 220}, {95, 220}, {95, 114}, {105, 114}}),
    Arrow(13, 7, 0, {{211, 220}, {200, 220}, {200, 116}, {211, 116}}),
    Arrow(14, 1, 0, {{125, 265}, {125, 280}, {31, 280}, {31, 57}}),
    Arrow(15, 1, 0, {{231, 266}, {231, 290}, {20, 290}, {20, 57}}),
}};

} // namespace

DiagramRect StateBox(std::uint8_t state) {
    state &= 15;
    const int left = state < 2 ? ResetColumn : (state % 2 == 0 ? DataColumn : InstructionColumn);
    return {left, StateTileXY[state].Y + BoxDrop, StateDiagram::BoxWidth, StateDiagram::BoxHeight};
}

std::span<const DiagramArrow> DiagramArrows() {
    return Arrows;
}

} // namespace scanbench
