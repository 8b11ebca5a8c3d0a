// Faults on a board's nets: what the pins see, which faults a board takes,
// and the faults a seed chooses.
#include "board/chip_board.h"
#include "board/demo_board.h"
#include "board/net_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace scanbench {
namespace {

// Outside EXTEST U1 copies its switches onto the nets, and each net's LED
// shows the level at U2's end: LED row "N0" .. "N7", bit i of the result.
std::uint8_t NetLeds(const ChipBoard& board) {
    std::uint8_t lit = 0;
    for (int net = 0; net < 8; ++net) {
        const auto row = board.FindLed("N" + std::to_string(net));
        lit = static_cast<std::uint8_t>(lit | ((board.LedValue(*row) & 1U) << net));
    }
    return lit;
}

TEST(NetFaults, EachKindChangesWhatTheReceiverSeesUntilTakenAway) {
    ChipBoard board(InterconnectBoard());
    board.SetSwitches(*board.FindChip("U1"), 0x0F);
    ASSERT_EQ(NetLeds(board), 0x0F);
    const struct {
        const char* Fault;
        std::uint8_t Seen;
    } cases[] = {
        {"N1=stuck0", 0x0D},   {"N5=stuck1", 0x2F}, {"N6=open", 0x4F}, // the pull-up
        {"N2=open", 0x0F},                                             // driven 1 or pulled up
        {"N3+N4=short", 0x07},                                         // wired AND
        {"N0+N1=short", 0x0F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fault);
        ASSERT_EQ(board.SetFaults({std::get<NetFault>(ParseNetFault(c.Fault))}), std::nullopt);
        EXPECT_EQ(NetLeds(board), c.Seen);
    }
    ASSERT_EQ(board.SetFaults({}), std::nullopt);
    EXPECT_EQ(NetLeds(board), 0x0F);
}

TEST(NetFaults, ABoardRefusesFaultsItCannotCarryAndKeepsItsOwn) {
    ChipBoard board(InterconnectBoard());
    const NetFault open{NetFaultKind::Open, "n3", {}};
    ASSERT_EQ(board.SetFaults({open}), std::nullopt);
    EXPECT_EQ(board.SetFaults({{NetFaultKind::StuckAt0, "N9", {}}}),
              "no net N9 on this board (its nets: N0, N1, N2, N3, N4, N5, N6, N7)");
    EXPECT_EQ(
        board.SetFaults({{NetFaultKind::StuckAt1, "N3", {}}, {NetFaultKind::Short, "N4", "n3"}}),
        "net N3 carries two faults");
    EXPECT_EQ(board.Faults(), std::vector<NetFault>{open});

    ChipBoard demo(DemoBoard());
    EXPECT_EQ(demo.SetFaults({open}), "this board has no nets to put a fault on");
    EXPECT_EQ(ApplyFaultChoice({{}, 7, false}, demo), "this board has no nets to put a fault on");
    EXPECT_EQ(demo.SetFaults({}), std::nullopt);
}

TEST(NetFaults, ASeedChoosesOneOrTwoFaultsOnDifferentNetsTheSameEveryTime) {
    const std::vector<std::string> nets{"N0", "N1", "N2", "N3", "N4", "N5", "N6", "N7"};
    std::set<std::size_t> counts;
    std::set<NetFaultKind> kinds;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        const std::vector<NetFault> faults = RandomNetFaults(seed, nets);
        EXPECT_EQ(faults, RandomNetFaults(seed, nets));
        counts.insert(faults.size());
        std::set<std::string> used;
        for (const NetFault& fault : faults) {
            kinds.insert(fault.Kind);
            EXPECT_TRUE(used.insert(fault.Net).second) << seed;
            if (fault.Kind == NetFaultKind::Short) {
                EXPECT_TRUE(used.insert(fault.Other).second) << seed;
                EXPECT_LT(fault.Net, fault.Other) << "a short in the board's order";
            }
        }
    }
    EXPECT_EQ(counts, (std::set<std::size_t>{1, 2}));
    EXPECT_EQ(kinds.size(), 4U);
    // A mystery board handed out as its seed stays the same board in every
    // version: the choice depends on nothing but the seed and the nets.
    EXPECT_EQ(NetFaultListText(RandomNetFaults(1, nets)), "N0+N6=short, N3=stuck1");
    EXPECT_EQ(NetFaultListText(RandomNetFaults(2, nets)), "N7=open");
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        for (const NetFault& fault : RandomNetFaults(seed, {"DATA"})) {
            EXPECT_NE(fault.Kind, NetFaultKind::Short);
        }
    }
    EXPECT_TRUE(RandomNetFaults(3, {}).empty());
}

} // namespace
} // namespace scanbench
