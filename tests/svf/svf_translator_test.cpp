// What the SVF of a run says: the commands for the ways a TAP is driven, and
// the problems where SVF cannot say what the run did.

#include "svf/svf_translator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace scanbench {
namespace {

// Bits written as "0" and "1", the first on the left.
BitString Bits(std::string_view text) {
    BitString bits;
    for (const char c : text) {
        bits.Append(c == '1' ? 1 : 0, 1);
    }
    return bits;
}

// Clocks a translator: each character is one TCK cycle (a low event, then
// a high one) with TMS as given ('0'/'1'), or with TMS 0 and TDI 1 ('x').
class ClockedRun {
public:
    ClockedRun() : Translator(Out, "test") {}

    ClockedRun& Clocks(std::string_view tms, std::int32_t line,
                       const ShiftCompare* compare = nullptr) {
        bool first = true;
        for (const char c : tms) {
            const bool t = c == '1';
            const bool d = c == 'x';
            Translator.Add({false, t, d, line, first, first ? compare : nullptr});
            Translator.Add({true, t, d, line, false, nullptr});
            first = false;
        }
        return *this;
    }
    // The commands only, without the header and comments.
    std::string Commands() {
        Translator.Finish();
        std::istringstream lines(Out.str());
        std::string line;
        std::string result;
        int skip = 3; // the header's commands
        while (std::getline(lines, line)) {
            if (line.empty() || line[0] == '!' || skip-- > 0) {
                continue;
            }
            result += line + "\n";
        }
        return result;
    }

    std::ostringstream Out;
    SvfTranslator Translator;
};

TEST(SvfTranslator, WritesResetIdleScansAndRunTest) {
    ClockedRun run;
    run.Clocks("11111", 1) // stays in Test-Logic-Reset
        .Clocks("0000", 2) // Run-Test/Idle and three clocks there
        .Clocks("1100", 3) // to Shift-IR
        .Clocks("xx01", 4) // four bits, the last leaving
        .Clocks("10", 5)   // Update-IR, Run-Test/Idle
        .Clocks("100", 6)  // to Shift-DR
        .Clocks("0x1", 7)  // three bits
        .Clocks("0", 8)    // Pause-DR
        .Clocks("10", 9)   // Exit2-DR, Shift-DR: the same scan goes on
        .Clocks("x1", 10)  // two more bits
        .Clocks("10", 11); // Update-DR, Run-Test/Idle
    EXPECT_EQ(run.Commands(), "STATE RESET;\n"
                              "STATE IDLE;\n"
                              "RUNTEST 3 TCK;\n"
                              "SIR 4 TDI (3);\n"
                              "SDR 5 TDI (0A);\n");
    // The data is whole, but the way through the pause is not in the file.
    ASSERT_EQ(run.Translator.Problems().size(), 1U);
    EXPECT_EQ(run.Translator.Problems()[0],
              (SvfProblem{9, "the scan resumes after a pause in DRPAUSE; SVF continues it "
                             "without the pause"}));
}

TEST(SvfTranslator, NshfcpBecomesTdoAndMaskInArrivalOrder) {
    // Eight bits received, expected value 0xA5 masked with 0x0F: the first
    // received bit meets the value's highest bit, so the masked low nibble
    // 0101 is expected in the last four bits shifted, reversed.
    const ShiftCompare compare{8, Bits("10100101"), Bits("11110000")};
    ClockedRun run;
    run.Clocks("0100", 1).Clocks("00000001", 2, &compare).Clocks("10", 3);
    EXPECT_EQ(run.Commands(), "STATE IDLE;\nSDR 8 TDI (00) TDO (A0) MASK (F0);\n");
}

TEST(SvfTranslator, ReportsWhatSvfCannotSayWithTheProgramLine) {
    const ShiftCompare outside{4, Bits("0101"), Bits("1111")}; // all four bits, said once
    ClockedRun run;
    run.Clocks("0", 1)
        .Clocks("0000", 2, &outside) // compares in Run-Test/Idle
        .Clocks("10011", 3)          // a one-bit scan to Update-DR...
        .Clocks("1100", 4)           // ...straight to Select-DR, on into Shift-IR
        .Clocks("0", 5);             // and the run stops inside the shift
    const std::string commands = run.Commands();
    EXPECT_EQ(commands, "STATE IDLE;\nRUNTEST 4 TCK;\nSDR 1 TDI (0);\nENDIR IRPAUSE;\n"
                        "SIR 1 TDI (0);\n");
    const std::vector<SvfProblem>& problems = run.Translator.Problems();
    ASSERT_EQ(problems.size(), 3U) << run.Out.str();
    EXPECT_EQ(problems[0].Line, 2);
    EXPECT_NE(problems[0].Message.find("outside a shift"), std::string::npos);
    EXPECT_EQ(problems[1].Line, 4);
    EXPECT_NE(problems[1].Message.find("passes through IDLE"), std::string::npos);
    EXPECT_EQ(problems[2].Line, 4);
    EXPECT_NE(problems[2].Message.find("inside a scan"), std::string::npos);
}

// An empty scan whose Update-DR goes straight into the next scan: the file
// passes through Run-Test/Idle, never from Update-DR to Select-DR in one
// STATE path (which no TAP can take with one more clock to IDLE).
TEST(SvfTranslator, EmptyScanStraightIntoTheNextPassesThroughIdle) {
    ClockedRun run;
    run.Clocks("0", 1).Clocks("1011", 2).Clocks("1000", 3).Clocks("110", 4);
    EXPECT_EQ(run.Commands(), "STATE IDLE;\n"
                              "STATE DRSELECT DRCAPTURE DREXIT1 DRUPDATE IDLE;\n"
                              "SDR 2 TDI (0);\n");
    ASSERT_EQ(run.Translator.Problems().size(), 1U);
    EXPECT_NE(run.Translator.Problems()[0].Message.find("passes through IDLE"), std::string::npos);
}

// Clocks in a pause: a scan written as SDR or SIR cannot hold them; one
// written as a STATE path keeps them, and the note says so.
TEST(SvfTranslator, NotesSayWhatBecameOfClocksInAPause) {
    ClockedRun empty;
    empty.Clocks("0", 1).Clocks("1010", 2).Clocks(std::string(11, '0'), 3).Clocks("110", 4);
    EXPECT_EQ(
        empty.Commands(), "STATE IDLE;\nSTATE DRSELECT DRCAPTURE DREXIT1 DRPAUSE" + [] {
            std::string pauses;
            for (int i = 0; i < 11; ++i) {
                pauses += " DRPAUSE";
            }
            return pauses;
        }() + " DREXIT2 DRUPDATE IDLE;\n");
    ASSERT_EQ(empty.Translator.Problems().size(), 1U);
    EXPECT_EQ(empty.Translator.Problems()[0],
              (SvfProblem{3, "the 11 clocks in DRPAUSE before this update stay in the file: its "
                             "STATE path names DRPAUSE 12 times, and each repetition is one "
                             "clock"}));

    ClockedRun shifted; // Shift-IR, one bit, Pause-IR for one clock, Update-IR
    shifted.Clocks("0", 1).Clocks("1100", 2).Clocks("1", 3).Clocks("0", 4).Clocks("0", 5).Clocks(
        "110", 6);
    EXPECT_EQ(shifted.Commands(), "STATE IDLE;\nSIR 1 TDI (0);\n");
    ASSERT_EQ(shifted.Translator.Problems().size(), 1U);
    EXPECT_EQ(shifted.Translator.Problems()[0],
              (SvfProblem{5, "the 1 clock in IRPAUSE before this update is left out: SVF has no "
                             "clocks inside a scan"}));
}

TEST(SvfTranslator, SynchronisationStatementsAreNamedAsWhatSvfCannotSay) {
    ClockedRun run;
    run.Translator.SyncStatement(3, "SSB1");
    run.Translator.SyncStatement(4, "WSA0");
    ASSERT_EQ(run.Translator.Problems().size(), 2U);
    EXPECT_EQ(run.Translator.Problems()[0].Line, 3);
    EXPECT_NE(run.Translator.Problems()[0].Message.find("SSB1 sets the synchronisation output SOB"),
              std::string::npos);
    EXPECT_NE(run.Translator.Problems()[1].Message.find("WSA0 waits for the synchronisation "
                                                        "input SIA"),
              std::string::npos);
}

} // namespace
} // namespace scanbench
