#include "window_logic/editor/gutter_geometry.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(GutterGeometry, BoxesStandForTheVisibleLines) {
    // Line 40 (1-based) at the top: the first visible 0-based line is 39.
    EXPECT_EQ(BoxLine(39, 1) + 1, 40);
    EXPECT_EQ(BoxLine(39, 23) + 1, 62);
    EXPECT_EQ(BoxLine(0, 1), 0);
}

TEST(GutterGeometry, RowsContinueBelowTheTextAtTheLastRowsHeight) {
    using Rows = std::vector<RowSpan>;
    EXPECT_EQ(ContinueRows({{89, 18}, {107, 18}}, 4, 89, 16),
              (Rows{{89, 18}, {107, 18}, {125, 18}, {143, 18}}));
    EXPECT_EQ(ContinueRows({}, 2, 89, 16), (Rows{{89, 16}, {105, 16}})) << "empty editor";
    EXPECT_EQ(ContinueRows({{80, 16}, {96, 16}, {112, 16}}, 2, 80, 16), (Rows{{80, 16}, {96, 16}}));
}

TEST(GutterGeometry, OnlyWholeRowsCount) {
    const std::vector<RowSpan> sixteen = ContinueRows({}, 23, 89, 16);
    EXPECT_EQ(WholeRowsAbove(sixteen, 89 + 23 * 16), 23);
    EXPECT_EQ(WholeRowsAbove(sixteen, 89 + 23 * 16 - 1), 22) << "the last row cut";
    EXPECT_EQ(WholeRowsAbove(ContinueRows({}, 23, 89, 18), 460), 20);
    EXPECT_EQ(WholeRowsAbove(ContinueRows({}, 23, 89, 0), 460), 0);
    // The editor keeps a margin below the last whole row, and shows no more
    // rows than there are boxes.
    EXPECT_EQ(WholeRowsMargin(371, 16, 23), 3);
    EXPECT_EQ(WholeRowsMargin(371, 18, 23), 11);
    EXPECT_EQ(WholeRowsMargin(371, 12, 23), 371 - 23 * 12);
    EXPECT_EQ(WholeRowsMargin(10, 16, 23), 0) << "not even one row: nothing to trim";
    EXPECT_EQ(WholeRowsMargin(371, 0, 23), 0);
}

TEST(GutterGeometry, BoxesAndArrowsSitCentredBesideTheirRows) {
    EXPECT_EQ(BoxTopForRow({89, 16}, 17), 89);
    EXPECT_EQ(BoxTopForRow({89, 18}, 17), 90);
    EXPECT_EQ(BoxTopForRow({89, 32}, 17), 97);
    // The marker picture starts at y = 85 and is 379 pixels high.
    EXPECT_EQ(ArrowTopForRow({89, 16}, 16, 85, 379), 4);
    EXPECT_EQ(ArrowTopForRow({441, 16}, 16, 85, 379), 356);
    EXPECT_EQ(ArrowTopForRow({89, 18}, 16, 85, 379), 5);
    EXPECT_EQ(ArrowTopForRow({464, 16}, 16, 85, 379), std::nullopt) << "below the picture";
    EXPECT_EQ(ArrowTopForRow({50, 16}, 16, 85, 379), std::nullopt) << "above it";
}

TEST(GutterGeometry, BoxesLoadAndStoreTheLinesOnScreenOnly) {
    BreakpointFlags flags;
    flags.Set(38, true);
    flags.Set(40, true);
    flags.Set(62, true);
    GutterBoxStates boxes = LoadGutterBoxes(flags, 39);
    EXPECT_FALSE(boxes[0]);
    EXPECT_TRUE(boxes[1]);
    EXPECT_FALSE(boxes[22]) << "line 62 is just below the boxes";

    boxes = {};
    boxes[22] = true;
    StoreGutterBoxes(flags, 39, boxes);
    EXPECT_TRUE(flags.IsSet(38)) << "above the boxes";
    EXPECT_FALSE(flags.IsSet(40)) << "cleared by its box";
    EXPECT_TRUE(flags.IsSet(61));
    EXPECT_TRUE(flags.IsSet(62)) << "below the boxes";
}

TEST(GutterGeometry, LinesBeyondTheFlaggedRangeKeepNoBreakpoint) {
    BreakpointFlags flags;
    GutterBoxStates all{};
    all.fill(true);
    const std::int32_t first = BreakpointFlags::FlagCount - 3;
    StoreGutterBoxes(flags, first, all);
    const GutterBoxStates shown = LoadGutterBoxes(flags, first);
    EXPECT_TRUE(shown[2]) << "the last flagged line";
    EXPECT_FALSE(shown[3]) << "the first line without a flag";
}

struct ScrollCase {
    std::int32_t first;
    std::int32_t target;
    std::int32_t maxFirst;
    std::int32_t expected;
};

class FirstLineToShowTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(FirstLineToShowTest, ScrollsAsLittleAsPossible) {
    const ScrollCase& c = GetParam();
    EXPECT_EQ(FirstLineToShow(c.first, 23, c.target, c.maxFirst), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirstLineToShowTest,
                         ::testing::Values(ScrollCase{10, 10, 100, 10}, // top row
                                           ScrollCase{10, 32, 100, 10}, // bottom row
                                           ScrollCase{10, 33, 100, 11}, // one below
                                           ScrollCase{10, 9, 100, 9},   // one above
                                           ScrollCase{10, 90, 50, 50},  // past the end
                                           ScrollCase{0, 5, -3, 0},     // short text
                                           ScrollCase{40, 0, 100, 0})); // back to the top

TEST(GutterGeometry, LineNumbersFitTheProgramAndStopAtItsEnd) {
    EXPECT_EQ(LineNumberWidth(0, 8, 3), 3 * 8 + 6) << "three digits at least";
    EXPECT_EQ(LineNumberWidth(999, 8, 3), 3 * 8 + 6);
    EXPECT_EQ(LineNumberWidth(1000, 8, 3), 4 * 8 + 6);
    EXPECT_EQ(LineNumberWidth(1 << 20, 8, 3), 7 * 8 + 6);
    EXPECT_EQ(RowLineNumber(39, 0, 100), 40);
    EXPECT_EQ(RowLineNumber(39, 22, 62), 62);
    EXPECT_EQ(RowLineNumber(39, 23, 62), std::nullopt) << "below the end of the text";
    EXPECT_EQ(RowLineNumber(0, -1, 10), std::nullopt);
}

} // namespace
} // namespace scanbench
