#include "engine/interpreter/result_codes.h"
#include "engine/program/number_helpers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <utility>

namespace scanbench {
namespace {

using testing::EngineFixture;

class PlaybackTest : public ::testing::Test {
protected:
    void Interpret(std::string_view statement) {
        ASSERT_GE(f.Interpret(statement), 0) << statement;
    }
    void PlayAll() {
        while (!f.Eng.State().AllPlayed()) {
            f.Eng.PlayEvent();
        }
    }
    void Add(std::uint8_t tck, std::uint8_t tms, std::uint8_t tap = 0) {
        TapEvent e;
        e.TCK = tck;
        e.TMS = tms;
        e.Tap = tap;
        f.Eng.Events().Add(e);
    }
    PlaybackState& Play() { return f.Eng.State().Playback; }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }

    EngineFixture f;
};

TEST_F(PlaybackTest, FirstEventOnlySetsTheEdgeReference) {
    Play().RxValidLatch = true;
    Add(0, 0);
    Add(1, 0);
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Eng.Taps().State(0), 0) << "the first event never steps";
    EXPECT_FALSE(Play().FirstEdge[0]);
    EXPECT_EQ(Play().FirstTck[0], 0);
    EXPECT_EQ(f.Eng.Events().GetEvent(0).ValidRX, 1) << "counts as a rising edge: takes the latch";
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Eng.Taps().State(0), 1);
}

TEST_F(PlaybackTest, HighAfterHighIsStillARisingEdge) {
    Add(0, 0);
    Add(1, 0); // Run-Test/Idle
    Add(1, 1); // Select-DR-Scan
    Add(1, 1); // Select-IR-Scan: the reference is the first TCK, not the previous one
    PlayAll();
    EXPECT_EQ(f.Eng.Taps().State(0), 3);
}

TEST_F(PlaybackTest, EdgeReferenceFollowsTheSelectedTapWhileTheEventsPortSteps) {
    Regs().SelectedTap = 1;
    Add(0, 0, 0);
    Add(1, 0, 0);
    PlayAll();
    EXPECT_FALSE(Play().FirstEdge[1]);
    EXPECT_TRUE(Play().FirstEdge[0]);
    EXPECT_EQ(f.Eng.Taps().State(0), 1) << "TAP 0's model stepped on TAP 1's reference";
}

TEST_F(PlaybackTest, NothingLeftToPlayDrivesTap0LowAndResamplesTheLastEvent) {
    Regs().SelectedTap = 1;
    f.Eng.PlayEvent();
    EXPECT_FALSE(Play().FirstEdge[1]) << "the zero event consumes the selected TAP's first edge";
    EXPECT_EQ(Play().FirstTck[1], 0);

    Regs().SelectedTap = 0;
    Add(0, 1);
    Add(1, 1);
    PlayAll();
    ASSERT_EQ(Regs().LastTck[0], 1);
    f.Port.Sia = 1;
    f.Port.Rx[0] = 1;
    const std::size_t writes = f.Port.Writes.size();
    f.Eng.PlayEvent();
    ASSERT_EQ(f.Port.Writes.size(), writes + 1);
    const auto& w = f.Port.Writes.back();
    EXPECT_EQ(w[0], 0);
    EXPECT_EQ(w[1], 0);
    EXPECT_EQ(w[2], 0);
    const TapEvent last = f.Eng.Events().GetEvent(1);
    EXPECT_EQ(last.SIA, 1);
    EXPECT_EQ(last.RX, 1);
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 2U);
}

TEST_F(PlaybackTest, EmptyStoreIsPlayedWithoutTouchingAnyEvent) {
    f.Eng.PlayEvent();
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_TRUE(Play().WavesValid);
    EXPECT_EQ(f.Reporter.Heard(RunNews::Started), 1) << "the run started, once";
}

TEST_F(PlaybackTest, ShiftedBitsAreValidUpToTheLastOne) {
    Interpret("RST;");
    PlayAll();
    Interpret("STATE DRSHIFT;");
    PlayAll();
    Interpret("LD CNT,4d;");
    const std::uint32_t first = f.Eng.Events().EventCount();
    Interpret("NSHF 5h;");
    PlayAll();
    for (std::uint32_t i = first; i < first + 8; ++i) {
        EXPECT_EQ(f.Eng.Events().GetEvent(i).ValidRX, 1) << "event " << i;
    }
    EXPECT_EQ(f.Eng.Taps().State(0), 8);
    // The next statement's first event starts a new judgement.
    const std::uint32_t next = f.Eng.Events().EventCount();
    Interpret("TMS1;");
    PlayAll();
    EXPECT_EQ(f.Eng.Events().GetEvent(next).ValidRX, 0);
}

TEST_F(PlaybackTest, ByHandLeavesTheRunsStepsOutAndRecordsUpToTheCounter) {
    f.Port.Loopback = true;
    f.Port.Sia = 1;
    const auto byHand = [this](std::string* received = nullptr) {
        while (!f.Eng.State().AllPlayed()) {
            f.Eng.PlayEvent(PlayOptions::ByHand(received));
        }
    };
    Interpret("RST;");
    Interpret("STATE DRSHIFT;");
    Interpret("LD CNT,5d;");
    byHand();
    const std::uint32_t first = f.Eng.Events().EventCount();
    Interpret("NSHFCP B0h,00h,F8h;"); // would fail the comparison
    std::string received;
    byHand(&received);

    EXPECT_EQ(received, "10110") << "five bits, none from the closing events";
    EXPECT_EQ(Regs().Flags[0], 0) << "no comparison";
    EXPECT_FALSE(Play().Capturing);
    EXPECT_FALSE(Play().ShiftSeen);
    const std::uint32_t count = f.Eng.Events().EventCount();
    EXPECT_EQ(f.Eng.Events().GetEvent(count - 3).ValidRX, 1) << "the last bit's rising edge";
    EXPECT_EQ(f.Eng.Events().GetEvent(count - 1).ValidRX, 0) << "Exit1-DR, no shift remembered";
    for (std::uint32_t i = first; i < count; ++i) {
        EXPECT_EQ(f.Eng.Events().GetEvent(i).SIA, 0) << "SIA is not sampled, event " << i;
    }
    EXPECT_EQ(f.Reporter.Heard(RunNews::Started), 0) << "playing by hand starts no run";
    EXPECT_EQ(f.Reporter.Counter[0], "") << "read-outs untouched";
    EXPECT_TRUE(Play().WavesValid);
}

struct CompareCase {
    const char* statement;
    int flipRead; // 0: none, else the n-th RX read of the comparison is inverted
    bool flagSet;
};

class ShiftCompareTest : public PlaybackTest, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(ShiftCompareTest, ComparesReceivedBitsUnderTheMask) {
    f.Port.Loopback = true;
    Interpret("RST;");
    Interpret("LD CNT,8d;");
    PlayAll();
    Regs().Flags[0] = 0x40;
    f.Port.RxReads = 0;
    // Per bit RX is read three times: sample and capture on the TCK-low event,
    // sample on the rising edge; the capture of bit k is read 3k - 1.
    f.Port.RxFlipAt = GetParam().flipRead;
    Interpret(GetParam().statement);
    PlayAll();
    EXPECT_EQ((Regs().Flags[0] & 1) != 0, GetParam().flagSet);
    EXPECT_EQ(Regs().Flags[0] & 0x40, 0x40) << "other flags untouched";
    EXPECT_FALSE(Play().Capturing);
    EXPECT_EQ(Play().CapturedCount(), 8);
}

INSTANTIATE_TEST_SUITE_P(Loopback, ShiftCompareTest,
                         ::testing::Values(CompareCase{"NSHFCP A5h,A5h,FFh;", 0, false},
                                           CompareCase{"NSHFCP A5h,A5h,FFh;", 5, true},
                                           CompareCase{"NSHFCP A5h,A4h,FEh;", 0, false},
                                           CompareCase{"NSHFCP A5h,A5h,FBh;", 17, false},
                                           CompareCase{"NSHFCP A5h,5Ah,FFh;", 0, true},
                                           CompareCase{"NSHFCP A5h,00h,00h;", 0, false}));

// The comparison takes the received bits 64 at a time: it must decide as
// the character by character comparison of CapturedBits() does, for every
// length and padding, also where the expected value or the mask is shorter.
TEST(CapturedBits, WordWiseComparisonAgreesWithTheTextOne) {
    std::uint32_t noise = 12345;
    const auto bit = [&noise] {
        noise = noise * 1103515245U + 12345U;
        return static_cast<std::uint8_t>((noise >> 16) & 1U);
    };
    for (std::uint64_t count = 1; count < 300; count += 7) {
        for (const auto& [shorterExpected, shorterMask] :
             {std::pair<std::uint64_t, std::uint64_t>{0, 0}, {0, 5}, {70, 0}}) {
            PlaybackState play;
            for (std::uint64_t i = 0; i < count; ++i) {
                play.ReceivedBits.Append(bit(), 1);
            }
            const std::string text = play.CapturedBits();
            BitString expected;
            BitString mask;
            for (std::uint64_t i = 0; i < text.size(); ++i) {
                // Mostly what arrived, so that both answers occur.
                if (i + shorterExpected < text.size()) {
                    expected.Append(i % 61 == 60 ? bit() : (text[i] == '1' ? 1 : 0), 1);
                }
                if (i + shorterMask < text.size()) {
                    mask.Append(bit() | bit(), 1);
                }
            }
            ASSERT_EQ(play.CapturedBitsMatch(expected, mask),
                      MaskedEqual(text, expected.Text(), mask.Text()))
                << count << " bits";
        }
    }
}

TEST_F(PlaybackTest, ComparisonWithTheCounterNotAMultipleOfFour) {
    f.Port.Loopback = true;
    Interpret("LD CNT,4d;");
    Interpret("NSHFCP F0h,0Fh,FFh;");
    PlayAll();
    EXPECT_EQ(Play().CapturedBits(), "1111");
    EXPECT_EQ(Regs().Flags[0] & 1, 0);
    Interpret("LD CNT,3d;");
    Interpret("NSHFCP Eh,Fh,Fh;");
    PlayAll();
    EXPECT_EQ(Play().CapturedBits(), "0111") << "padded in front";
    EXPECT_EQ(Regs().Flags[0] & 1, 1) << "the lowest expected bit meets the padding";
    Interpret("NSHFCP Eh,Fh,Eh;");
    PlayAll();
    EXPECT_EQ(Regs().Flags[0] & 1, 0) << "unless the mask leaves it out";
}

TEST_F(PlaybackTest, NextStatementEndsARunningCapture) {
    Interpret("LD CNT,8d;");
    Interpret("NSHFCP A5h,A5h,FFh;");
    f.Eng.PlayEvent();
    f.Eng.PlayEvent();
    EXPECT_TRUE(Play().Capturing);
    // Drop the rest and play another statement's first event.
    Regs().SelectedTap = 0;
    f.Eng.Events().Clear();
    Interpret("TMS0;");
    f.Eng.PlayEvent();
    EXPECT_FALSE(Play().Capturing);
}

TEST_F(PlaybackTest, ReadoutsFollowTheRegistersOnlyWhenTheyChange) {
    Regs().Flags[0] = 5;
    Regs().Counter[1] = -1;
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Reporter.Flags[0], "00000101b");
    EXPECT_EQ(f.Reporter.Counter[1], "ffffffffh");
    f.Reporter.Flags[0] = "untouched";
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Reporter.Flags[0], "untouched");
}

TEST_F(PlaybackTest, SyncOutputsReachThePortWithThePlayedEvents) {
    Interpret("SSA1;");
    Interpret("SSB1;");
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Port.Writes.back()[6], 1);
    EXPECT_EQ(f.Port.Writes.back()[7], 0);
    f.Eng.PlayEvent();
    EXPECT_EQ(f.Port.Writes.back()[7], 1);
    f.Eng.PlayEvent(); // nothing left: the levels stay
    EXPECT_EQ(f.Port.Writes.back()[6], 1);
    EXPECT_EQ(f.Port.Writes.back()[7], 1);
}

} // namespace
} // namespace scanbench
