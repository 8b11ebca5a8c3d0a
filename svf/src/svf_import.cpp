#include "svf/svf_import.h"

#include "engine/program_file.h"
#include "engine/tap_state.h"
#include "scan_bits.h"
#include "svf/svf_reader.h"
#include "svf_program_writer.h"
#include "svf_values.h"
#include "tap_paths.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace scanbench {

namespace {

using namespace TapPaths;

// The most bits or clocks one statement can count: LD CNT loads a signed
// 32-bit counter.
constexpr std::uint64_t MaxCount = 2147483647;
// The longest scan whose data still fits into a program file, four bits a
// digit; longer lengths are refused before any memory is taken for them.
constexpr std::uint64_t MaxScanBits = ProgramFileLimits::MaxBytes * 4;
// Hexadecimal digits on one line of a long operand.
constexpr std::size_t DigitsPerLine = 64;
// Up to this many clocks in Test-Logic-Reset are single TMS1 statements.
constexpr std::uint64_t SingleResetClocks = 4;

// What a header, trailer or scan statement leaves for the next one of its
// kind: SVF repeats TDI, MASK and SMASK that are left out while the length
// stays the same; a TDO left out is not compared.
struct ScanPart {
    std::uint64_t Length = 0;
    bool TdiKnown = true; // Tdi holds Length bits (nothing to hold at length 0)
    bool Compared = false;
    ScanBits Tdi;
    ScanBits Tdo;
    ScanBits Mask;
    ScanBits Smask;
};

// What the translation does otherwise than the file says, each noted once.
enum class Note : std::uint8_t {
    Frequency,
    DefaultFrequency,
    SystemClock,
    MaximumTime,
    HeldInReset,
    Count
};

[[nodiscard]] bool IsCommand(std::string_view word) {
    static constexpr std::array<std::string_view, 14> Commands = {
        "ENDDR",   "ENDIR", "FREQUENCY", "HDR",   "HIR", "PIO", "PIOMAP",
        "RUNTEST", "SDR",   "SIR",       "STATE", "TDR", "TIR", "TRST"};
    return std::find(Commands.begin(), Commands.end(), word) != Commands.end();
}

[[nodiscard]] std::string Name(std::uint8_t state) {
    return std::string(TapStateNames[state & 15]);
}

// Clocks for a time: at least the time, without a clock more for the
// rounding of 1E-3 SEC at 1E3 HZ.
[[nodiscard]] double WholeClocks(double clocks) {
    const double nearest = std::round(clocks);
    return std::abs(clocks - nearest) <= 1e-9 * std::max(1.0, clocks) ? nearest : std::ceil(clocks);
}

class Importer {
public:
    explicit Importer(const SvfImportOptions& options) : Options(options) {}

    [[nodiscard]] std::variant<SvfImport, SvfProblem> Run(std::string_view svf);

private:
    [[nodiscard]] bool Statement(const SvfStatement& st);
    [[nodiscard]] bool EndState(const SvfStatement& st, std::uint8_t& end);
    [[nodiscard]] bool Frequency(const SvfStatement& st);
    [[nodiscard]] bool Part(const SvfStatement& st, ScanPart& part);
    [[nodiscard]] bool Scan(const SvfStatement& st, bool ir);
    [[nodiscard]] bool RunTest(const SvfStatement& st);
    [[nodiscard]] bool State(const SvfStatement& st);
    [[nodiscard]] bool Trst(const SvfStatement& st);
    [[nodiscard]] std::optional<std::uint8_t> StableState(const SvfWord& word,
                                                          std::string_view what);
    [[nodiscard]] bool Refuse(std::int32_t line, std::string message);

    void MoveTo(std::uint8_t stable, std::int32_t line, const std::string& label = {});
    void FollowPath(const std::vector<std::uint8_t>& path, std::int32_t line);
    void Clocks(std::uint64_t count, std::int32_t line);
    void ResetClocks(std::uint64_t count, std::int32_t line);
    void EmptyScan(bool ir, std::uint8_t end, std::int32_t line);
    void Shift(bool ir, const ScanBits& tdi, const ScanBits* tdo, const ScanBits* mask,
               std::uint8_t end, std::int32_t line);
    void NoteOnce(Note note, std::int32_t line, std::string message);
    [[nodiscard]] std::string UniqueSuffix(std::int32_t line);
    [[nodiscard]] std::string Program();

    const SvfImportOptions& Options;
    SvfProgramWriter Body;
    std::optional<SvfProblem> Refusal;
    std::vector<SvfProblem> Notes;
    std::array<bool, static_cast<std::size_t>(Note::Count)> Noted{};

    std::uint8_t Tap = Reset; // the TAP's state after the statements so far
    bool Held = false;        // TRST ON holds the TAP in Test-Logic-Reset
    std::uint8_t EndIr = Idle;
    std::uint8_t EndDr = Idle;
    std::uint8_t RunState = Idle;
    std::uint8_t RunEnd = Idle;
    double FrequencyHz = SvfDefaultFrequencyHz;
    bool FrequencyStated = false;
    ScanPart Hir, Hdr, Tir, Tdr, Sir, Sdr;
    std::vector<std::pair<std::int32_t, std::string>> Checks; // SVF line, label suffix
    std::int32_t LastLabelLine = 0;
    std::int32_t LabelsOnLine = 0;
    std::int32_t PassedHalt = 0;
    std::int32_t MismatchHalt = 0;
};

bool Importer::Refuse(std::int32_t line, std::string message) {
    if (!Refusal) {
        Refusal = SvfProblem{line, std::move(message)};
    }
    return false;
}

void Importer::NoteOnce(Note note, std::int32_t line, std::string message) {
    bool& noted = Noted[static_cast<std::size_t>(note)];
    if (!noted) {
        noted = true;
        Notes.push_back({line, std::move(message)});
    }
}

std::string Importer::UniqueSuffix(std::int32_t line) {
    LabelsOnLine = line == LastLabelLine ? LabelsOnLine + 1 : 1;
    LastLabelLine = line;
    std::string suffix = std::to_string(line);
    if (LabelsOnLine > 1) {
        suffix += "_" + std::to_string(LabelsOnLine);
    }
    return suffix;
}

std::variant<SvfImport, SvfProblem> Importer::Run(std::string_view svf) {
    Body.Statement("SELTAP" + std::to_string(Options.Tap & 1) + ";", 0,
                   "the TAP that runs the file");
    Body.Statement("RST;", 0, "SVF players start in Test-Logic-Reset");
    SvfReader reader(svf);
    SvfStatement st;
    while (reader.Next(st)) {
        if (!Statement(st)) {
            return *Refusal;
        }
        if (Body.Size() > ProgramFileLimits::MaxBytes) {
            return SvfProblem{st.Line, "the translation grows beyond 32 MB here, more than a "
                                       "program file may hold"};
        }
    }
    if (reader.Error()) {
        return *reader.Error();
    }
    SvfImport import;
    import.Program = Program();
    if (const ProgramFileProblem problem = CheckProgramFile(import.Program);
        problem != ProgramFileProblem::None) {
        return SvfProblem{0, "the translation is not a program Scanbench can open: " +
                                 std::string(ProgramFileProblemText(problem))};
    }
    import.Notes = std::move(Notes);
    import.Checks = static_cast<std::int32_t>(Checks.size());
    import.PassedHaltLine = PassedHalt;
    import.MismatchHaltLine = MismatchHalt;
    return import;
}

bool Importer::Statement(const SvfStatement& st) {
    const std::string& command = st.Words.front().Text;
    for (std::size_t i = 1; i < st.Words.size(); ++i) {
        if (!st.Words[i].Value && IsCommand(st.Words[i].Text)) {
            return Refuse(st.Words[i].Line, st.Words[i].Text + " stands inside the " + command +
                                                " of line " + std::to_string(st.Line) +
                                                ": a \";\" is missing before it");
        }
    }
    if (command == "SIR" || command == "SDR") {
        return Scan(st, command == "SIR");
    }
    if (command == "HIR" || command == "HDR" || command == "TIR" || command == "TDR") {
        return Part(st, command == "HIR"   ? Hir
                        : command == "HDR" ? Hdr
                        : command == "TIR" ? Tir
                                           : Tdr);
    }
    if (command == "ENDIR") {
        return EndState(st, EndIr);
    }
    if (command == "ENDDR") {
        return EndState(st, EndDr);
    }
    if (command == "STATE") {
        return State(st);
    }
    if (command == "RUNTEST") {
        return RunTest(st);
    }
    if (command == "FREQUENCY") {
        return Frequency(st);
    }
    if (command == "TRST") {
        return Trst(st);
    }
    if (command == "PIO" || command == "PIOMAP") {
        return Refuse(st.Line, command + " drives the parallel pins of a tester, which this "
                                         "program's TAP does not have");
    }
    return Refuse(st.Line, "unknown statement " + CommentSafe(command));
}

std::optional<std::uint8_t> Importer::StableState(const SvfWord& word, std::string_view what) {
    const std::optional<std::uint8_t> state = word.Value ? std::nullopt : SvfStateByName(word.Text);
    if (!state) {
        (void)Refuse(word.Line,
                     std::string(what) + " names no TAP state: " + CommentSafe(word.Text));
        return std::nullopt;
    }
    if (!IsStableTapState(*state)) {
        (void)Refuse(word.Line, std::string(what) + " " + Name(*state) +
                                    ": SVF stops only in RESET, IDLE, DRPAUSE or IRPAUSE");
        return std::nullopt;
    }
    return state;
}

bool Importer::EndState(const SvfStatement& st, std::uint8_t& end) {
    if (st.Words.size() != 2) {
        return Refuse(st.Line, st.Words.front().Text + " takes one state");
    }
    const std::optional<std::uint8_t> state = StableState(st.Words[1], st.Words.front().Text);
    if (state) {
        end = *state;
    }
    return state.has_value();
}

bool Importer::Frequency(const SvfStatement& st) {
    const std::size_t n = st.Words.size();
    if (n == 1) {
        FrequencyHz = SvfDefaultFrequencyHz; // full speed: no rate to go by
        FrequencyStated = false;
    } else {
        const std::optional<double> hz =
            n == 3 && !st.Words[1].Value ? ParseSvfReal(st.Words[1].Text) : std::nullopt;
        if (!hz || st.Words[2].Text != "HZ" || !(*hz > 0) || std::isinf(*hz)) {
            return Refuse(st.Line, "FREQUENCY takes a frequency above 0 followed by HZ");
        }
        FrequencyHz = *hz;
        FrequencyStated = true;
    }
    NoteOnce(Note::Frequency, st.Line,
             "FREQUENCY sets no clock rate here: the run goes at the pace of the port, and "
             "the frequency only turns RUNTEST times into clocks");
    return true;
}

bool Importer::Part(const SvfStatement& st, ScanPart& part) {
    const std::string& command = st.Words.front().Text;
    const std::optional<std::uint64_t> length =
        st.Words.size() > 1 && !st.Words[1].Value ? ParseSvfCount(st.Words[1].Text) : std::nullopt;
    if (!length) {
        return Refuse(st.Line, command + " needs a length in bits");
    }
    if (*length > MaxScanBits) {
        return Refuse(st.Line, command + " " + std::to_string(*length) +
                                   " is longer than a program can hold (" +
                                   std::to_string(MaxScanBits) + " bits)");
    }
    const SvfWord* values[4] = {}; // TDI, TDO, MASK, SMASK
    static constexpr std::array<std::string_view, 4> Keys = {"TDI", "TDO", "MASK", "SMASK"};
    for (std::size_t i = 2; i < st.Words.size(); i += 2) {
        const SvfWord& key = st.Words[i];
        std::size_t k = 0;
        while (k < Keys.size() && (key.Value || key.Text != Keys[k])) {
            ++k;
        }
        if (k == Keys.size()) {
            // On a line of its own it may well start the next statement.
            const std::string hint = key.Line > st.Line ? ": is a \";\" missing before it?" : "";
            return Refuse(key.Line, command + " has no parameter " + CommentSafe(key.Text) +
                                        " (TDI, TDO, MASK or SMASK)" + hint);
        }
        if (values[k] != nullptr) {
            return Refuse(key.Line, command + " gives " + key.Text + " twice");
        }
        if (i + 1 >= st.Words.size() || !st.Words[i + 1].Value) {
            return Refuse(key.Line, key.Text + " needs a value in parentheses");
        }
        if (*length == 0) {
            return Refuse(key.Line,
                          command + " 0 with " + key.Text + ": a length of 0 has no data");
        }
        values[k] = &st.Words[i + 1];
    }
    const bool newLength = *length != part.Length;
    part.Length = *length;
    const auto read = [&](int k, ScanBits& bits) {
        const std::optional<std::string> problem =
            ReadScanValue(values[k]->Text, part.Length, bits);
        return !problem || Refuse(values[k]->Line, std::string(Keys[k]) + ": " + *problem);
    };
    if (values[0] != nullptr) {
        if (!read(0, part.Tdi)) {
            return false;
        }
        part.TdiKnown = true;
    } else if (newLength) {
        part.TdiKnown = part.Length == 0;
        part.Tdi.Assign(part.Length, false);
    }
    part.Compared = values[1] != nullptr;
    if (part.Compared && !read(1, part.Tdo)) {
        return false;
    }
    if (values[2] != nullptr) {
        if (!read(2, part.Mask)) {
            return false;
        }
    } else if (newLength) {
        part.Mask.Assign(part.Length, true);
    }
    if (values[3] != nullptr) {
        if (!read(3, part.Smask)) {
            return false;
        }
    } else if (newLength) {
        part.Smask.Assign(part.Length, true);
    }
    if (!part.TdiKnown) {
        return Refuse(st.Line, command + " " + std::to_string(part.Length) +
                                   " has no TDI, and no " + command +
                                   " of that length before "
                                   "gave one to repeat");
    }
    return true;
}

bool Importer::Scan(const SvfStatement& st, bool ir) {
    ScanPart& part = ir ? Sir : Sdr;
    if (!Part(st, part)) {
        return false;
    }
    const std::string& command = st.Words.front().Text;
    if (Held) {
        return Refuse(st.Line, command + " while TRST ON holds the TAP in Test-Logic-Reset");
    }
    const ScanPart& header = ir ? Hir : Hdr;
    const ScanPart& trailer = ir ? Tir : Tdr;
    const std::uint64_t total = header.Length + part.Length + trailer.Length;
    if (total > MaxCount) {
        return Refuse(st.Line, command + " of " + std::to_string(total) +
                                   " bits with its header and trailer: more than LD CNT can "
                                   "count");
    }
    const std::uint8_t end = ir ? EndIr : EndDr;
    if (total == 0) {
        EmptyScan(ir, end, st.Line);
        return true;
    }
    const std::array<const ScanPart*, 3> parts = {&header, &part, &trailer};
    ScanBits tdi;
    for (const ScanPart* p : parts) {
        tdi.Append(p->Tdi);
    }
    if (!part.Compared) {
        Shift(ir, tdi, nullptr, nullptr, end, st.Line);
        return true;
    }
    // A header or trailer is compared where it gives TDO, in scans that
    // compare at all.
    ScanBits tdo;
    ScanBits mask;
    for (const ScanPart* p : parts) {
        if (p->Compared) {
            tdo.Append(p->Tdo);
            mask.Append(p->Mask);
        } else {
            tdo.AppendZeros(p->Length);
            mask.AppendZeros(p->Length);
        }
    }
    const bool compares = mask.Any();
    Shift(ir, tdi, compares ? &tdo : nullptr, compares ? &mask : nullptr, end, st.Line);
    return true;
}

void Importer::Shift(bool ir, const ScanBits& tdi, const ScanBits* tdo, const ScanBits* mask,
                     std::uint8_t end, std::int32_t line) {
    const std::string what = std::string(ir ? "SIR " : "SDR ") + std::to_string(tdi.Size()) +
                             " bits" + (tdo != nullptr ? ", TDO checked" : "");
    // Between statements the TAP is in a stable state, never in the shift.
    Body.Statement(std::string("STATE ") + (ir ? "IRSHIFT;" : "DRSHIFT;"), line, what);
    Body.Statement("LD CNT," + std::to_string(tdi.Size()) + "d;", line);
    std::string code = tdo != nullptr ? "NSHFCP " : "NSHF ";
    const std::string indent(code.size(), ' ');
    AppendShiftOperand(code, tdi, DigitsPerLine, indent);
    if (tdo != nullptr) {
        code += ",\n" + indent;
        AppendShiftOperand(code, *tdo, DigitsPerLine, indent);
        code += ",\n" + indent;
        AppendShiftOperand(code, *mask, DigitsPerLine, indent);
    }
    code += ';';
    Body.Statement(code, line);
    Tap = ir ? Exit1Ir : Exit1Dr;
    if (tdo == nullptr) {
        MoveTo(end, line);
        return;
    }
    const std::string suffix = UniqueSuffix(line);
    Checks.emplace_back(line, suffix);
    Body.Statement("JERR MISMATCH_" + suffix + ";", line, "on a TDO mismatch");
    MoveTo(end, line, "CHECKED_" + suffix);
}

void Importer::EmptyScan(bool ir, std::uint8_t end, std::int32_t line) {
    // A scan of no bits captures and updates without shifting.
    std::vector<std::uint8_t> path = StatementPath(Tap, ir ? CaptureIr : CaptureDr);
    const std::uint8_t exit1 = ir ? Exit1Ir : Exit1Dr;
    path.push_back(exit1);
    const std::uint8_t pause = ir ? PauseIr : PauseDr;
    if (end == pause) {
        path.push_back(pause);
    } else {
        path.push_back(ir ? UpdateIr : UpdateDr);
        const std::vector<std::uint8_t> rest = StatementPath(path.back(), end);
        path.insert(path.end(), rest.begin(), rest.end());
    }
    FollowPath(path, line);
}

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
                std::equal(walked.begin(), walked.end(), path.begin() + i)) {
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

bool Importer::Trst(const SvfStatement& st) {
    const std::string_view mode =
        st.Words.size() == 2 && !st.Words[1].Value ? std::string_view(st.Words[1].Text) : "";
    if (mode == "ON") {
        // The TAP has no TRST line; five clocks with TMS 1 reset it as well.
        MoveTo(Reset, st.Line);
        Held = true;
        return true;
    }
    if (mode == "OFF" || mode == "Z" || mode == "ABSENT") {
        Held = false;
        return true;
    }
    return Refuse(st.Line, "TRST takes ON, OFF, Z or ABSENT");
}

std::string Importer::Program() {
    // The end: the verdict, then a block for each check that failed, which
    // keeps the SVF line of the first mismatch and returns.
    if (!Checks.empty()) {
        Body.Statement("SERFLG0;", 0, "every TDO check is done; flag 0 is set if one failed");
        Body.Statement("JERR TDO_MISMATCH;", 0);
    }
    Body.Statement("ALL_TDO_CHECKS_PASSED: HALT;", 0);
    PassedHalt = Body.Lines();
    if (!Checks.empty()) {
        Body.Statement("TDO_MISMATCH: REST;", 0, "the counter: the SVF line of the first mismatch");
        Body.Statement("HALT;", 0);
        MismatchHalt = Body.Lines();
    }
    for (const auto& [line, suffix] : Checks) {
        Body.Statement("MISMATCH_" + suffix + ": SERFLG1;", line,
                       "TDO mismatch; later checks write flag 1, so flag 0 stays set");
        Body.Statement("JERR CHECKED_" + suffix + ";", line, "a mismatch came before");
        Body.Statement("LD CNT," + std::to_string(line) + "d;", line);
        Body.Statement("SAVE;", line);
        Body.Statement("JMP CHECKED_" + suffix + ";", line);
    }

    SvfProgramWriter head;
    const std::string source = CommentSafe(Options.SourceName);
    head.Comment((source.empty() ? std::string("An SVF file") : source) +
                 ", translated from SVF by Scanbench for TAP " + std::to_string(Options.Tap & 1) +
                 ".");
    head.Comment("Each statement names the SVF line it comes from. The run ends at the HALT "
                 "labelled ALL_TDO_CHECKS_PASSED, or after a failed TDO check at the one "
                 "labelled TDO_MISMATCH, with flag 0 set and the counter holding the SVF line "
                 "of the first mismatch.");
    for (const SvfProblem& note : Notes) {
        head.Comment("Note, SVF line " + std::to_string(note.Line) + ": " + note.Message);
    }
    const std::int32_t headLines = head.Lines();
    PassedHalt += headLines;
    if (MismatchHalt != 0) {
        MismatchHalt += headLines;
    }
    return head.Take() + Body.Take();
}

} // namespace

std::variant<SvfImport, SvfProblem> ImportSvf(std::string_view svf,
                                              const SvfImportOptions& options) {
    Importer importer(options);
    return importer.Run(svf);
}

SvfVerdict JudgeSvfRun(const SvfImport& import, bool halted, std::int32_t currentLine,
                       std::int32_t counter) {
    if (halted && currentLine == import.PassedHaltLine) {
        return {SvfOutcome::Passed, 0};
    }
    if (halted && import.MismatchHaltLine != 0 && currentLine == import.MismatchHaltLine) {
        return {SvfOutcome::Mismatch, counter};
    }
    return {};
}

bool IsSvfFileName(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - 4);
    return end[0] == '.' && (end[1] == 's' || end[1] == 'S') && (end[2] == 'v' || end[2] == 'V') &&
           (end[3] == 'f' || end[3] == 'F');
}

} // namespace scanbench
