#include "window_logic/gutter_geometry.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(GutterGeometry, BoxesStandForTheVisibleLines) {
    // Line 40 (1-based) at the top: the first visible 0-based line is 39.
    EXPECT_EQ(BoxLine(39, 1) + 1, 40);
    EXPECT_EQ(BoxLine(39, 23) + 1, 62);
    EXPECT_EQ(BoxLine(0, 1), 0);
}

TEST(GutterGeometry, BoxesFollowTheSixteenPixelRows) {
    for (int k = 0; k < Gutter::BoxCount; ++k) {
        const int rowTop = 89 + Gutter::RowHeight * k;
        EXPECT_LE(std::abs(Gutter::BoxTops[static_cast<std::size_t>(k)] - rowTop), 3) << k;
    }
}

TEST(GutterGeometry, ArrowTopsOnlyForRowsOfThePicture) {
    EXPECT_EQ(ArrowTop(0), 2);
    EXPECT_EQ(ArrowTop(22), 354);
    EXPECT_EQ(ArrowTop(-1), std::nullopt);
    EXPECT_EQ(ArrowTop(24), std::nullopt);
    EXPECT_EQ(ArrowTop(2000000000), std::nullopt);
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

} // namespace
} // namespace scanbench
