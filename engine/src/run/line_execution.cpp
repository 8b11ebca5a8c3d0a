#include "engine/run/line_execution.h"

#include "engine/feed/engine_display.h"
#include "engine/feed/signal_port.h"
#include "engine/interpreter/line_interpreter.h"
#include "engine/interpreter/result_codes.h"
#include "engine/program/line_fetch.h"
#include "engine/program/program_text.h"
#include "engine/run/engine_state.h"
#include "engine/run/playback.h"

#include <algorithm>
#include <new>

namespace scanbench {

void LineExecution::ExecuteStep() {
    try {
        Step();
    } catch (const std::bad_alloc&) {
        EndOutOfMemory();
    }
}

std::uint64_t LineExecution::ExecuteSteps(std::uint64_t limit, bool stopsAtBreakpoints) {
    std::uint64_t taken = 0;
    while (taken < limit && !State.Run.ProgramEnded) {
        if (stopsAtBreakpoints && State.BreakpointHolds()) {
            break;
        }
        ExecuteStep();
        ++taken;
        if (taken == limit || State.Run.ProgramEnded || !State.Run.CodeChecked) {
            continue;
        }
        taken += PlayRecorded(limit - taken);
    }
    return taken;
}

std::uint64_t LineExecution::PlayRecorded(std::uint64_t limit) {
    const std::uint32_t pending = State.Events.EventCount() - State.Events.PlayedCount();
    if (pending == 0 || limit == 0) {
        return 0;
    }
    // The steps that follow would each show the same execution point,
    // play one event and highlight the same TAP.
    const auto run = static_cast<std::uint32_t>(std::min<std::uint64_t>(pending, limit));
    try {
        return Player.PlayPending(run);
    } catch (const std::bad_alloc&) {
        EndOutOfMemory();
        return 0;
    }
}

void LineExecution::EndOutOfMemory() {
    // The store, a captured bit string or a label outgrew the memory there
    // is: the run ends on an error like any refused statement, and what is
    // left of a statement that was being played is given up.
    State.Events.DropNewest(State.Events.PlayedCount());
    Display.ShowStatus(Status::NotEnoughMemory, StatusColour::Red);
    State.Run.ProgramEnded = true;
    Display.TellRun(RunNews::ProgramStopped);
}

void LineExecution::Step() {
    bool flush = false;
    if (!State.Run.CodeChecked && !CheckCode()) {
        // An empty label stops the run like an interpreter error; repeating
        // the failed check on every later step would loop for ever.
        State.Run.ProgramEnded = true;
        Display.TellRun(RunNews::ProgramStopped);
        return;
    }
    if (State.AllPlayed()) {
        if (State.Registers.WaitingSync) {
            PollWait();
        } else {
            FetchAndTranslate(flush);
        }
    }
    ShowExecPoint();
    Player.PlayEvent();
    Display.HighlightSelectedTap(State.Registers.SelectedTap);
    if (flush) {
        State.Events.Clear();
    }
}

void LineExecution::PollWait() {
    ControllerRegisters& regs = State.Registers;
    std::string_view text = Display.StatusText();
    if (regs.WaitSiaLow) {
        text = Status::WaitSiaLow;
    }
    if (regs.WaitSiaHigh) {
        text = Status::WaitSiaHigh;
    }
    if (regs.WaitSibLow) {
        text = Status::WaitSibLow;
    }
    if (regs.WaitSibHigh) {
        text = Status::WaitSibHigh;
    }
    Display.ShowStatus(std::string(text), StatusColour::Purple);
    const bool satisfied =
        (regs.WaitSiaLow && Port.ReadSia() == 0) || (regs.WaitSiaHigh && Port.ReadSia() == 1) ||
        (regs.WaitSibLow && Port.ReadSib() == 0) || (regs.WaitSibHigh && Port.ReadSib() == 1);
    if (satisfied) {
        regs.ClearWaits();
    }
}

void LineExecution::FetchAndTranslate(bool& flush) {
    ControllerRegisters& regs = State.Registers;
    // Without Active mode only the last chunks are kept: those before them
    // go now, and a long statement's go while it plays.
    const std::uint8_t kept = State.Switches.ActiveMode ? 0 : 2;
    State.Events.KeepLastChunks(kept);
    State.Events.KeepLastChunksWhilePlaying(kept);
    const std::string statement = getline(*Program, regs.CurrentLine);
    if (Program->LineCount() <= regs.CurrentLine) {
        State.Run.ProgramEnded = true;
    }
    if (statement.empty()) {
        return;
    }
    State.Run.ProgramEnded = false;
    const std::int32_t code = ActOnResult(Interpreter.InterpretLine(statement), flush);
    if (code < 0) {
        State.Run.ProgramEnded = true;
        Display.TellRun(RunNews::ProgramStopped);
    }
}

std::int32_t LineExecution::ActOnResult(std::int32_t code, bool& flush) {
    if (IsJump(code)) {
        return TakeJump(code);
    }
    if (code == Result::FlagSelected) {
        Display.DrawFlagMarkers(State.Registers);
        return code;
    }
    if (const auto message = StatusForResult(code)) {
        Display.ShowStatus(message->text, message->colour);
    }
    if (code == Result::Halt) {
        State.Run.ProgramEnded = true;
        Display.TellRun(RunNews::ProgramStopped);
    } else if (code == Result::Flush) {
        flush = true;
    }
    return code;
}

std::int32_t LineExecution::TakeJump(std::int32_t code) {
    ControllerRegisters& regs = State.Registers;
    const std::optional<std::int32_t> target = State.Labels.Find(regs.JumpLabel);
    if (!target) {
        Display.ShowStatus(Status::LabelNotFound, StatusColour::Red);
        return Result::NotRecognised;
    }
    const std::uint8_t t = regs.SelectedTap;
    bool taken = false;
    switch (code) {
    case Result::JumpIfError:
        taken = regs.SelectedFlagSet(t);
        break;
    case Result::JumpIfNoError:
        taken = !regs.SelectedFlagSet(t);
        break;
    case Result::Jump:
        taken = true;
        break;
    case Result::JumpIfZero:
        taken = regs.Counter[t] == 0;
        break;
    case Result::JumpIfNotZero:
        taken = regs.Counter[t] != 0;
        break;
    default:
        break;
    }
    if (taken) {
        regs.CurrentLine = *target;
    }
    return code;
}

bool LineExecution::CheckCode() {
    ControllerRegisters& regs = State.Registers;
    State.Playback.LastSoa = 0;
    State.Playback.LastSob = 0;
    regs.ClearWaits();
    regs.SyncOutA = 0;
    regs.SyncOutB = 0;

    const std::int32_t lineCount = Program->LineCount();
    regs.CurrentLine = 0;
    State.Playback.Capturing = false;
    State.Labels.Clear();
    while (regs.CurrentLine < lineCount) {
        const std::string statement = getline(*Program, regs.CurrentLine);
        const std::size_t colon = statement.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        if (colon == 0) {
            Display.ShowStatus(Status::InvalidLabel, StatusColour::Red);
            return false;
        }
        State.Labels.Add(regs.CurrentLine - 1, std::string_view(statement).substr(0, colon));
    }

    State.Run.CodeChecked = true;
    State.Run.Started = false;
    regs.Flags = {0, 0};
    regs.CurrentLine = 0;
    State.Playback.Capturing = false;
    Display.TellRun(RunNews::CodeChecked);
    return true;
}

void LineExecution::ShowExecPoint() {
    const std::int32_t line = State.Registers.CurrentLine;
    Display.Tell([line](EngineListener& l) { l.ShowExecPoint(line); });
}

} // namespace scanbench
