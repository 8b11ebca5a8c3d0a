#include "svf/svf_translator.h"

#include "engine/tap/tap_state.h"
#include "tap_paths.h"

#include <array>

namespace scanbench {

namespace {

using namespace TapPaths;

[[nodiscard]] bool IsIrState(std::uint8_t s) {
    return s >= 3 && s % 2 == 1;
}

[[nodiscard]] std::string Name(std::uint8_t state) {
    return std::string(TapStateNames[state]);
}

// "1 clock", "12 clocks".
[[nodiscard]] std::string ClockCount(std::uint64_t clocks) {
    return std::to_string(clocks) + (clocks == 1 ? " clock" : " clocks");
}

// The bits as SVF writes a value: hexadecimal, the first bit shifted the
// least significant; long values are broken into lines of 64 digits.
template <typename Pick>
std::string Hex(std::size_t count, Pick bit) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    const std::size_t digits = (count + 3) / 4;
    std::string text;
    text.reserve(digits + digits / 64 + 2);
    text += '(';
    for (std::size_t d = digits; d-- > 0;) {
        unsigned value = 0;
        for (unsigned b = 0; b < 4; ++b) {
            const std::size_t index = d * 4 + b;
            if (index < count && bit(index)) {
                value |= 1U << b;
            }
        }
        text += Digits[value];
        if (d != 0 && (digits - d) % 64 == 0) {
            text += "\n\t";
        }
    }
    text += ')';
    return text;
}

} // namespace

SvfTranslator::SvfTranslator(std::ostream& out, const std::string& title) : Out(out) {
    Out << "! " << title << "\n"
        << "! Serial Vector Format, written by Scanbench. The simulation starts every\n"
        << "! TAP in Test-Logic-Reset; so does this file.\n"
        << "ENDIR IDLE;\nENDDR IDLE;\nSTATE RESET;\n";
}

void SvfTranslator::Add(const SvfEvent& e) {
    if (e.StatementStart) {
        Comparing.reset();
        ComparedOutsideShift = false;
    }
    if (e.Compare != nullptr && e.Compare->Count > 0) {
        Comparing = *e.Compare;
        Received = 0;
        const auto n = static_cast<std::size_t>(e.Compare->Count);
        // The received bits are compared as a number padded with zeros to
        // whole hexadecimal digits: the padding is never received.
        const std::size_t padding = (4 - n % 4) % 4;
        for (std::size_t i = 0; i < padding; ++i) {
            if (Comparing->MaskBits.BitOrZero(i) == 1 &&
                Comparing->ExpectedBits.BitOrZero(i) == 1) {
                Problem(e.Line, "NSHFCP expects 1 in bit " + std::to_string(n + padding - 1 - i) +
                                    " of its value, above the " + std::to_string(n) +
                                    " bits it receives: it always fails, which SVF cannot say");
                break;
            }
        }
    }
    const bool rising = e.Tck && !LastTck;
    LastTck = e.Tck;
    if (rising) {
        Clock(e.Tms, e.Tdi, e.Line);
    } else if (Comparing) {
        TakeCapture(e.Line);
    }
}

void SvfTranslator::TakeCapture(std::int32_t line) {
    const ShiftCompare& c = *Comparing;
    const auto n = static_cast<std::size_t>(c.Count);
    const std::size_t padding = (4 - n % 4) % 4;
    // The bits are compared most recent first: the first received bit
    // meets the highest bit of the expected value.
    const std::size_t index = padding + n - 1 - static_cast<std::size_t>(Received);
    const bool compared = index < c.ExpectedBits.Size() && c.MaskBits.BitOrZero(index) == 1;
    if (PendingExpected && PendingCompared) {
        Problem(line, "NSHFCP compares TDO twice without a TCK edge between; SVF cannot");
    }
    PendingCompared = compared;
    PendingExpected = compared && c.ExpectedBits[index] == 1;
    if (++Received == c.Count) {
        Comparing.reset();
    }
}

void SvfTranslator::Clock(bool tms, bool tdi, std::int32_t line) {
    const std::uint8_t from = State;
    const std::uint8_t to = NextTapState(from, tms);
    const bool compared = PendingExpected.has_value() && PendingCompared;
    if (IsShiftState(from)) {
        ScanBits.push_back({tdi, compared, compared && *PendingExpected});
    } else if (compared && !ComparedOutsideShift) {
        // Said once for the statement, not for each of its bits.
        ComparedOutsideShift = true;
        Problem(line, "NSHFCP compares a bit received in " + Name(from) +
                          ", outside a shift; SVF compares shifted bits only");
    }
    PendingExpected.reset();
    PendingCompared = false;
    State = to;
    Advance(from, to, line);
}

void SvfTranslator::Advance(std::uint8_t from, std::uint8_t to, std::int32_t line) {
    switch (Now) {
    case Mode::Stable:
        if (to == from) {
            if (RunClocks++ == 0) {
                RunLine = line;
            }
            return;
        }
        FlushRunClocks(from);
        if (to == Idle) { // from Test-Logic-Reset
            Command(line, "STATE IDLE;");
        } else { // Run-Test/Idle to Select-DR-Scan
            Now = Mode::Selecting;
            Path.assign({to});
            ScanLine = line;
        }
        return;
    case Mode::Selecting:
        Path.push_back(to);
        if (to == Reset) {
            Command(line, "STATE RESET;");
            Now = Mode::Stable;
        } else if (to != SelectIr) { // a capture: a scan begins
            Now = Mode::Scan;
            ScanBits.clear();
            PauseClocks = 0;
            ScanLine = line;
        }
        return;
    case Mode::Scan:
        Path.push_back(to);
        AdvanceScan(from, to, line);
        return;
    }
}

void SvfTranslator::AdvanceScan(std::uint8_t from, std::uint8_t to, std::int32_t line) {
    if (from == PauseDr || from == PauseIr) {
        if (to == from && PauseClocks++ == 0) {
            PauseLine = line;
        }
        return;
    }
    if ((from == Exit2Dr || from == Exit2Ir) && IsShiftState(to)) {
        // SVF shifts a scan in one go: the way out through the pause and
        // back is not in the file, and neither are clocks spent there.
        const std::string pause = Name(from == Exit2Dr ? PauseDr : PauseIr);
        if (PauseClocks > 0) {
            Problem(PauseLine, "the scan resumes after " + ClockCount(PauseClocks) + " in " +
                                   pause + "; SVF continues it without them");
        } else {
            Problem(line, "the scan resumes after a pause in " + pause +
                              "; SVF continues it without the pause");
        }
        PauseClocks = 0;
    }
    if (from != UpdateDr && from != UpdateIr) {
        return;
    }
    if (PauseClocks > 0) {
        NotePauseClocks(IsIrState(from) ? PauseIr : PauseDr, true, !ScanBits.empty());
    }
    if (to == Idle) {
        FinishScan(Idle);
        Now = Mode::Stable;
        return;
    }
    // Straight into the next scan: SVF must stop in a stable state between.
    Path.back() = Idle;
    FinishScan(Idle);
    Problem(line, "goes from " + Name(from) +
                      " straight to DRSELECT; SVF ends each scan in a stable state, so the "
                      "file passes through IDLE for one clock here");
    Now = Mode::Selecting;
    Path.assign({SelectDr});
    ScanLine = line;
}

void SvfTranslator::FinishScan(std::uint8_t endState) {
    const bool ir = Path.size() > 1 && Path[1] == SelectIr;
    if (ScanBits.empty()) {
        // Captured and updated, nothing shifted: the states themselves.
        if (Path.back() != endState) {
            Path.push_back(endState);
        }
        std::string text = "STATE";
        for (const std::uint8_t s : Path) {
            text.append(" ").append(Name(s));
        }
        Command(ScanLine, text + ";");
        return;
    }
    std::string text;
    std::uint8_t& end = ir ? EndIr : EndDr;
    if (end != endState) {
        end = endState;
        text += std::string(ir ? "ENDIR " : "ENDDR ") + Name(endState) + ";\n";
    }
    const std::size_t n = ScanBits.size();
    text += std::string(ir ? "SIR " : "SDR ") + std::to_string(n) + " TDI " +
            Hex(n, [this](std::size_t i) { return ScanBits[i].Tdi; });
    bool compares = false;
    for (const Bit& b : ScanBits) {
        compares = compares || b.Compared;
    }
    if (compares) {
        text += " TDO " + Hex(n, [this](std::size_t i) { return ScanBits[i].Expected; });
        text += " MASK " + Hex(n, [this](std::size_t i) { return ScanBits[i].Compared; });
    }
    Command(ScanLine, text + ";");
    ScanBits.clear();
}

void SvfTranslator::NotePauseClocks(std::uint8_t pause, bool beforeUpdate, bool shifted) {
    const std::string clocks = (beforeUpdate ? "the " : "the last ") + ClockCount(PauseClocks) +
                               " in " + Name(pause) + (beforeUpdate ? " before this update" : "");
    if (shifted) {
        Problem(PauseLine, clocks + (PauseClocks == 1 ? " is" : " are") +
                               " left out: SVF has no clocks inside a scan");
    } else {
        // Nothing shifted: the scan is written as its path of states, which
        // keeps every clock spent in the pause.
        Problem(PauseLine, clocks + " stay in the file: its STATE path names " + Name(pause) + " " +
                               std::to_string(PauseClocks + 1) +
                               " times, and each repetition is one clock");
    }
}

void SvfTranslator::SyncStatement(std::int32_t line, std::string_view statement) {
    const std::string name(statement);
    const char which = statement.size() > 2 ? statement[2] : 'A';
    if (statement.starts_with("SS")) {
        Problem(line, name + " sets the synchronisation output SO" + std::string(1, which) +
                          ", which SVF has no line for; the file leaves it out");
    } else {
        Problem(line, name + " waits for the synchronisation input SI" + std::string(1, which) +
                          "; SVF cannot wait for an input, so the file goes straight on");
    }
}

void SvfTranslator::FlushRunClocks(std::uint8_t stable) {
    if (RunClocks == 0) {
        return;
    }
    // Clocks that keep Test-Logic-Reset there are what STATE RESET does.
    Command(RunLine, stable == Reset ? std::string("STATE RESET;")
                                     : "RUNTEST " + std::to_string(RunClocks) + " TCK;");
    RunClocks = 0;
}

void SvfTranslator::Finish() {
    switch (Now) {
    case Mode::Stable:
        FlushRunClocks(State);
        break;
    case Mode::Selecting:
        Problem(ScanLine, "the run stops in " + Name(State) +
                              ", between stable states; SVF cannot end there, so the last " +
                              ClockCount(Path.size()) + " " + (Path.size() == 1 ? "is" : "are") +
                              " left out");
        break;
    case Mode::Scan: {
        const std::uint8_t pause = IsIrState(State) ? PauseIr : PauseDr;
        if (State == PauseDr || State == PauseIr) {
            const bool shifted = !ScanBits.empty();
            FinishScan(State);
            if (PauseClocks > 0) {
                NotePauseClocks(State, false, shifted);
            }
        } else if (State == UpdateDr || State == UpdateIr) {
            FinishScan(Idle);
            Problem(ScanLine, "the run stops in " + Name(State) +
                                  "; SVF ends the scan in IDLE, one clock further");
        } else {
            FinishScan(pause);
            Problem(ScanLine, "the run stops in " + Name(State) +
                                  ", inside a scan; SVF ends it in " + Name(pause));
        }
        break;
    }
    }
    Now = Mode::Stable;
    Out.flush();
}

void SvfTranslator::Command(std::int32_t line, const std::string& text) {
    if (line != CommentedLine) {
        Out << "! line " << line << "\n";
        CommentedLine = line;
    }
    Out << text << "\n";
}

void SvfTranslator::Problem(std::int32_t line, std::string message) {
    Out << "! line " << line << ": " << message << "\n";
    Found.push_back({line, std::move(message)});
}

} // namespace scanbench
