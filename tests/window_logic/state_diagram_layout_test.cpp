#include "engine/tap/tap_controller.h"
#include "window_logic/views/state_diagram_layout.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

bool Overlap(DiagramRect a, DiagramRect b) {
    return a.X < b.Right() && b.X < a.Right() && a.Y < b.Bottom() && b.Y < a.Bottom();
}

bool OnBorder(DiagramPoint p, DiagramRect r) {
    const bool inX = p.X >= r.X && p.X <= r.Right();
    const bool inY = p.Y >= r.Y && p.Y <= r.Bottom();
    return (inY && (p.X == r.X || p.X == r.Right())) || (inX && (p.Y == r.Y || p.Y == r.Bottom()));
}

// Whether the run from a to b passes through the inside of r.
bool Crosses(DiagramPoint a, DiagramPoint b, DiagramRect r) {
    const int left = std::min(a.X, b.X);
    const int right = std::max(a.X, b.X);
    const int top = std::min(a.Y, b.Y);
    const int bottom = std::max(a.Y, b.Y);
    return left < r.Right() && right > r.X && top < r.Bottom() && bottom > r.Y;
}

TEST(StateDiagramLayout, EveryBoxSitsInsideItsOwnTileAndTilesNeverOverlap) {
    for (std::uint8_t s = 0; s < TapStateCount; ++s) {
        const DiagramRect tile = StateTile(s);
        EXPECT_TRUE(tile.X >= 0 && tile.Y >= 0 && tile.Right() <= StateDiagram::PictureWidth &&
                    tile.Bottom() <= StateDiagram::PictureHeight)
            << int{s};
        // A pixel of margin keeps the box's smoothed edge inside the tile.
        const DiagramRect box = StateBox(s);
        EXPECT_TRUE(box.X > tile.X && box.Y > tile.Y && box.Right() < tile.Right() &&
                    box.Bottom() < tile.Bottom())
            << int{s};
        for (std::uint8_t t = 0; t < s; ++t) {
            EXPECT_FALSE(Overlap(tile, StateTile(t))) << int{s} << " " << int{t};
        }
    }
}

TEST(StateDiagramLayout, ArrowsAreExactlyTheTransitionsOfTheController) {
    const TapController graph;
    std::array<std::array<int, 2>, TapStateCount> drawn{};
    for (const DiagramArrow& arrow : DiagramArrows()) {
        const TapNode& node = graph.Node(arrow.From);
        EXPECT_EQ(arrow.To, arrow.Tms == 1 ? node.NextTms1 : node.NextTms0)
            << int{arrow.From} << " TMS=" << int{arrow.Tms};
        ++drawn[arrow.From][arrow.Tms];
    }
    for (std::uint8_t s = 0; s < TapStateCount; ++s) {
        EXPECT_EQ(drawn[s][0], 1) << int{s};
        EXPECT_EQ(drawn[s][1], 1) << int{s};
    }
}

TEST(StateDiagramLayout, ArrowsRunStraightFromBoxToBoxWithoutCrossingBoxesOrEachOther) {
    const auto arrows = DiagramArrows();
    for (const DiagramArrow& arrow : arrows) {
        const auto points = arrow.Points();
        ASSERT_GE(points.size(), 2U);
        EXPECT_TRUE(OnBorder(points.front(), StateBox(arrow.From))) << int{arrow.From};
        EXPECT_TRUE(OnBorder(points.back(), StateBox(arrow.To))) << int{arrow.To};
        for (std::size_t i = 1; i < points.size(); ++i) {
            const DiagramPoint a = points[i - 1];
            const DiagramPoint b = points[i];
            EXPECT_TRUE(a.X == b.X || a.Y == b.Y) << int{arrow.From} << "->" << int{arrow.To};
            EXPECT_TRUE(a.X >= 0 && a.X < StateDiagram::PictureWidth && a.Y >= 0 &&
                        a.Y < StateDiagram::PictureHeight);
            for (std::uint8_t s = 0; s < TapStateCount; ++s) {
                EXPECT_FALSE(Crosses(a, b, StateBox(s)))
                    << int{arrow.From} << "->" << int{arrow.To} << " over " << int{s};
            }
        }
    }
    // A horizontal run of one arrow and a vertical run of another never cross
    // away from their ends.
    for (const DiagramArrow& one : arrows) {
        for (const DiagramArrow& other : arrows) {
            const auto p = one.Points();
            const auto q = other.Points();
            for (std::size_t i = 1; i < p.size(); ++i) {
                for (std::size_t j = 1; j < q.size(); ++j) {
                    if (p[i - 1].Y != p[i].Y || q[j - 1].X != q[j].X) {
                        continue;
                    }
                    const int y = p[i].Y;
                    const int x = q[j].X;
                    const bool crossing =
                        x > std::min(p[i - 1].X, p[i].X) && x < std::max(p[i - 1].X, p[i].X) &&
                        y > std::min(q[j - 1].Y, q[j].Y) && y < std::max(q[j - 1].Y, q[j].Y);
                    EXPECT_FALSE(crossing) << int{one.From} << "->" << int{one.To} << " and "
                                           << int{other.From} << "->" << int{other.To};
                }
            }
        }
    }
}

TEST(StateDiagramLayout, HighlightMovesRestoreTheOldTileOnlyOnceOneWasDrawn) {
    EXPECT_EQ(MoveHighlight(StateDiagram::NoState, 0), (HighlightMove{std::nullopt, 0}));
    EXPECT_EQ(MoveHighlight(6, 6), HighlightMove{});
    EXPECT_EQ(MoveHighlight(6, 8), (HighlightMove{6, 8}));
}

} // namespace
} // namespace scanbench
