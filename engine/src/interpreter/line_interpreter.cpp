#include "engine/interpreter/line_interpreter.h"

#include "engine/events/event_store.h"
#include "engine/interpreter/controller_registers.h"
#include "engine/interpreter/result_codes.h"
#include "engine/interpreter/shift_sequence.h"
#include "engine/program/text_helpers.h"

#include <new>

namespace scanbench {

std::int32_t LineInterpreter::InterpretLine(std::string_view text) {
    const std::uint32_t before = Store.EventCount();
    try {
        return Translate(text);
    } catch (const std::bad_alloc&) {
        // Memory ran out although the budget allowed the events (another
        // program took it, say): the statement is refused as the budget
        // would have refused it, without the events it had appended.
        Store.DropNewest(before);
        return Result::OutOfMemory;
    }
}

std::int32_t LineInterpreter::Translate(std::string_view text) {
    std::string_view statement = TrimLeftBlanks(text);
    std::string unlabelled;
    if (statement.find(':') != std::string_view::npos) {
        // The label (collected by the code check) is the first word once the
        // first ":" has become a blank.
        unlabelled = ReplaceFirstWithBlank(statement, ':');
        statement = SplitFirstWord(unlabelled).rest;
    }
    const WordSplit split = SplitFirstWord(statement);
    const std::string word = ToUpperAscii(split.word);
    if (!word.empty() && word.back() == ';') {
        return Operandless(word);
    }
    return WithOperand(word, split.rest);
}

std::int32_t LineInterpreter::Operandless(std::string_view word) {
    if (word == "RST;") {
        return Reset();
    }
    if (word == "NOP;") {
        return Result::Done;
    }
    if (word == "TMS0;" || word == "TMS1;") {
        return TmsClock(word[3] == '1' ? 1 : 0, word.substr(0, 4));
    }
    if (word == "FLUSH;") {
        return Result::Flush;
    }
    if (word == "SELTAP0;" || word == "SELTAP1;") {
        Regs.SelectedTap = word[6] == '1' ? 1 : 0;
        return Result::Done;
    }
    if (word.size() == 8 && word.starts_with("SERFLG") && word[6] >= '0' && word[6] <= '7') {
        return SelectFlag(word[6] - '0');
    }
    if (word == "WSA0;" || word == "WSA1;" || word == "WSB0;" || word == "WSB1;") {
        return WaitForSync(word[2] == 'A', word[3] == '1', word.substr(0, 4));
    }
    if (word == "SAVE;" || word == "REST;" || word == "DEC;") {
        return CounterOperation(word);
    }
    if (word == "SSA0;" || word == "SSA1;" || word == "SSB0;" || word == "SSB1;") {
        return SetSyncOutput(word[2] == 'A', word[3] == '1', word.substr(0, 4));
    }
    if (word == "NTCK;") {
        return ClockCycles();
    }
    if (word == "HALT;") {
        return Halt();
    }
    return Result::NotRecognised;
}

std::int32_t LineInterpreter::TmsClock(std::uint8_t tms, std::string_view description) {
    if (!Fits(tms == 1 ? 4 : 3)) {
        return Result::OutOfMemory;
    }
    TapEvent e = BaseEvent();
    e.TMS = tms;
    e.Description = description;
    Store.Add(e);
    e.Description.clear();
    e.TCK = 1;
    Store.Add(e);
    e.TCK = 0;
    Store.Add(e);
    if (tms == 1) {
        e.TMS = 0;
        Store.Add(e);
    }
    return Result::Done;
}

std::int32_t LineInterpreter::SelectFlag(int bit) {
    Regs.FlagMask[Regs.SelectedTap] = static_cast<std::uint8_t>(1U << bit);
    return Result::FlagSelected;
}

std::int32_t LineInterpreter::WaitForSync(bool onA, bool high, std::string_view description) {
    if (!Fits(1)) {
        return Result::OutOfMemory;
    }
    Regs.WaitingSync = true;
    (onA ? (high ? Regs.WaitSiaHigh : Regs.WaitSiaLow)
         : (high ? Regs.WaitSibHigh : Regs.WaitSibLow)) = true;
    HoldEvent(description);
    return onA ? (high ? Result::WaitSiaHigh : Result::WaitSiaLow)
               : (high ? Result::WaitSibHigh : Result::WaitSibLow);
}

std::int32_t LineInterpreter::CounterOperation(std::string_view word) {
    const std::uint8_t tap = Regs.SelectedTap;
    if (word == "SAVE;") {
        Regs.SavedCounter[tap] = Regs.Counter[tap];
    } else if (word == "REST;") {
        Regs.Counter[tap] = Regs.SavedCounter[tap];
    } else if (Regs.Counter[tap] != 0) { // DEC;
        // Wraps like the 32-bit register instead of overflowing.
        Regs.Counter[tap] =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(Regs.Counter[tap]) - 1U);
    }
    return Result::Done;
}

std::int32_t LineInterpreter::SetSyncOutput(bool onA, bool high, std::string_view description) {
    if (!Fits(1)) {
        return Result::OutOfMemory;
    }
    (onA ? Regs.SyncOutA : Regs.SyncOutB) = high ? 1 : 0;
    return HoldEvent(description);
}

std::int32_t LineInterpreter::Halt() {
    if (!Fits(1)) {
        return Result::OutOfMemory;
    }
    TapEvent e = BaseEvent();
    e.Description = "HALT";
    Store.Add(e);
    return Result::Halt;
}

std::int32_t LineInterpreter::WithOperand(std::string_view word, std::string_view operand) {
    if (word == "JERR") {
        return Jump(Result::JumpIfError, operand);
    }
    if (word == "JNERR") {
        return Jump(Result::JumpIfNoError, operand);
    }
    if (word == "JMP") {
        return Jump(Result::Jump, operand);
    }
    if (word == "JZ") {
        return Jump(Result::JumpIfZero, operand);
    }
    if (word == "JNZ") {
        return Jump(Result::JumpIfNotZero, operand);
    }
    if (word == "LD") {
        return Load(operand);
    }
    if (word == "NSHF") {
        return Shift(operand);
    }
    if (word == "NSHFCP") {
        return ShiftCompare(operand);
    }
    if (word == "STATE") {
        return State(operand);
    }
    return Result::NotRecognised;
}

std::int32_t LineInterpreter::Jump(std::int32_t code, std::string_view operand) {
    Regs.JumpLabel = ToUpperAscii(CleanOperand(operand));
    return code;
}

std::int32_t LineInterpreter::Reset() {
    if (!Fits(12)) {
        return Result::OutOfMemory;
    }
    Regs.ResetDone[Regs.SelectedTap] = true;
    TapEvent e = BaseEvent();
    e.TMS = 1;
    e.Description = "RST";
    Store.Add(e);
    e.Description.clear();
    for (int i = 0; i < 10; ++i) {
        e.TCK = (i % 2 == 0) ? 1 : 0; // five rising edges with TMS high
        Store.Add(e);
    }
    e.TCK = 0;
    e.TMS = 0;
    Store.Add(e);
    return Result::Done;
}

std::int32_t LineInterpreter::ClockCycles() {
    const std::int64_t n = Regs.Counter[Regs.SelectedTap];
    const std::uint64_t cycles = n >= 0 ? static_cast<std::uint64_t>(n) + 1 : 0;
    if (!Fits(2 * cycles + 1)) {
        return Result::OutOfMemory;
    }
    // Without cycles the only event is the statement's first and carries its
    // description.
    TapEvent first = BaseEvent();
    first.Description = "NTCK";
    auto sequence = std::make_unique<ClockSequence>(cycles);
    const std::uint64_t count = sequence->Size();
    Store.AddSequence(first, count, std::move(sequence));
    return Result::Done;
}

std::int32_t LineInterpreter::HoldEvent(std::string_view description) {
    const std::uint8_t tap = Regs.SelectedTap;
    TapEvent e = BaseEvent();
    e.TCK = Regs.LastTck[tap];
    e.TMS = Regs.LastTms[tap];
    e.TX = Regs.LastTx[tap];
    e.Description = description;
    Store.Add(e);
    return Result::Done;
}

TapEvent LineInterpreter::BaseEvent() const {
    TapEvent e;
    e.Tap = Regs.SelectedTap;
    e.Line = Regs.CurrentLine;
    e.SOA = Regs.SyncOutA;
    e.SOB = Regs.SyncOutB;
    return e;
}

bool LineInterpreter::Fits(std::uint64_t events) const {
    return Budget.Allows(Store.EventCount(), events);
}

std::string CleanOperand(std::string_view operand) {
    std::string cleaned = ReplaceFirstWithBlank(TrimBlanks(operand), ';');
    cleaned.resize(TrimRightBlanks(cleaned).size());
    return cleaned;
}

} // namespace scanbench
