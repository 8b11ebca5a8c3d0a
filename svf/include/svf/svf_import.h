#pragma once

#include "svf/svf_problem.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace scanbench {

// How an SVF file is turned into a program.
struct SvfImportOptions {
    std::uint8_t Tap = 0;   // the TAP the program drives
    std::string SourceName; // named in the program's first comment
};

// The frequency at which RUNTEST times become clocks when the file states
// none (FREQUENCY).
inline constexpr double SvfDefaultFrequencyHz = 1e6;

// An SVF file as a program of our own language that does what the file says
// on one TAP (see ImportSvf).
struct SvfImport {
    std::string Program;               // one statement a line and more, LF line ends
    std::vector<SvfProblem> Notes;     // what runs otherwise than written, once per kind
    std::int32_t Checks = 0;           // the TDO checks in the program
    std::int32_t PassedHaltLine = 0;   // 1-based program line of each HALT
    std::int32_t MismatchHaltLine = 0; // 0 when there is no check
};

// Translates Serial Vector Format text into a program:
//  - the program selects the TAP and resets it (RST), as SVF players start
//    from Test-Logic-Reset;
//  - STATE becomes STATE statements (TMS0/TMS1 where an explicit path stays
//    in a state), TRST ON a reset, RUNTEST clocks (NTCK, or TMS1 in
//    Test-Logic-Reset) after moving to its run state;
//  - SIR and SDR become STATE to the shift state, LD CNT with the length of
//    header, scan and trailer, NSHF, or NSHFCP with the expected value and
//    mask where TDO is given, and STATE to the end state;
//  - each statement carries a comment with its SVF line; after each check a
//    JERR leads to a block that keeps the SVF line of the first mismatch,
//    and the program ends at the HALT labelled ALL_TDO_CHECKS_PASSED or at the
//    one labelled TDO_MISMATCH, where flag 0 is set and the counter holds that
//    line.
// Gives the SVF line and the reason instead when the file is not SVF or asks
// for something this TAP cannot do (PIO, a scan while TRST holds the TAP in
// reset, a length beyond what a program can hold...).
[[nodiscard]] std::variant<SvfImport, SvfProblem> ImportSvf(std::string_view svf,
                                                            const SvfImportOptions& options);

// Where a run of an imported program ended.
enum class SvfOutcome : std::uint8_t { Passed, Mismatch, Unfinished };
struct SvfVerdict {
    SvfOutcome Outcome = SvfOutcome::Unfinished;
    std::int32_t FirstMismatchLine = 0; // the SVF line, for Mismatch
};

// The verdict of a run that stopped at `currentLine` (the engine's current
// line: the 1-based line of the statement run last), `halted` when it
// stopped at a HALT, with the TAP's counter as it ended.
[[nodiscard]] SvfVerdict JudgeSvfRun(const SvfImport& import, bool halted, std::int32_t currentLine,
                                     std::int32_t counter);

// Whether a file name ends in ".svf" in any letter case.
[[nodiscard]] bool IsSvfFileName(std::string_view path);

} // namespace scanbench
