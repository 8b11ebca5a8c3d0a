#include "engine/feed/view_feed.h"
#include "engine/run/run_switches.h"
#include "engine/tap/reset_scrambler.h"
#include "engine/tap/tap_controller.h"
#include "engine/tap/tap_models.h"
#include "engine/tap/tap_state.h"
#include "engine/tap/tms_paths.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace scanbench {
namespace {

TapController ControllerIn(std::uint8_t state) {
    // Walk the controller there along the table's own path.
    TapController c;
    for (std::uint8_t v : TmsPaths()[0][state]) {
        if (v == EndOfPath) {
            break;
        }
        c.Step(v);
    }
    return c;
}

TEST(TapController, StartsInTestLogicResetAndFiveTms1AlwaysReturnThere) {
    EXPECT_EQ(TapController{}.StateIndex(), 0);
    for (std::uint8_t s = 0; s < 16; ++s) {
        TapController c = ControllerIn(s);
        ASSERT_EQ(c.StateIndex(), s);
        for (int i = 0; i < 5; ++i) {
            c.StepTms1();
        }
        EXPECT_EQ(c.StateIndex(), 0) << "from state " << int(s);
    }
}

TEST(TapController, Exit2IrGoesToUpdateIrOrBackToShiftIr) {
    TapController c = ControllerIn(13);
    c.StepTms1();
    EXPECT_EQ(c.StateIndex(), 15);
    c = ControllerIn(13);
    c.StepTms0();
    EXPECT_EQ(c.StateIndex(), 7);
}

TEST(TapController, NodesKnowTheirIndexAndDoneReinitialises) {
    TapController c = ControllerIn(6);
    for (std::uint8_t s = 0; s < 16; ++s) {
        EXPECT_EQ(c.Node(s).Index, s);
    }
    c.Done();
    EXPECT_EQ(c.StateIndex(), 0);
}

TEST(StateByName, MatchesCaseInsensitivelyAndOnlyWholeNames) {
    EXPECT_EQ(StateByName("drshift"), 6);
    EXPECT_EQ(StateByName("IRUPDATE"), 15);
    EXPECT_EQ(StateByName("Reset"), 0);
    EXPECT_EQ(StateByName("DR SHIFT"), NoSuchState);
    EXPECT_EQ(StateByName(""), NoSuchState);
    EXPECT_EQ(StateByName("DRSHIFT "), NoSuchState);
}

// Shortest TMS sequence under the path rule: never through Test-Logic-Reset
// (except as the target), never the Exit2 -> Shift edges; to Test-Logic-Reset
// always five ones.
std::string RulePath(std::uint8_t from, std::uint8_t to) {
    if (from == to) {
        return "";
    }
    if (to == 0) {
        return "11111";
    }
    const TapController graph;
    std::deque<std::pair<std::uint8_t, std::string>> queue{{from, ""}};
    std::array<bool, 16> seen{};
    seen[from] = true;
    while (!queue.empty()) {
        auto [state, path] = queue.front();
        queue.pop_front();
        for (std::uint8_t tms : {0, 1}) {
            const TapNode& node = graph.Node(state);
            const std::uint8_t next = tms == 1 ? node.NextTms1 : node.NextTms0;
            const bool exit2ToShift = tms == 0 && (state == 12 || state == 13);
            if (next == 0 || exit2ToShift || seen[next]) {
                continue;
            }
            const std::string longer = path + char('0' + tms);
            if (next == to) {
                return longer;
            }
            seen[next] = true;
            queue.emplace_back(next, longer);
        }
    }
    return "unreachable";
}

std::string TablePath(std::uint8_t from, std::uint8_t to) {
    std::string path;
    for (std::uint8_t v : TmsPaths()[from][to]) {
        if (v == EndOfPath) {
            break;
        }
        path += char('0' + v);
    }
    return path;
}

TEST(TmsPaths, FollowTheRuleExceptExactlyTheTwoHistoricalCells) {
    int exceptions = 0;
    for (std::uint8_t from = 0; from < 16; ++from) {
        for (std::uint8_t to = 0; to < 16; ++to) {
            const std::string table = TablePath(from, to);
            const std::string rule = RulePath(from, to);
            if (from == 2 && to == 1) {
                EXPECT_EQ(table, "110");
                EXPECT_NE(rule, table);
                ++exceptions;
            } else if (from == 4 && to == 2) {
                EXPECT_EQ(table, "1101");
                EXPECT_NE(rule, table);
                ++exceptions;
            } else {
                EXPECT_EQ(table, rule) << int(from) << " -> " << int(to);
            }
        }
    }
    EXPECT_EQ(exceptions, 2);
}

TEST(TmsPaths, EveryCellLeadsToItsTargetAndEndsWithinTheRow) {
    for (std::uint8_t from = 0; from < 16; ++from) {
        for (std::uint8_t to = 0; to < 16; ++to) {
            const TmsPath& path = TmsPaths()[from][to];
            ASSERT_LE(PathLength(path), 8U);
            EXPECT_EQ(path[PathLength(path)], EndOfPath);
            TapController c = ControllerIn(from);
            for (std::size_t k = 0; k < PathLength(path); ++k) {
                c.Step(path[k]);
            }
            EXPECT_EQ(c.StateIndex(), to) << int(from) << " -> " << int(to);
        }
    }
}

TEST(TmsPaths, NamedEdgeCases) {
    EXPECT_EQ(TablePath(6, 6), "");
    EXPECT_EQ(TablePath(0, 0), "");
    EXPECT_EQ(TablePath(12, 6), "1100");
    EXPECT_EQ(TablePath(3, 1), "0110");
}

// Counts the state-diagram refreshes a feed delivers.
class CountingListener : public ViewListener {
public:
    explicit CountingListener(ViewFeed& feed) : Subscribed(feed.Subscribe(*this)) {}
    void RefreshView(ViewChanges changes) override {
        Redraws += changes.Has(ViewChange::TapStates);
    }
    int Redraws = 0;

private:
    ViewFeed::Subscription Subscribed;
};

TEST(TapModels, NotifyTheStateDisplayOfEveryStepOfARealTap) {
    ViewFeed feed;
    CountingListener reporter(feed);
    TapModels taps(feed);
    taps.TapTms0(1);
    EXPECT_EQ(taps.State(1), 1);
    EXPECT_EQ(reporter.Redraws, 1);
    taps.TapTms1(1);
    EXPECT_EQ(taps.State(1), 2);
    EXPECT_EQ(reporter.Redraws, 2);
    taps.TapTms1(2); // no such TAP: nothing steps, nothing to redraw
    EXPECT_EQ(taps.State(0), 0);
    EXPECT_EQ(taps.State(1), 2);
    EXPECT_EQ(reporter.Redraws, 2);
}

TEST(ResetScrambler, GeneratorFollowsTheLinearCongruentialRecurrence) {
    ResetScrambler scrambler;
    std::uint32_t seed = 0;
    for (int i = 0; i < 1000; ++i) {
        seed = seed * 134775813U + 1U;
        const auto expected = static_cast<std::uint32_t>((std::uint64_t{seed} * 100U) >> 32);
        ASSERT_EQ(scrambler.NextPercent(), expected);
        ASSERT_LT(expected, 100U);
    }
}

TEST(ResetScrambler, FirstScramblesAfterStartAreFixed) {
    ViewFeed feed;
    CountingListener reporter(feed);
    TapModels taps(feed);
    ResetScrambler scrambler;
    scrambler.Scramble(taps);
    EXPECT_EQ(reporter.Redraws, 40);
    // Draws 0, 3, 86, 20, 27, 67, ... alternate between TAP 0 and TAP 1.
    EXPECT_EQ(taps.State(0), 2);
    EXPECT_EQ(taps.State(1), 1);
    // The generator carries on, so the second reset differs from the first.
    scrambler.Scramble(taps);
    EXPECT_EQ(taps.State(0), 3);
    EXPECT_EQ(taps.State(1), 15);
}

} // namespace
} // namespace scanbench
