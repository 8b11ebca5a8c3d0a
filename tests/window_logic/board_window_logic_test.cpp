#include "../board/jtag_driver.h"
#include "board/demo_board.h"
#include "window_logic/views/board_layout.h"
#include "window_logic/views/board_view.h"
#include "window_logic/views/net_view.h"
#include "window_logic/views/pin_view.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace scanbench {
namespace {

// A font of fixed-width characters: `advance` pixels each.
BoardTextMetrics FixedMetrics(int advance) {
    const auto width = [advance](std::string_view text) {
        return advance * static_cast<int>(text.size());
    };
    return {width, advance * 2, width, advance * 2, width, advance * 2};
}

bool Inside(BoardRect inner, BoardRect outer) {
    return inner.X >= outer.X && inner.Y >= outer.Y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

bool Overlap(BoardRect a, BoardRect b) {
    return a.X < b.Right() && b.X < a.Right() && a.Y < b.Bottom() && b.Y < a.Bottom();
}

BoardPoint Centre(BoardRect r) {
    return {r.X + r.Width / 2, r.Y + r.Height / 2};
}

TEST(BoardView, ShowsEachChipsStateInstructionAndRegisterInChainOrder) {
    ChipBoard board(DemoBoard());
    board.SetSwitches(2, 0x0F);
    board.SetSyncSwitch(SyncSwitch::A, true);
    const BoardView view = DescribeBoard(board);
    ASSERT_EQ(view.Chips.size(), 3U);
    EXPECT_EQ(view.Chips[0].Name, "U1");
    EXPECT_EQ(view.Chips[1].Tap, 0);
    EXPECT_EQ(view.Chips[2].Tap, 1);
    const ChipView& u3 = view.Chips[2];
    EXPECT_EQ(u3.IdCode, "IDCODE 15CB3FFDh");
    EXPECT_EQ(u3.State, "TLR");
    EXPECT_EQ(u3.Instruction, "IDCODE 0001");
    EXPECT_EQ(u3.Register, "IDCODE, 32 bits");
    EXPECT_EQ(u3.Switches, 0x0F);
    EXPECT_EQ(u3.Leds, 0x0F) << "outside EXTEST each LED shows its switch";
    EXPECT_TRUE(view.Sia);
    EXPECT_FALSE(view.Sib);

    EXPECT_EQ(InstructionText(ChipInstruction::Bypass, 0b0111, 4), "BYPASS 0111");
    EXPECT_EQ(RegisterText(DataRegister::Bypass, 1), "BYPASS, 1 bit");
    EXPECT_EQ(LevelsText(0x5A), "5Ah");
    EXPECT_EQ(IdCodeText(0), "no IDCODE");
}

TEST(BoardLayout, ChainsRunFromTdiThroughEachChipToTdoAndNothingOverlaps) {
    const std::vector<BoardChip> chips = DemoBoard().Chips;
    const BoardLayout layout = LayOutBoard(chips, FixedMetrics(8));
    ASSERT_EQ(layout.Rows.size(), 2U);
    ASSERT_EQ(layout.Rows[0].Wires.size(), 3U) << "TDI -> U1 -> U2 -> TDO";
    EXPECT_EQ(layout.Rows[0].Wires[0][1], layout.Chips[0].Tdi);
    EXPECT_EQ(layout.Rows[0].Wires[1][0], layout.Chips[0].Tdo);
    EXPECT_EQ(layout.Rows[0].Wires[1][1], layout.Chips[1].Tdi);
    EXPECT_EQ(layout.Rows[0].Wires[2][0], layout.Chips[1].Tdo);
    const auto& out = layout.Rows[0].Wires[2];
    EXPECT_LE(layout.Rows[0].TdoName.Bottom(), out[0].Y) << "TDO stands above its wire";
    EXPECT_EQ(layout.Rows[0].TdoName.X, out[0].X);
    EXPECT_EQ(layout.Rows[0].TdoName.Right(), out[1].X);
    ASSERT_EQ(layout.Rows[1].Wires.size(), 2U) << "TDI -> U3 -> TDO";

    const BoardRect picture{0, 0, layout.Width, layout.Height};
    std::vector<BoardRect> blocks{layout.Sync.Panel};
    for (const TapRowLayout& row : layout.Rows) {
        blocks.push_back(row.Title);
        blocks.push_back(row.TdiName);
        blocks.push_back(row.TdoName);
    }
    for (const ChipLayout& chip : layout.Chips) {
        blocks.push_back(chip.Body);
        for (std::size_t c = 0; c < BoardColumns; ++c) {
            EXPECT_TRUE(Inside(chip.SwitchTargets[c], chip.Body));
            EXPECT_TRUE(Inside(chip.LedNames[c], chip.Body));
            EXPECT_FALSE(Overlap(chip.Leds[c], chip.LedNames[c]));
        }
        EXPECT_TRUE(Inside(chip.SwitchesValue, chip.Body));
    }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_TRUE(Inside(blocks[i], picture)) << i;
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            EXPECT_FALSE(Overlap(blocks[i], blocks[j])) << i << " and " << j;
        }
    }
}

TEST(BoardLayout, FollowsTheWidthOfTheTextsItMustHold) {
    const std::vector<BoardChip> chips = DemoBoard().Chips;
    for (const int advance : {6, 11}) {
        const BoardTextMetrics metrics = FixedMetrics(advance);
        const BoardLayout layout = LayOutBoard(chips, metrics);
        const ChipLayout& chip = layout.Chips[0];
        EXPECT_GE(chip.Instruction.Width, metrics.ValueWidth("SAMPLE/PRELOAD 0010")) << advance;
        EXPECT_GE(chip.Name.Width,
                  metrics.TitleWidth("U1") + metrics.LabelWidth("IDCODE 15CB1FFDh"));
        EXPECT_GE(chip.SwitchNames[0].Width, metrics.LabelWidth("S7"));
        EXPECT_GE(chip.FieldNames[1].Width, metrics.LabelWidth("Instruction"));
        EXPECT_GE(chip.StateBox.Height, metrics.ValueHeight);
        EXPECT_TRUE(Inside(chip.Register, chip.Body));
    }
    EXPECT_GT(LayOutBoard(chips, FixedMetrics(11)).Width,
              LayOutBoard(chips, FixedMetrics(6)).Width);
}

TEST(BoardLayout, ClicksFindTheSwitchUnderThemAndNothingElse) {
    const std::vector<BoardChip> chips = DemoBoard().Chips;
    const BoardLayout layout = LayOutBoard(chips, FixedMetrics(8));
    const BoardPoint s7 = Centre(layout.Chips[1].Switches[0]);
    EXPECT_EQ(SwitchAt(layout, s7.X, s7.Y), (SwitchHit{false, 1, 7}));
    const BoardPoint s0 = Centre(layout.Chips[2].SwitchNames[7]);
    EXPECT_EQ(SwitchAt(layout, s0.X, s0.Y), (SwitchHit{false, 2, 0})) << "its name counts too";
    const BoardPoint sib = Centre(layout.Sync.Switches[1]);
    EXPECT_EQ(SwitchAt(layout, sib.X, sib.Y), (SwitchHit{true, 0, 1}));
    const BoardPoint led = Centre(layout.Chips[0].Leds[3]);
    EXPECT_FALSE(SwitchAt(layout, led.X, led.Y));
    EXPECT_FALSE(SwitchAt(layout, 0, 0));

    ChipBoard board(DemoBoard());
    BoardView view = DescribeBoard(board);
    EXPECT_TRUE(LayoutFits(layout, view));
    view.Chips.pop_back();
    EXPECT_FALSE(LayoutFits(layout, view));
}

const PinRow& Row(const std::vector<PinRow>& rows, std::string_view chip, std::string_view pin) {
    const auto found = std::ranges::find_if(
        rows, [&](const PinRow& r) { return r.ChipName == chip && r.Name == pin; });
    EXPECT_NE(found, rows.end()) << chip << "." << pin;
    return *found;
}

TEST(PinView, ListsEachPinWithItsCellsDirectionLevelLatchAndWhatHangsOnIt) {
    ChipBoard board(DemoBoard());
    board.SetSwitches(0, 0x09);
    const std::vector<PinRow> rows = DescribePins(board);
    ASSERT_EQ(rows.size(), 48U) << "16 pins on each of three chips";
    const PinRow& s0 = Row(rows, "U1", "S(0)");
    EXPECT_EQ(s0.Cells, "in 0");
    EXPECT_EQ(s0.Direction, "in");
    EXPECT_EQ(s0.Level, "1");
    EXPECT_EQ(s0.Latch, "");
    EXPECT_EQ(s0.Attached, "switch U1 bit 0");
    ASSERT_TRUE(s0.Switch);
    EXPECT_EQ(s0.Switch->Bit, 0U);
    const PinRow& d3 = Row(rows, "U1", "D(3)");
    EXPECT_EQ(d3.Cells, "out 11, ctl 16");
    EXPECT_EQ(d3.Direction, "out") << "the chip's logic drives it from S(3)";
    EXPECT_EQ(d3.Level, "1");
    EXPECT_EQ(d3.Latch, "0");
    EXPECT_EQ(d3.Attached, "LED U1 bit 3");
    EXPECT_FALSE(d3.Settable) << "IDCODE does not select the boundary register";

    EXPECT_TRUE(PinMatches(d3, "u1.d"));
    EXPECT_TRUE(PinMatches(d3, "led u1"));
    EXPECT_FALSE(PinMatches(d3, "U2"));
    EXPECT_TRUE(PinMatches(d3, ""));
}

TEST(PinView, PlansTheNextScanSoThatItSetsTheLatchesChosen) {
    ChipBoard board(DemoBoard());
    JtagDriver tap(board, 0);
    tap.Moves("0");
    tap.LoadInstruction(0b0000'1111, 8); // U2, nearest TDO, BYPASS; U1 EXTEST
    const std::vector<PinRow> rows = DescribePins(board);
    EXPECT_TRUE(Row(rows, "U1", "D(3)").Settable);
    EXPECT_EQ(Row(rows, "U1", "D(3)").Direction, "Z") << "cell 16 holds 0: released";
    EXPECT_FALSE(Row(rows, "U2", "D(3)").Settable);

    EXPECT_EQ(ScanBitOf(board, 0, 11), (ScanBit{0, 12, 18})) << "after U2's BYPASS bit";
    EXPECT_EQ(ScanBitOf(board, 1, 3), std::nullopt);
    EXPECT_EQ(ScanBitText(*ScanBitOf(board, 0, 11)), "Bit 12 of the 18-bit DR scan of TAP 0");

    const std::vector<PlannedLatch> plan{{0, 11, 1}, {0, 16, 1}};
    const std::string bits = NextScanBits(board, 0, plan);
    EXPECT_EQ(bits, "000000000000100001");
    EXPECT_EQ(NshfcpOperand(bits), "00084h");
    EXPECT_EQ(ScanStatements(bits), "LD CNT,18d;\nNSHFCP 00084h,00000h,00000h;");

    std::vector<bool> in;
    for (const char bit : bits) {
        in.push_back(bit == '1');
    }
    tap.ScanData(in);
    EXPECT_EQ(board.Chip(0).Leds, 0x08) << "the planned scan lights D3";
    EXPECT_EQ(NextScanBits(board, 0, {}), bits) << "the next scan keeps the latches";
}

// The nets show their faults only once revealed; a short names the other
// net on each side.
TEST(BoardWindowLogic, NetsShowTheirFaultsOnlyWhenRevealed) {
    ChipBoard board(InterconnectBoard());
    ASSERT_EQ(board.SetFaults({{NetFaultKind::Short, "n5", "N2"}, {NetFaultKind::Open, "N7", {}}}),
              std::nullopt);
    const std::vector<NetView> hidden = DescribeNets(board, false);
    ASSERT_EQ(hidden.size(), 8U);
    EXPECT_EQ(hidden[3].Pins, "U1.D(3) - U2.S(3)");
    EXPECT_EQ(hidden[7].Level, '1') << "the pull-up behind the open";
    EXPECT_TRUE(std::ranges::all_of(hidden, [](const NetView& net) { return net.Fault.empty(); }));
    EXPECT_EQ(FaultSummary(board, false), "2 faults on the board, hidden.");

    const std::vector<NetView> shown = DescribeNets(board, true);
    EXPECT_EQ(shown[2].Fault, "short to N5");
    EXPECT_EQ(shown[5].Fault, "short to N2");
    EXPECT_EQ(shown[7].Fault, "open");
    EXPECT_EQ(shown[0].Fault, "");
    EXPECT_EQ(FaultSummary(board, true), "Faults: n5+N2=short, N7=open");
    EXPECT_TRUE(DescribeNets(ChipBoard(DemoBoard()), true).empty());
}

} // namespace
} // namespace scanbench
