#include "svf/svf_import.h"

#include "svf_importer.h"
#include "svf_values.h"

#include <algorithm>
#include <cmath>

namespace scanbench {

namespace svf_detail {

namespace {

[[nodiscard]] bool IsCommand(std::string_view word) {
    static constexpr std::array<std::string_view, 14> Commands = {
        "ENDDR",   "ENDIR", "FREQUENCY", "HDR",   "HIR", "PIO", "PIOMAP",
        "RUNTEST", "SDR",   "SIR",       "STATE", "TDR", "TIR", "TRST"};
    return std::find(Commands.begin(), Commands.end(), word) != Commands.end();
}

} // namespace

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
} // namespace svf_detail

std::variant<SvfImport, SvfProblem> ImportSvf(std::string_view svf,
                                              const SvfImportOptions& options) {
    svf_detail::Importer importer(options);
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
