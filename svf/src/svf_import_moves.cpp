// STATE, RUNTEST and the moves of the TAP that scans make.
#include "svf_importer.h"
#include "svf_values.h"

#include <algorithm>
#include <cmath>

namespace scanbench::svf_detail {

namespace {

// Clocks for a time: at least the time, without a clock more for the
// rounding of 1E-3 SEC at 1E3 HZ.
[[nodiscard]] double WholeClocks(double clocks) {
    const double nearest = std::round(clocks);
    return std::abs(clocks - nearest) <= 1e-9 * std::max(1.0, clocks) ? nearest : std::ceil(clocks);
}
} // namespace

void Importer::MoveTo(std::uint8_t stable, std::int32_t line, const std::string& label) {
    if (stable == Tap && label.empty()) {
        return; // also in Test-Logic-Reset: it is there already
    }
    Body.Statement((label.empty() ? "" : label + ": ") + "STATE " + Name(stable) + ";", line);
    Tap = stable;
}

void Importer::FollowPath(const std::vector<std::uint8_t>& path, std::int32_t line) {
    // As few statements as the STATE path table allows: the longest stretch
    // that a STATE statement walks exactly, TMS0 or TMS1 where the path
    // stays in a state.
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = path.size();
        for (; end > i; --end) {
            if (path[end - 1] == Tap) {
                continue;
            }
            const std::vector<std::uint8_t> walked = StatementPath(Tap, path[end - 1]);
            if (walked.size() == end - i &&
                std::equal(walked.begin(), walked.end(),
                           path.begin() + static_cast<std::ptrdiff_t>(i))) {
                break;
            }
        }
        if (end > i) {
            MoveTo(path[end - 1], line);
            i = end;
            continue;
        }
        Body.Statement(NextTapState(Tap, true) == path[i] ? "TMS1;" : "TMS0;", line);
        Tap = path[i++];
    }
}

void Importer::ResetClocks(std::uint64_t count, std::int32_t line) {
    if (count <= SingleResetClocks) {
        for (std::uint64_t k = 0; k < count; ++k) {
            Body.Statement("TMS1;", line, k == 0 ? "clocks in RESET" : "");
        }
        return;
    }
    const std::string label = "RESET_CLOCKS_" + UniqueSuffix(line);
    Body.Statement("LD CNT," + std::to_string(count) + "d;", line, "clocks in RESET");
    Body.Statement(label + ": TMS1;", line);
    Body.Statement("DEC;", line);
    Body.Statement("JNZ " + label + ";", line);
}

void Importer::Clocks(std::uint64_t count, std::int32_t line) {
    if (count == 0) {
        return;
    }
    if (Tap == Reset) {
        ResetClocks(count, line);
        return;
    }
    // NTCK gives one clock more than the counter.
    Body.Statement("LD CNT," + std::to_string(count - 1) + "d;", line,
                   std::to_string(count) + " clocks in " + Name(Tap));
    Body.Statement("NTCK;", line);
}

bool Importer::RunTest(const SvfStatement& st) {
    const std::vector<SvfWord>& w = st.Words;
    std::size_t i = 1;
    const auto word = [&](std::size_t k) -> std::string_view {
        return k < w.size() && !w[k].Value ? std::string_view(w[k].Text) : std::string_view();
    };
    std::uint8_t runState = RunState;
    std::uint8_t endState = RunEnd;
    if (i < w.size() && !w[i].Value && SvfStateByName(w[i].Text)) {
        const std::optional<std::uint8_t> state = StableState(w[i], "RUNTEST");
        if (!state) {
            return false;
        }
        runState = *state;
        endState = *state; // a run state stated is the end state unless one follows
        ++i;
    }
    std::uint64_t clocks = 0;
    bool timed = false;
    bool counted = false;
    if (word(i + 1) == "TCK" || word(i + 1) == "SCK") {
        const std::optional<std::uint64_t> count = ParseSvfCount(word(i));
        if (!count) {
            return Refuse(st.Line, "RUNTEST needs a whole number of clocks before " +
                                       std::string(word(i + 1)));
        }
        if (word(i + 1) == "SCK") {
            NoteOnce(Note::SystemClock, st.Line,
                     "RUNTEST counts SCK, a system clock this program does not drive: the "
                     "count is clocked on TCK instead");
        }
        clocks = *count;
        counted = true;
        i += 2;
    }
    if (word(i + 1) == "SEC") {
        const std::optional<double> seconds = ParseSvfReal(word(i));
        if (!seconds) {
            return Refuse(st.Line, "RUNTEST needs a time in seconds before SEC");
        }
        const double needed = WholeClocks(*seconds * FrequencyHz);
        if (!(needed <= static_cast<double>(MaxCount))) {
            return Refuse(st.Line, "RUNTEST " + std::string(word(i)) + " SEC at " +
                                       std::to_string(FrequencyHz) +
                                       " Hz takes more clocks than LD CNT can count");
        }
        clocks = std::max(clocks, static_cast<std::uint64_t>(needed));
        if (!FrequencyStated) {
            NoteOnce(Note::DefaultFrequency, st.Line,
                     "RUNTEST times become clocks at 1 MHz, as no FREQUENCY states a rate");
        }
        timed = true;
        i += 2;
    }
    if (word(i) == "MAXIMUM") {
        if (!ParseSvfReal(word(i + 1)) || word(i + 2) != "SEC") {
            return Refuse(st.Line, "MAXIMUM needs a time in seconds followed by SEC");
        }
        NoteOnce(Note::MaximumTime, st.Line,
                 "RUNTEST's MAXIMUM time is not kept: the run goes at the pace of the port");
        i += 3;
    }
    if (word(i) == "ENDSTATE") {
        if (i + 1 >= w.size()) {
            return Refuse(st.Line, "ENDSTATE needs a state");
        }
        const std::optional<std::uint8_t> state = StableState(w[i + 1], "ENDSTATE");
        if (!state) {
            return false;
        }
        endState = *state;
        i += 2;
    }
    if (i != w.size() || (!counted && !timed)) {
        return Refuse(st.Line, "RUNTEST is written [state] count TCK|SCK [time SEC [MAXIMUM time "
                               "SEC]] [ENDSTATE state], or with a time instead of the count");
    }
    if (clocks > MaxCount) {
        return Refuse(st.Line,
                      "RUNTEST " + std::to_string(clocks) + " clocks: more than LD CNT can count");
    }
    RunState = runState;
    RunEnd = endState;
    if (Held) {
        NoteOnce(Note::HeldInReset, st.Line,
                 "RUNTEST while TRST ON: the TAP stays in Test-Logic-Reset for the clocks, as "
                 "TRST holds it there");
        Clocks(clocks, st.Line);
        return true;
    }
    MoveTo(runState, st.Line);
    Clocks(clocks, st.Line);
    MoveTo(endState, st.Line);
    return true;
}

bool Importer::State(const SvfStatement& st) {
    if (st.Words.size() < 2) {
        return Refuse(st.Line, "STATE needs a state");
    }
    std::vector<std::uint8_t> path;
    std::uint8_t at = Tap;
    for (std::size_t i = 1; i < st.Words.size(); ++i) {
        const SvfWord& w = st.Words[i];
        const std::optional<std::uint8_t> state = w.Value ? std::nullopt : SvfStateByName(w.Text);
        if (!state) {
            return Refuse(w.Line, "STATE names no TAP state: " + CommentSafe(w.Text));
        }
        if (st.Words.size() > 2 && NextTapState(at, false) != *state &&
            NextTapState(at, true) != *state) {
            return Refuse(w.Line, "STATE path: " + Name(*state) + " does not follow " + Name(at) +
                                      " in one clock");
        }
        path.push_back(*state);
        at = *state;
    }
    if (!IsStableTapState(path.back())) {
        return Refuse(st.Line, "STATE ends in " + Name(path.back()) +
                                   ": SVF stops only in RESET, IDLE, DRPAUSE or IRPAUSE");
    }
    if (Held) {
        if (std::any_of(path.begin(), path.end(), [](std::uint8_t s) { return s != Reset; })) {
            return Refuse(st.Line, "STATE while TRST ON holds the TAP in Test-Logic-Reset");
        }
        return true;
    }
    if (path.size() == 1) {
        MoveTo(path.front(), st.Line);
    } else {
        FollowPath(path, st.Line);
    }
    return true;
}
} // namespace scanbench::svf_detail
