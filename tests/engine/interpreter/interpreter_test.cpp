#include "engine/interpreter/result_codes.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

using testing::EngineFixture;
using testing::Levels;
using L = std::vector<std::array<int, 3>>;

class Interpreter : public ::testing::Test {
protected:
    std::int32_t Run(std::string_view statement) { return f.Interpret(statement); }
    // Events appended by the next statement as (TCK, TMS, TX).
    L Appended(std::string_view statement, std::int32_t expected = Result::Done) {
        const std::uint32_t before = Store().EventCount();
        EXPECT_EQ(Run(statement), expected) << statement;
        return Levels(Store(), before);
    }
    void PlayAll() {
        while (!f.Eng.State().AllPlayed()) {
            f.Eng.PlayEvent();
        }
    }
    EventStore& Store() { return f.Eng.Events(); }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }
    // Loads the counter of the selected TAP.
    void Load(std::int32_t n) {
        ASSERT_EQ(Run("LD CNT," + std::to_string(n) + "d;"), Result::Done);
    }
    // The TX levels of the shifted bits (TCK-low events before each edge).
    std::vector<int> SentBits(const L& events) {
        std::vector<int> bits;
        for (std::size_t i = 0; i + 2 < events.size(); i += 2) {
            bits.push_back(events[i][2]);
        }
        return bits;
    }

    EngineFixture f;
};

TEST_F(Interpreter, OperandlessWordsNeedTheirSemicolonAndIgnoreTrailingText) {
    EXPECT_EQ(Run("rst;"), Result::Done);
    EXPECT_EQ(Run(" \t RST;"), Result::Done);
    EXPECT_EQ(Run("RST; anything"), Result::Done);
    const std::uint32_t before = Store().EventCount();
    EXPECT_EQ(Run("RST ;"), Result::NotRecognised);
    EXPECT_EQ(Run("RST"), Result::NotRecognised);
    EXPECT_EQ(Run(""), Result::NotRecognised);
    EXPECT_EQ(Run("FOO;"), Result::NotRecognised);
    EXPECT_EQ(Run("JMP;"), Result::NotRecognised);
    EXPECT_EQ(Store().EventCount(), before);
}

TEST_F(Interpreter, LabelsAreIgnored) {
    const L tms1{{0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    EXPECT_EQ(Appended("LOOP: TMS1;"), tms1);
    EXPECT_EQ(Appended("LOOP:TMS1;"), tms1);
    EXPECT_EQ(Appended(":TMS1;"), tms1);
}

TEST_F(Interpreter, ResetIsTwelveEventsWithFiveRisingEdges) {
    Regs().CurrentLine = 7;
    Regs().SyncOutA = 1;
    const L events = Appended("RST;");
    const L expected{{0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {1, 1, 0},
                     {0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(Regs().ResetDone[0]);
    EXPECT_FALSE(Regs().ResetDone[1]);
    for (std::uint32_t i = 0; i < 12; ++i) {
        const TapEvent e = Store().GetEvent(i);
        EXPECT_EQ(e.Description, i == 0 ? "RST" : "");
        EXPECT_EQ(e.Line, 7);
        EXPECT_EQ(e.SOA, 1);
        EXPECT_EQ(e.Tap, 0);
    }
}

TEST_F(Interpreter, ResetBringsTheModelToTestLogicResetAtTheFifthEdge) {
    // From Shift-DR, the state farthest from Test-Logic-Reset.
    ASSERT_EQ(Run("RST;"), Result::Done);
    PlayAll();
    ASSERT_EQ(Run("STATE DRSHIFT;"), Result::Done);
    PlayAll();
    ASSERT_EQ(f.Eng.Taps().State(0), 6);
    ASSERT_EQ(Run("RST;"), Result::Done);
    int edges = 0;
    while (!f.Eng.State().AllPlayed()) {
        const TapEvent next = Store().GetEvent(Store().PlayedCount());
        f.Eng.PlayEvent();
        if (next.TCK == 1 && ++edges < 5) {
            EXPECT_NE(f.Eng.Taps().State(0), 0) << "edge " << edges;
        }
    }
    EXPECT_EQ(edges, 5);
    EXPECT_EQ(f.Eng.Taps().State(0), 0);
}

TEST_F(Interpreter, TmsStatements) {
    EXPECT_EQ(Appended("TMS0;"), (L{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Appended("tms1;"), (L{{0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(0).Description, "TMS0");
    EXPECT_EQ(Store().GetEvent(3).Description, "TMS1");
}

TEST_F(Interpreter, NtckGivesOneCycleMoreThanTheCounter) {
    Load(3);
    L events = Appended("NTCK;");
    EXPECT_EQ(events.size(), 9U);
    EXPECT_EQ(events.back(), (std::array<int, 3>{0, 0, 0}));
    Load(0);
    EXPECT_EQ(Appended("NTCK;"), (L{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}));
    Regs().Counter[0] = -4;
    const std::uint32_t at = Store().EventCount();
    EXPECT_EQ(Appended("NTCK;"), (L{{0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(at).Description, "NTCK") << "the lone event is the first";
}

TEST_F(Interpreter, ShiftSendsExactlyCounterBitsLeftmostFirst) {
    EXPECT_EQ(Run("NSHF A5h;"), Result::ShiftBeforeLoad);
    Load(8);
    L events = Appended("NSHF A5h;");
    ASSERT_EQ(events.size(), 18U);
    EXPECT_EQ(SentBits(events), (std::vector<int>{1, 0, 1, 0, 0, 1, 0, 1}));
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(events[i][0], int(i % 2));
        EXPECT_EQ(events[i][1], i >= 14 ? 1 : 0) << "TMS high only on the last bit";
    }
    EXPECT_EQ(events[16], (std::array<int, 3>{0, 1, 1}));
    EXPECT_EQ(events[17], (std::array<int, 3>{0, 0, 1}));
    Load(4);
    EXPECT_EQ(SentBits(Appended("NSHF A5H;")), (std::vector<int>{1, 0, 1, 0}));
    Load(12);
    EXPECT_EQ(SentBits(Appended("nshf a5h;")),
              (std::vector<int>{1, 0, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0}));
}

TEST_F(Interpreter, ShiftWithNothingToShift) {
    Load(0);
    const std::uint32_t at = Store().EventCount();
    EXPECT_EQ(Appended("NSHF FFh;"), (L{{0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(at).Description, "");
    Load(1);
    EXPECT_EQ(Appended("NSHF h;"), (L{{0, 1, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}}));
}

TEST_F(Interpreter, ShiftOperandErrors) {
    Load(8);
    const std::uint32_t before = Store().EventCount();
    EXPECT_EQ(Run("NSHF A5;"), Result::NotHex);
    EXPECT_EQ(Run("NSHF ;"), Result::NotHex);
    EXPECT_EQ(Run("NSHF G5h;"), Result::BadHexDigit);
    EXPECT_EQ(Run("NSHF A 5h;"), Result::BadHexDigit);
    EXPECT_EQ(Store().EventCount(), before);
}

TEST_F(Interpreter, LoadCounter) {
    for (const char* text : {"LD CNT,10d;", "ld cnt , 0Ah;", "LD CNT,0AH;", "LD cnt,  10D ;"}) {
        Regs().Counter[0] = 0;
        EXPECT_EQ(Run(text), Result::Done) << text;
        EXPECT_EQ(Regs().Counter[0], 10) << text;
    }
    EXPECT_TRUE(Regs().CounterLoaded[0]);
    EXPECT_EQ(Run("LD CNT 10d;"), Result::NotRecognised);
    EXPECT_EQ(Run("LD CN,10d;"), Result::UnknownCounter);
    EXPECT_EQ(Run("LD CNT,10;"), Result::BadCounterValue);
    EXPECT_EQ(Run("LD CNT,1x0d;"), Result::BadCounterValue);
    EXPECT_EQ(Run("LD CNT,;"), Result::BadCounterValue);
    EXPECT_EQ(Regs().Counter[0], 10);
    EXPECT_EQ(Run("LD CNT,FFFFFFFFh;"), Result::Done);
    EXPECT_EQ(Regs().Counter[0], -1);
}

TEST_F(Interpreter, CountersAndSelectionArePerTap) {
    Load(5);
    EXPECT_EQ(Run("SELTAP1;"), Result::Done);
    EXPECT_EQ(Regs().SelectedTap, 1);
    EXPECT_FALSE(Regs().CounterLoaded[1]);
    Load(2);
    EXPECT_EQ(Run("SAVE;"), Result::Done);
    EXPECT_EQ(Run("DEC;"), Result::Done);
    EXPECT_EQ(Regs().Counter[1], 1);
    EXPECT_EQ(Run("REST;"), Result::Done);
    EXPECT_EQ(Regs().Counter[1], 2);
    EXPECT_EQ(Regs().Counter[0], 5);
    EXPECT_EQ(Appended("TMS0;").size(), 3U);
    EXPECT_EQ(Store().GetEvent(0).Tap, 1);
}

TEST_F(Interpreter, DecStopsAtZeroAndWrapsBelowTheMinimum) {
    Load(0);
    EXPECT_EQ(Run("DEC;"), Result::Done);
    EXPECT_EQ(Regs().Counter[0], 0);
    Regs().Counter[0] = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Run("DEC;"), Result::Done);
    EXPECT_EQ(Regs().Counter[0], std::numeric_limits<std::int32_t>::max());
}

TEST_F(Interpreter, ShiftCompareOperandCounting) {
    Load(4);
    EXPECT_EQ(Run("NSHFCP 1h,2h;"), Result::MissingParameters);
    EXPECT_EQ(Run("NSHFCP 1h;"), Result::MissingParameters);
    EXPECT_EQ(Run("NSHFCP 1h,2h,3h,4h;"), Result::TooManyParameters);
    EXPECT_EQ(Run("NSHFCP 1h,2,3h;"), Result::NotHex);
    EXPECT_EQ(Run("NSHFCP 1h,,3h;"), Result::NotHex);
    EXPECT_EQ(Run("NSHFCP 1h,2h,Zh;"), Result::BadHexDigit);
    EXPECT_EQ(Store().EventCount(), 0U);
    EXPECT_TRUE(Regs().ExpectedBits.Empty()) << "a failing statement changes no register";
}

TEST_F(Interpreter, ShiftCompareBuildsExpectedAndMaskLeastSignificantFirst) {
    Load(4);
    const L events = Appended("NSHFCP F0h,0Fh,FFh;");
    EXPECT_EQ(SentBits(events), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Regs().ExpectedBits.Text(), "11110000");
    EXPECT_EQ(Regs().MaskBits.Text(), "11111111");
    EXPECT_EQ(Store().GetEvent(0).Description, "NSHFCP");
    Load(12);
    ASSERT_EQ(Run("NSHFCP 0h , 1h , 3h ;"), Result::Done);
    EXPECT_EQ(Regs().ExpectedBits.Text(), "100000000000") << "padded with 0 up to the counter";
    EXPECT_EQ(Regs().MaskBits.Text(), "110000000000");
}

TEST_F(Interpreter, StateNeedsResetAndAKnownName) {
    EXPECT_EQ(Run("STATE IDLE;"), Result::StateBeforeReset);
    ASSERT_EQ(Run("RST;"), Result::Done);
    const std::uint32_t before = Store().EventCount();
    EXPECT_EQ(Run("STATE FOO;"), Result::UnknownState);
    EXPECT_EQ(Run("STATE ;"), Result::UnknownState);
    EXPECT_EQ(Run("STATE;"), Result::NotRecognised) << "STATE takes an operand";
    EXPECT_EQ(Store().EventCount(), before);
}

TEST_F(Interpreter, StateWalksTheTmsPathOfThePresentState) {
    ASSERT_EQ(Run("RST;"), Result::Done);
    PlayAll();
    const std::uint32_t at = Store().EventCount();
    EXPECT_EQ(Appended("STATE IDLE;"), (L{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(at).Description, "STATE -> IDLE");
    PlayAll();
    ASSERT_EQ(f.Eng.Taps().State(0), 1);
    const std::uint32_t at2 = Store().EventCount();
    EXPECT_EQ(Appended("state DrShift ;"),
              (L{{0, 1, 0}, {1, 1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(at2).Description, "STATE -> DrShift");
    PlayAll();
    EXPECT_EQ(f.Eng.Taps().State(0), 6);
    const std::uint32_t at3 = Store().EventCount();
    EXPECT_EQ(Appended("STATE DRSHIFT;"), (L{{0, 0, 0}})) << "already there";
    EXPECT_EQ(Store().GetEvent(at3).Description, "STATE -> DRSHIFT");
    EXPECT_EQ(Appended("STATE DREXIT1;"), (L{{0, 1, 0}, {1, 1, 0}, {0, 1, 0}}));
}

TEST_F(Interpreter, StateOnTap1StartsFromTap1sOwnState) {
    ASSERT_EQ(Run("RST;"), Result::Done);
    ASSERT_EQ(Run("STATE DRSHIFT;"), Result::Done);
    ASSERT_EQ(Run("SELTAP1;"), Result::Done);
    ASSERT_EQ(Run("RST;"), Result::Done);
    PlayAll();
    ASSERT_EQ(f.Eng.Taps().State(0), 6);
    ASSERT_EQ(f.Eng.Taps().State(1), 0);
    // From Test-Logic-Reset one TMS 0 cycle reaches Run-Test/Idle; from
    // TAP 0's Shift-DR it would take three.
    const std::uint32_t at = Store().EventCount();
    EXPECT_EQ(Appended("STATE IDLE;"), (L{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(at).Tap, 1);
    PlayAll();
    EXPECT_EQ(f.Eng.Taps().State(1), 1);
    EXPECT_EQ(f.Eng.Taps().State(0), 6) << "TAP 0 untouched";
}

TEST_F(Interpreter, HoldEventsKeepTheSelectedTapsLastLevels) {
    Regs().LastTck = {0, 1};
    Regs().LastTms = {0, 1};
    Regs().LastTx = {0, 1};
    ASSERT_EQ(Run("SELTAP1;"), Result::Done);
    const std::pair<const char*, std::int32_t> statements[] = {{"SSA1;", Result::Done},
                                                               {"SSB0;", Result::Done},
                                                               {"WSA0;", Result::WaitSiaLow},
                                                               {"WSB1;", Result::WaitSibHigh}};
    for (const auto& [statement, code] : statements) {
        const std::uint32_t at = Store().EventCount();
        EXPECT_EQ(Appended(statement, code), (L{{1, 1, 1}})) << statement;
        EXPECT_EQ(Store().GetEvent(at).Tap, 1) << statement;
        Regs().ClearWaits();
    }
}

TEST_F(Interpreter, SyncOutputsAndWaits) {
    Regs().LastTck[0] = 1;
    Regs().LastTx[0] = 1;
    EXPECT_EQ(Appended("SSA1;"), (L{{1, 0, 1}}));
    EXPECT_EQ(Store().GetEvent(0).SOA, 1);
    EXPECT_EQ(Store().GetEvent(0).Description, "SSA1");
    EXPECT_EQ(Store().GetEvent(Store().EventCount() - 1).SOA, 1);
    Appended("TMS0;");
    EXPECT_EQ(Store().GetEvent(Store().EventCount() - 1).SOA, 1) << "every later event";
    Appended("SSB1;");
    Appended("SSA0;");
    const TapEvent last = Store().GetEvent(Store().EventCount() - 1);
    EXPECT_EQ(last.SOA, 0);
    EXPECT_EQ(last.SOB, 1);

    EXPECT_EQ(Run("WSA0;"), Result::WaitSiaLow);
    EXPECT_TRUE(Regs().WaitingSync);
    EXPECT_TRUE(Regs().WaitSiaLow);
    EXPECT_EQ(Store().GetEvent(Store().EventCount() - 1).Description, "WSA0");
    Regs().ClearWaits();
    EXPECT_EQ(Run("wsb1;"), Result::WaitSibHigh);
    EXPECT_TRUE(Regs().WaitSibHigh);
}

TEST_F(Interpreter, RequestsToLineExecution) {
    EXPECT_EQ(Run("NOP;"), Result::Done);
    EXPECT_EQ(Run("FLUSH;"), Result::Flush);
    EXPECT_EQ(Run("SERFLG3;"), Result::FlagSelected);
    EXPECT_EQ(Regs().FlagMask[0], 8);
    EXPECT_EQ(Run("SERFLG8;"), Result::NotRecognised);
    EXPECT_EQ(Run("JZ  loop1 ;"), Result::JumpIfZero);
    EXPECT_EQ(Regs().JumpLabel, "LOOP1");
    EXPECT_EQ(Run("JNZ a;"), Result::JumpIfNotZero);
    EXPECT_EQ(Run("JERR a;"), Result::JumpIfError);
    EXPECT_EQ(Run("JNERR a;"), Result::JumpIfNoError);
    EXPECT_EQ(Run("JMP end"), Result::Jump);
    EXPECT_EQ(Regs().JumpLabel, "END");
    EXPECT_EQ(Store().EventCount(), 0U);
    EXPECT_EQ(Appended("HALT;", Result::Halt), (L{{0, 0, 0}}));
    EXPECT_EQ(Store().GetEvent(0).Description, "HALT");
}

TEST_F(Interpreter, StatementsBeyondTheEventBudgetAreRefusedWhole) {
    EngineFixture small("", EventBudget{100});
    ASSERT_EQ(small.Interpret("LD CNT,7FFFFFFFh;"), Result::Done);
    EXPECT_EQ(small.Interpret("NTCK;"), Result::OutOfMemory);
    EXPECT_EQ(small.Interpret("NSHF 0h;"), Result::OutOfMemory);
    EXPECT_EQ(small.Interpret("NSHFCP 0h,0h,0h;"), Result::OutOfMemory);
    EXPECT_TRUE(small.Eng.Registers().ExpectedBits.Empty());
    EXPECT_EQ(small.Eng.Events().EventCount(), 0U);
    ASSERT_EQ(small.Interpret("LD CNT,48d;"), Result::Done);
    EXPECT_EQ(small.Interpret("NSHF 0h;"), Result::Done) << "98 events fit";
    EXPECT_EQ(small.Interpret("TMS1;"), Result::OutOfMemory);
    EXPECT_EQ(small.Interpret("RST;"), Result::OutOfMemory);
    EXPECT_FALSE(small.Eng.Registers().ResetDone[0]);
    EXPECT_EQ(small.Interpret("TMS0;"), Result::OutOfMemory);
    EXPECT_EQ(small.Interpret("HALT;"), Result::Halt);
    EXPECT_EQ(small.Interpret("SSA1;"), Result::Done) << "the hundredth event fits";
    EXPECT_EQ(small.Interpret("SSB1;"), Result::OutOfMemory);
    EXPECT_EQ(small.Interpret("WSA1;"), Result::OutOfMemory);
    EXPECT_EQ(small.Eng.Registers().SyncOutB, 0);
    EXPECT_FALSE(small.Eng.Registers().WaitingSync);
    EXPECT_EQ(small.Eng.Events().EventCount(), 100U);
    const auto message = StatusForResult(Result::OutOfMemory);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Error: not enough memory");
    EXPECT_EQ(message->colour, StatusColour::Red);
}

TEST_F(Interpreter, ArbitraryTextNeverCrashes) {
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary += static_cast<char>(i);
    }
    EXPECT_EQ(Run(binary), Result::NotRecognised);
    EXPECT_EQ(Run(std::string(1000000, 'A')), Result::NotRecognised);
    Load(4);
    EXPECT_EQ(Run("NSHF " + std::string(1000000, 'F') + "h"), Result::Done);
    EXPECT_EQ(Run("NSHFCP " + std::string(300000, ',') + ";"), Result::TooManyParameters);
    EXPECT_EQ(Run(std::string("STATE \0;", 8)), Result::StateBeforeReset);
    ASSERT_EQ(Run("RST;"), Result::Done);
    EXPECT_EQ(Run(std::string("STATE \0;", 8)), Result::UnknownState);
}

TEST(StatusTexts, EveryErrorHasItsRedMessage) {
    const std::pair<std::int32_t, std::string_view> cases[] = {
        {-1, "Line compiled with errors"},
        {-10, "Error: unknown value"},
        {-20, "Error: only HEX is supported in NSHF and NSHFCP"},
        {-30, "Error: parameters are missing"},
        {-40, "Error: this instruction doesn't support so many parameters"},
        {-50, "Error: state not known"},
        {-60, "Error: unknown counter"},
        {-70, "Error: unknown value"},
        {-80, "Error: Please do a reset before using STATE"},
        {-90, "Error: Please do a \"LD CNT\" before using NSHF/NSHFCP"},
    };
    for (const auto& [code, text] : cases) {
        const auto message = StatusForResult(code);
        ASSERT_TRUE(message) << code;
        EXPECT_EQ(message->text, text);
        EXPECT_EQ(message->colour, StatusColour::Red);
    }
    EXPECT_EQ(StatusForResult(0)->text, "Line processed");
    EXPECT_EQ(StatusForResult(1)->colour, StatusColour::Green);
    EXPECT_EQ(StatusForResult(9)->text, "Waiting SIA to go low...");
    EXPECT_EQ(StatusForResult(12)->colour, StatusColour::Purple);
    EXPECT_EQ(StatusForResult(13)->colour, StatusColour::Yellow);
    EXPECT_FALSE(StatusForResult(3));
    EXPECT_FALSE(StatusForResult(6));
}

} // namespace
} // namespace scanbench
