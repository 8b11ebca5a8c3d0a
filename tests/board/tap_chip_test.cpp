// The teaching chip judged by the rules of IEEE 1149.1, from the outside:
// only through its TAP lines, switches, LEDs and snapshot.

#include "board/chip_board.h"
#include "board/demo_board.h"
#include "jtag_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace scanbench {
namespace {

constexpr std::uint8_t ChipTapNumber = 1; // U3 alone on TAP 1

struct OneChip : testing::Test {
    ChipBoard Board{DemoBoard()};
    JtagDriver Tap{Board, ChipTapNumber};

    [[nodiscard]] ChipSnapshot U3() const { return Board.Chip(2); }
    // From Run-Test/Idle or Test-Logic-Reset: loads an instruction and
    // returns what the instruction register captured.
    std::uint64_t LoadInstruction(std::uint32_t opcode) {
        Tap.Moves("01100");
        const std::uint64_t captured = Tap.ShiftBits(opcode, 4);
        Tap.Moves("10");
        return captured;
    }
    // From Run-Test/Idle: an n-bit data register scan back to Run-Test/Idle.
    std::uint64_t ScanData(std::uint64_t in, int n) {
        Tap.Moves("100");
        const std::uint64_t out = Tap.ShiftBits(in, n);
        Tap.Moves("10");
        return out;
    }
};

constexpr std::uint32_t Extest = 0b0000;
constexpr std::uint32_t Idcode = 0b0001;
constexpr std::uint32_t Sample = 0b0010;
constexpr std::uint32_t Bypass = 0b1111;

// Boundary register image: switches in cells 0..7, LEDs in 8..15, enable in 16.
constexpr std::uint64_t Boundary(unsigned switches, unsigned leds, unsigned enable) {
    return switches | leds << 8 | std::uint64_t{enable} << 16;
}

TEST_F(OneChip, FollowsTheTapStateGraph) {
    // Each state, a TMS path from Test-Logic-Reset into it, and its
    // successors for TMS 0 and 1, all by name.
    enum S { TLR, RTI, SDS, SIS, CDR, CIR, SDR, SIR, E1D, E1I, PDR, PIR, E2D, E2I, UDR, UIR };
    struct Row {
        S State;
        const char* Path;
        S On0;
        S On1;
    };
    constexpr std::array<Row, 16> graph{{
        {TLR, "", RTI, TLR},
        {RTI, "0", RTI, SDS},
        {SDS, "01", CDR, SIS},
        {SIS, "011", CIR, TLR},
        {CDR, "010", SDR, E1D},
        {CIR, "0110", SIR, E1I},
        {SDR, "0100", SDR, E1D},
        {SIR, "01100", SIR, E1I},
        {E1D, "0101", PDR, UDR},
        {E1I, "01101", PIR, UIR},
        {PDR, "01010", PDR, E2D},
        {PIR, "011010", PIR, E2I},
        {E2D, "010101", SDR, UDR},
        {E2I, "0110101", SIR, UIR},
        {UDR, "01011", RTI, SDS},
        {UIR, "011011", RTI, SDS},
    }};
    for (const Row& row : graph) {
        for (const bool tms : {false, true}) {
            ChipBoard board(DemoBoard());
            JtagDriver tap(board, ChipTapNumber);
            tap.Moves(row.Path);
            ASSERT_EQ(board.Chip(2).State, row.State) << row.Path;
            tap.Cycle(tms);
            EXPECT_EQ(board.Chip(2).State, tms ? row.On1 : row.On0) << row.Path << " " << tms;
            tap.Moves("11111");
            EXPECT_EQ(board.Chip(2).State, TLR) << "five TMS=1 clocks reset from " << row.Path;
        }
    }
}

TEST_F(OneChip, InstructionRegisterCaptures0101AndUpdatesOnTheFallingEdge) {
    Tap.Moves("01100");
    EXPECT_EQ(Tap.ShiftBits(Bypass, 4), 0b0101U);
    Tap.Cycle(true); // rising edge into Update-IR
    EXPECT_EQ(U3().State, ChipTap::UpdateIr);
    EXPECT_EQ(U3().Instruction, Idcode) << "not before TCK falls";
    Tap.Settle();
    EXPECT_EQ(U3().Instruction, Bypass);
    EXPECT_EQ(U3().Selected, DataRegister::Bypass);
}

TEST_F(OneChip, TdoMovesOnFallingEdgesAndIsDrivenOnlyWhileShifting) {
    EXPECT_FALSE(U3().TdoDriven);
    EXPECT_TRUE(Tap.Tdo()) << "released TDO reads the pull-up";
    Tap.Moves("010"); // Capture-DR, TCK low
    EXPECT_FALSE(U3().TdoDriven);
    Tap.Cycle(false); // rising edge: capture, into Shift-DR
    EXPECT_FALSE(U3().TdoDriven) << "TDO waits for the falling edge";
    Tap.Fall(false, true);
    EXPECT_TRUE(U3().TdoDriven);
    EXPECT_TRUE(Tap.Tdo()); // IDCODE bit 0
    Tap.Rise();
    Tap.Fall(true);
    EXPECT_FALSE(Tap.Tdo()); // bit 1 of ...FD
    Tap.Rise();              // to Exit1-DR, shifting bit 1 out
    EXPECT_TRUE(U3().TdoDriven) << "still bit 1 until TCK falls";
    EXPECT_FALSE(U3().Tdo);
    EXPECT_FALSE(Tap.Tdo());
    Tap.Settle();
    EXPECT_FALSE(U3().TdoDriven);
    EXPECT_TRUE(Tap.Tdo());
}

TEST_F(OneChip, TestLogicResetSelectsIdcode) {
    EXPECT_EQ(U3().Decoded, ChipInstruction::Idcode) << "at power-up";
    Tap.Moves("0");
    EXPECT_EQ(ScanData(0, 32), DemoIdCode::U3);
    LoadInstruction(Bypass);
    EXPECT_EQ(U3().Decoded, ChipInstruction::Bypass);
    Tap.Moves("11111");
    EXPECT_EQ(U3().Decoded, ChipInstruction::Idcode);
    Tap.Moves("0");
    EXPECT_EQ(ScanData(0xFFFFFFFF, 32), DemoIdCode::U3) << "captured afresh, not shifted-in ones";
}

TEST_F(OneChip, BypassCapturesZeroAndDelaysByOneBitForEveryUnusedCode) {
    for (const std::uint32_t opcode : {Bypass, 0b0011U, 0b0101U, 0b1000U, 0b1110U}) {
        Tap.Moves("0");
        LoadInstruction(opcode);
        EXPECT_EQ(U3().Selected, DataRegister::Bypass) << opcode;
        EXPECT_EQ(ScanData(0b1011'0111, 9), 0b1'0110'1110U) << opcode;
        Tap.Moves("11111");
    }
}

TEST_F(OneChip, SamplePreloadWatchesThePinsAndPreloadsWithoutDrivingThem) {
    Board.SetSwitches(2, 0x5A);
    EXPECT_EQ(U3().Leds, 0x5A) << "the chip's own logic copies switches to LEDs";
    Tap.Moves("0");
    EXPECT_EQ(LoadInstruction(Sample), 0b0101U);
    EXPECT_EQ(U3().Selected, DataRegister::Boundary);
    EXPECT_EQ(ScanData(Boundary(0, 0x81, 1), 17), Boundary(0x5A, 0x5A, 1));
    EXPECT_EQ(U3().Leds, 0x5A) << "PRELOAD leaves the pins alone";
    LoadInstruction(Extest);
    EXPECT_EQ(U3().Leds, 0x81) << "EXTEST drives the preloaded LEDs from Update-IR on";
}

TEST_F(OneChip, ExtestDrivesTheLedsFromTheUpdateStageWhileTheControlCellEnablesThem) {
    Board.SetSwitches(2, 0x0F);
    Tap.Moves("0");
    LoadInstruction(Sample);
    ScanData(Boundary(0, 0, 1), 17);
    LoadInstruction(Extest);
    EXPECT_EQ(U3().Leds, 0x00);

    Tap.Moves("100");
    Tap.ShiftBits(Boundary(0, 0x24, 1), 17);
    Tap.Cycle(true); // into Update-DR
    EXPECT_EQ(U3().Leds, 0x00) << "the update stage loads when TCK falls";
    Tap.Moves("0");
    EXPECT_EQ(U3().Leds, 0x24);

    Board.SetSwitches(2, 0xF0);
    EXPECT_EQ(U3().Leds, 0x24) << "switches no longer reach the LEDs";
    EXPECT_EQ(ScanData(Boundary(0, 0x24, 0), 17), Boundary(0xF0, 0x24, 1)) << "pins captured";
    EXPECT_EQ(U3().Leds, 0x00) << "disabled outputs leave the LEDs dark";
    EXPECT_EQ(ScanData(Boundary(0, 0x24, 0), 17), Boundary(0xF0, 0x00, 0));

    Tap.Moves("11111");
    EXPECT_EQ(U3().Leds, 0xF0) << "out of EXTEST the chip's logic drives again";
}

TEST(ChipChain, TapZeroShiftsThroughBothChipsWhileTapOneRests) {
    ChipBoard board(DemoBoard());
    JtagDriver tap0(board, 0);
    JtagDriver tap1(board, 1);
    tap1.Moves("0100"); // U3 in Shift-DR with TCK low
    const ChipSnapshot u3 = board.Chip(2);

    tap0.Moves("0100");
    EXPECT_EQ(tap0.ShiftBits(0, 64), std::uint64_t{DemoIdCode::U1} << 32 | DemoIdCode::U2)
        << "U2, nearest TDO, comes first";
    tap0.Moves("11100");
    EXPECT_EQ(tap0.ShiftBits(0xFF, 8), 0x55U) << "both instruction registers capture 0101";
    tap0.Moves("1100");
    EXPECT_EQ(board.Chip(0).Decoded, ChipInstruction::Bypass);
    EXPECT_EQ(board.Chip(1).Decoded, ChipInstruction::Bypass);
    EXPECT_EQ(tap0.ShiftBits(0b1101, 6), 0b110100U) << "two BYPASS bits: a delay of two";

    EXPECT_EQ(board.Chip(2), u3) << "TAP 0 never clocks TAP 1's chip";
    EXPECT_TRUE(tap1.Tdo() == u3.Tdo);
}

TEST(ChipChain, AttachingTakesTheLevelsWithoutAnEdge) {
    ChipBoard board(DemoBoard());
    board.Attach(BoardLine::Tck0 | BoardLine::Tck1);
    board.Drive(BoardLine::Tck0 | BoardLine::Tck1);
    EXPECT_EQ(board.Chip(0).State, ChipTap::TestLogicReset);
    board.Drive(0);
    board.Drive(BoardLine::Tck1); // TMS 0: one rising edge on TAP 1 only
    EXPECT_EQ(board.Chip(0).State, ChipTap::TestLogicReset);
    EXPECT_EQ(board.Chip(2).State, ChipTap::RunTestIdle);
}

TEST(ChipDescriptionCheck, RejectsWhatNoIeee1149Part) {
    const ChipDescription teaching = DemoBoard().Chips[0].Chip;
    const auto with = [&teaching](auto change) {
        ChipDescription chip = teaching;
        change(chip);
        return DescriptionProblem(chip).value_or("");
    };
    EXPECT_EQ(DescriptionProblem(teaching), std::nullopt);
    EXPECT_NE(with([](ChipDescription& c) { c.IrLength = 1; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.IrLength = 65; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.IrCapture = 0b0110; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.IrCapture = 0b10001; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.IdCode = 0x15CB104A; }), "") << "bit 0 clear";
    EXPECT_NE(with([](ChipDescription& c) { c.IdCode = 0x000000FF; }), "") << "manufacturer 7F";
    EXPECT_NE(with([](ChipDescription& c) { c.Opcodes[3].Instruction = ChipInstruction::Extest; }),
              "")
        << "all ones must be BYPASS";
    EXPECT_NE(with([](ChipDescription& c) { c.Opcodes[1].Value = 16; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.Cells[3].Pin = 99; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.Cells[3].Control = 17; }), "");
    EXPECT_NE(with([](ChipDescription& c) { c.BoundaryLength = 18; }), "") << "BOUNDARY is 17";
    ChipDescription unusable;
    unusable.IrLength = 1;
    EXPECT_THROW(TapChip{unusable}, std::invalid_argument);
    EXPECT_THROW(ChipBoard({{2, teaching}}), std::invalid_argument);
}

} // namespace
} // namespace scanbench
