// SVF files as programs: the statements they become, what is refused with
// its line, and what the programs do when they run.

#include "engine/program/line_fetch.h"
#include "svf/svf_import.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace scanbench {
namespace {

SvfImport Imported(std::string_view svf, std::uint8_t tap = 0) {
    auto result = ImportSvf(svf, {tap, "test.svf"});
    if (const auto* refusal = std::get_if<SvfProblem>(&result)) {
        ADD_FAILURE() << "refused, line " << refusal->Line << ": " << refusal->Message;
        return {};
    }
    return std::get<SvfImport>(std::move(result));
}

// The statements the engine fetches from the translation (comments gone,
// long operands joined), from the first after the reset up to the verdict.
std::vector<std::string> Statements(const SvfImport& import) {
    StringProgramText text(import.Program);
    std::vector<std::string> statements;
    std::int32_t line = 0;
    bool started = false;
    while (line < text.LineCount()) {
        const std::string statement = getline(text, line);
        if (statement == "SERFLG0;" || statement == "ALL_TDO_CHECKS_PASSED: HALT;") {
            break;
        }
        if (started && !statement.empty()) {
            statements.push_back(statement);
        }
        started = started || statement == "RST;";
    }
    return statements;
}

using Lines = std::vector<std::string>;

TEST(SvfImport, ScanBitsGoOutInShiftOrderHeaderFirst) {
    // 10 bits: the header's 1111, the scan's 0001 least significant bit
    // first, the trailer's 00. Only the scan's own bits are compared.
    const SvfImport import = Imported("HIR 4 TDI (F);\n"
                                      "TIR 2 TDI (0);\n"
                                      "SIR 4 TDI (1) TDO (5) MASK (F);\n");
    EXPECT_EQ(Statements(import), (Lines{"STATE IRSHIFT;", "LD CNT,10d;", "NSHFCP F80h,0A0h,0F0h;",
                                         "JERR MISMATCH_3;", "CHECKED_3: STATE IDLE;"}));
    EXPECT_EQ(import.Checks, 1);
}

TEST(SvfImport, LeftOutValuesRepeatAsSvfSays) {
    const SvfImport import = Imported("sdr 8 tdi (35) tdo (ff) mask (0f);\n"
                                      "SDR 8 TDO (00);\n"          // TDI and MASK repeat
                                      "SDR 8;\n"                   // TDI repeats, no TDO: no check
                                      "SDR 4 TDI (3) TDO (3);\n"); // a new length: MASK all 1
    EXPECT_EQ(
        Statements(import),
        (Lines{"STATE DRSHIFT;", "LD CNT,8d;", "NSHFCP ACh,FFh,F0h;", "JERR MISMATCH_1;",
               "CHECKED_1: STATE IDLE;", "STATE DRSHIFT;", "LD CNT,8d;", "NSHFCP ACh,00h,F0h;",
               "JERR MISMATCH_2;", "CHECKED_2: STATE IDLE;", "STATE DRSHIFT;", "LD CNT,8d;",
               "NSHF ACh;", "STATE IDLE;", "STATE DRSHIFT;", "LD CNT,4d;", "NSHFCP Ch,Ch,Fh;",
               "JERR MISMATCH_4;", "CHECKED_4: STATE IDLE;"}));
}

TEST(SvfImport, StatesRunTestAndTrst) {
    const SvfImport import = Imported("FREQUENCY 1E3 HZ;\n"
                                      "RUNTEST 10 TCK;\n"
                                      "RUNTEST DRPAUSE 2E-3 SEC;\n"
                                      "RUNTEST 5 TCK 1.0E-2 SEC ENDSTATE IDLE;\n"
                                      "RUNTEST RESET 6 TCK;\n"
                                      "STATE IDLE DRSELECT DRCAPTURE DREXIT1 DRPAUSE;\n"
                                      "STATE DRPAUSE DREXIT2 DRSHIFT DREXIT1 DRUPDATE IDLE;\n"
                                      "TRST ON;\n"
                                      "RUNTEST 3 TCK;\n"
                                      "TRST OFF;\n"
                                      "STATE RESET;\n"
                                      "ENDDR DRPAUSE;\n"
                                      "SDR 0;\n");
    EXPECT_EQ(
        Statements(import),
        (Lines{// RUNTEST 10 TCK: from Test-Logic-Reset to its run state, Run-Test/Idle
               "STATE IDLE;", "LD CNT,9d;", "NTCK;",
               // 2 ms at 1 kHz: two clocks in DRPAUSE, which is also the end state
               "STATE DRPAUSE;", "LD CNT,1d;", "NTCK;",
               // the run state stays; 10 ms beat 5 clocks
               "LD CNT,9d;", "NTCK;", "STATE IDLE;",
               // clocks in Test-Logic-Reset keep TMS at 1
               "STATE RESET;", "LD CNT,6d;", "RESET_CLOCKS_5: TMS1;", "DEC;", "JNZ RESET_CLOCKS_5;",
               // an explicit path that one STATE statement walks...
               "STATE DRPAUSE;",
               // ...and one that stays in a state and goes back into the
               // shift without a capture, which STATE never does
               "TMS0;", "STATE DREXIT2;", "TMS0;", "STATE IDLE;",
               // TRST ON resets; while it holds, clocks keep the TAP there
               "STATE RESET;", "TMS1;", "TMS1;", "TMS1;",
               // a scan of no bits: through DRCAPTURE and DREXIT1 to the pause
               "STATE DRPAUSE;"}));
    ASSERT_EQ(import.Notes.size(), 2U);
    EXPECT_EQ(import.Notes[0].Line, 1);
    EXPECT_NE(import.Notes[0].Message.find("FREQUENCY"), std::string::npos);
    EXPECT_EQ(import.Notes[1].Line, 9);
    EXPECT_NE(import.Notes[1].Message.find("TRST"), std::string::npos);
    EXPECT_EQ(import.Checks, 0);
}

TEST(SvfImport, EachKindOfNoteComesOnceWithItsFirstLine) {
    const SvfImport import = Imported("RUNTEST 10 SCK;\nRUNTEST 1E-6 SEC MAXIMUM 1 SEC;\n"
                                      "RUNTEST 20 SCK 1E-6 SEC MAXIMUM 2 SEC;\n");
    std::vector<std::int32_t> lines;
    for (const SvfProblem& note : import.Notes) {
        lines.push_back(note.Line);
    }
    // SCK, the default frequency of a time, MAXIMUM.
    EXPECT_EQ(lines, (std::vector<std::int32_t>{1, 2, 2}));
    EXPECT_NE(import.Program.find("// Note, SVF line 1: RUNTEST counts SCK"), std::string::npos);
}

struct Refusal {
    const char* svf;
    std::int32_t line;
    const char* says;
};

TEST(SvfImport, BadFilesAreRefusedWithTheirLine) {
    const Refusal refusals[] = {
        {"STATE RESET;\nFOO 1;\n", 2, "unknown statement FOO"},
        {"SDR 4\n  TDI (1F);\n", 2, "TDI: the value has a 1 in bit 4, beyond its length of 4"},
        {"SDR 8 TDI (00)\n! the end\n", 1, "the file ends before the \";\" of this SDR"},
        {"SIR 4 TDI (1)\nSDR 8 TDI (00);\n", 2, "SDR stands inside the SIR of line 1"},
        {"\n\nHDR 0 TDI (0);\n", 3, "a length of 0 has no data"},
        {"SDR 8 TDI (0G);\n", 1, "\"G\", which is not a hexadecimal digit"},
        {"SDR 8 TDI (00;\n", 1, "not closed before the \";\""},
        {"SDR 8 TDI (00);\nSDR 9;\n", 2, "SDR 9 has no TDI"},
        {"SDR 8 TDI (00) TDI (01);\n", 1, "gives TDI twice"},
        {"SDR 8 TDX (00);\n", 1, "no parameter TDX"},
        {"PIOMAP (IN A);\n", 1, "parallel pins"},
        {"TRST ON;\nSIR 4 TDI (1);\n", 2, "while TRST ON"},
        {"STATE IDLE DRCAPTURE;\n", 1, "DRCAPTURE does not follow IDLE"},
        {"STATE DRSHIFT;\n", 1, "STATE ends in DRSHIFT"},
        {"ENDDR DRUPDATE;\n", 1, "SVF stops only in RESET, IDLE, DRPAUSE or IRPAUSE"},
        {"RUNTEST 10;\n", 1, "RUNTEST is written"},
        {"RUNTEST 3000000000 TCK;\n", 1, "more than LD CNT can count"},
        {"FREQUENCY 0 HZ;\n", 1, "frequency above 0"},
        {"SDR 200000000 TDI (0);\n", 1, "longer than a program can hold"},
        {"SDR 8 TDI (00) );\n", 1, "\")\" without \"(\""},
    };
    for (const Refusal& r : refusals) {
        const auto result = ImportSvf(r.svf, {});
        const auto* refusal = std::get_if<SvfProblem>(&result);
        ASSERT_NE(refusal, nullptr) << r.svf;
        EXPECT_EQ(refusal->Line, r.line) << r.svf;
        EXPECT_NE(refusal->Message.find(r.says), std::string::npos) << r.svf << refusal->Message;
    }
}

// The hexadecimal digits of `bits` as SVF writes a value: the first bit
// the least significant of the last digit.
std::string SvfHex(const std::vector<bool>& bits) {
    std::string hex;
    for (std::size_t d = (bits.size() + 3) / 4; d-- > 0;) {
        unsigned v = 0;
        for (std::size_t b = 4; b-- > 0;) {
            v = v << 1 | (d * 4 + b < bits.size() && bits[d * 4 + b] ? 1U : 0U);
        }
        hex += "0123456789ABCDEF"[v];
        if (d % 70 == 0 && d != 0) {
            hex += "\n ! a comment inside the value\n  "; // SVF values run over lines
        }
    }
    return hex;
}

// Runs a translation on a board that sends every bit straight back.
struct LoopbackRun {
    explicit LoopbackRun(const SvfImport& import) : F(import.Program) {
        F.Port.Loopback = true;
        F.Open();
        F.RunToEnd(10000000);
        const ControllerRegisters& regs = F.Eng.Registers();
        Verdict =
            JudgeSvfRun(import, F.Reporter.Status == "HALT", regs.CurrentLine, regs.Counter[0]);
    }
    testing::EngineFixture F;
    SvfVerdict Verdict;
};

TEST(SvfImport, RunsCheckEveryBitAndNameTheFirstMismatch) {
    std::mt19937 random(7);
    std::vector<bool> bits(1001);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = (random() & 1) != 0;
    }
    std::vector<bool> wrong = bits;
    wrong[999] = !wrong[999];
    const std::string sent = SvfHex(bits);
    const std::string svf = "Sdr 1001 Tdi (" + sent + ")\n  TDO (" + sent + ") MASK (" +
                            SvfHex(std::vector<bool>(1001, true)) + ");\n"; // lines 1-..
    const SvfImport passes = Imported("TRST OFF;\n" + svf + svf);
    const LoopbackRun good(passes);
    EXPECT_EQ(good.Verdict.Outcome, SvfOutcome::Passed) << good.F.Reporter.Status;
    EXPECT_EQ(good.F.Eng.State().Registers.Flags[0], 0);

    // The same with one expected bit wrong in the second scan and the
    // fourth: the verdict names the second, flag 0 stays set through the
    // third, which passes.
    const std::string bad = "SDR 1001 TDI (" + sent + ") TDO (" + SvfHex(wrong) + ");\n";
    const SvfImport fails = Imported("TRST OFF;\n" + svf + bad + svf + bad);
    const LoopbackRun run(fails);
    EXPECT_EQ(run.Verdict.Outcome, SvfOutcome::Mismatch) << run.F.Reporter.Status;
    const auto svfLines = static_cast<std::int32_t>(std::count(svf.begin(), svf.end(), '\n'));
    EXPECT_EQ(run.Verdict.FirstMismatchLine, 2 + svfLines);
    EXPECT_EQ(run.F.Eng.State().Registers.Flags[0] & 1, 1);
    EXPECT_EQ(fails.Checks, 4);
}

TEST(SvfImport, TheProgramDrivesTheTapChosen) {
    const SvfImport import = Imported("SIR 4 TDI (1) TDO (1);\n", 1);
    EXPECT_NE(import.Program.find("\nSELTAP1;"), std::string::npos);
    testing::EngineFixture f(import.Program);
    f.Port.Loopback = true;
    f.Open();
    f.RunToEnd();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_EQ(f.Eng.Taps().State(1), 1) << "TAP 1 in Run-Test/Idle";
    EXPECT_EQ(f.Eng.Registers().CurrentLine, import.PassedHaltLine);
}

} // namespace
} // namespace scanbench
