#include "window_logic/editor/editor_view_updates.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

using Arrow = EditorViewUpdates::Arrow;

class EditorViewUpdatesTest : public ::testing::Test {
protected:
    // A 200-line text with lines 10..32 on screen and the caret on line 12.
    EditorViewUpdatesTest() { updates.Begin({10, 177, 12, 199}); }
    EditorViewUpdates updates;
};

TEST_F(EditorViewUpdatesTest, NothingPendingBeforeABatchOrAfterTakingIt) {
    EditorViewUpdates fresh;
    EXPECT_FALSE(fresh.Pending());
    EXPECT_TRUE(updates.Pending());
    const auto outcome = updates.Take();
    EXPECT_FALSE(updates.Pending());
    EXPECT_FALSE(outcome.MoveCaret || outcome.RefreshShown || outcome.ScrollBarPosition);
    EXPECT_EQ(outcome.ArrowState, Arrow::Unchanged);
    EXPECT_EQ(outcome.FirstLine, 10);
}

TEST_F(EditorViewUpdatesTest, ExecPointPutsCaretOnTheLastFetchedLineWithTheArrowBesideIt) {
    updates.ShowExecPoint(21);
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.ScrollBarPosition, 21);
    EXPECT_TRUE(outcome.MoveCaret);
    EXPECT_EQ(outcome.CaretLine, 20);
    EXPECT_EQ(outcome.FirstLine, 10) << "already on screen";
    EXPECT_EQ(outcome.ArrowState, Arrow::Drawn);
    EXPECT_EQ(outcome.ArrowRow, 10);
}

TEST_F(EditorViewUpdatesTest, ManyStepsAddUpToTheLastOne) {
    for (std::int32_t line = 1; line <= 150; ++line) {
        updates.ShowLine(line - 1);
        updates.ShowExecPoint(line);
    }
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.CaretLine, 149);
    EXPECT_EQ(outcome.FirstLine, 149 - 22) << "scrolled down with the caret";
    EXPECT_EQ(outcome.ArrowRow, 22);
}

TEST_F(EditorViewUpdatesTest, RevealedLineScrollsIntoViewWithoutTheCaret) {
    updates.ShowExecPoint(33); // the arrow on line 32, the last row
    updates.RevealLine(33);    // a breakpoint on the next line, below the screen
    auto outcome = updates.Take();
    EXPECT_EQ(outcome.FirstLine, 11);
    EXPECT_EQ(outcome.CaretLine, 32);
    EXPECT_EQ(outcome.ArrowRow, 21) << "the arrow stays beside the line just run";
    EXPECT_TRUE(outcome.RefreshShown);

    updates.Begin({10, 177, 12, 199});
    updates.RevealLine(150); // after a jump: the arrow's row follows later
    outcome = updates.Take();
    EXPECT_EQ(outcome.FirstLine, 128);
    EXPECT_FALSE(outcome.MoveCaret);
    EXPECT_EQ(outcome.ArrowState, Arrow::Unchanged);
}

TEST(EditorViewUpdates, ScrollsByTheRowsTheEditorReallyShows) {
    EditorViewUpdates updates;
    updates.Begin({10, 180, 12, 199, 20});
    updates.ShowExecPoint(31); // line 30, one below the 20 rows from line 10
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.FirstLine, 11);
    EXPECT_EQ(outcome.ArrowRow, 19);
}

TEST_F(EditorViewUpdatesTest, FetchAfterABackwardJumpKeepsTheFirstShownLineOnTop) {
    // A two-line statement at lines 2..3 fetched after a jump back: showing
    // line 2 scrolls it to the top, and line 3 is then already visible.
    updates.ShowLine(2);
    updates.ShowExecPoint(4);
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.FirstLine, 2);
    EXPECT_EQ(outcome.CaretLine, 3);
    EXPECT_EQ(outcome.ArrowRow, 1);
}

TEST_F(EditorViewUpdatesTest, ExecPointAtLineZeroKeepsTheCaretLine) {
    updates.ShowExecPoint(0);
    const auto outcome = updates.Take();
    EXPECT_TRUE(outcome.MoveCaret) << "to the start of its own line";
    EXPECT_EQ(outcome.CaretLine, 12);
    EXPECT_EQ(outcome.ScrollBarPosition, 0);
}

TEST_F(EditorViewUpdatesTest, LinePastTheEndLeavesTheCaretButStillRefreshes) {
    updates.ShowLine(500);
    const auto outcome = updates.Take();
    EXPECT_FALSE(outcome.MoveCaret);
    EXPECT_EQ(outcome.CaretLine, 12);
    EXPECT_TRUE(outcome.RefreshShown);
}

TEST_F(EditorViewUpdatesTest, RepeatedExecPointAfterOtherRequestsStillApplies) {
    updates.ShowExecPoint(15);
    updates.ShowLine(100); // scrolls the point's row off the screen
    updates.ShowExecPoint(15);
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.CaretLine, 14);
    EXPECT_EQ(outcome.FirstLine, 14);
    EXPECT_EQ(outcome.ArrowRow, 0);
    updates.Begin({10, 177, 12, 199});
    updates.ShowExecPoint(15);
    updates.ClearArrow();
    updates.ShowExecPoint(15);
    EXPECT_EQ(updates.Take().ArrowState, Arrow::Drawn);
}

TEST_F(EditorViewUpdatesTest, LastOfArrowAndClearWins) {
    updates.ShowExecPoint(15);
    updates.ClearArrow();
    EXPECT_EQ(updates.Take().ArrowState, Arrow::Cleared);
    updates.Begin({10, 177, 12, 199});
    updates.ClearArrow();
    updates.ShowExecPoint(15);
    EXPECT_EQ(updates.Take().ArrowState, Arrow::Drawn);
}

TEST(EditorViewUpdates, ScrollingStopsAtTheEditorsLimit) {
    EditorViewUpdates updates;
    updates.Begin({0, 7, 0, 29}); // a 30-line text
    updates.ShowExecPoint(30);
    const auto outcome = updates.Take();
    EXPECT_EQ(outcome.FirstLine, 7);
    EXPECT_EQ(outcome.CaretLine, 29);
    EXPECT_EQ(outcome.ArrowRow, 22);
}

} // namespace
} // namespace scanbench
