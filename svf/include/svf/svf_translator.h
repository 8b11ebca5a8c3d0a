#pragma once

#include "engine/interpreter/bit_string.h"
#include "svf/svf_problem.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// What an NSHFCP compares its received bits with, as the controller holds it
// when the statement starts: the bit count (the TAP's counter), the expected
// value and the mask, both least significant bit first.
struct ShiftCompare {
    std::int32_t Count = 0;
    BitString ExpectedBits;
    BitString MaskBits;
};

// One played event of the TAP being exported.
struct SvfEvent {
    bool Tck = false;
    bool Tms = false;
    bool Tdi = false;      // the controller's TX
    std::int32_t Line = 0; // program line of the statement
    bool StatementStart = false;
    // Set on the first event of an NSHFCP.
    const ShiftCompare* Compare = nullptr;
};

// Turns the TCK, TMS and TX levels one TAP was driven with into a Serial
// Vector Format (SVF) program that drives a TAP the same way: it follows the
// levels through a model of the TAP controller, starting in Test-Logic-Reset
// as the simulation does (the file starts with STATE RESET).
//
//  - clocks that stay in Run-Test/Idle become RUNTEST n TCK;
//  - moves between Test-Logic-Reset and Run-Test/Idle become STATE;
//  - a scan, from Capture-xR through Shift-xR to Update-xR or a Pause-xR
//    where the run stops, becomes one SIR or SDR with its length and TDI;
//    leaving a shift for Pause-xR and coming back through Exit2-xR continues
//    the same scan. The bits NSHFCP compares become TDO with MASK;
//  - a scan without shifted bits becomes STATE with the explicit path.
//
// SVF ends every scan in a stable state; where the run does otherwise (from
// Update-xR straight into the next scan, clocks spent in a pause, a run that
// stops halfway), the nearest SVF is written and a problem is reported with
// the program line. Comments name the program line of each command.
class SvfTranslator {
public:
    // Writes the header; `title` goes into its first comment line.
    SvfTranslator(std::ostream& out, const std::string& title);

    void Add(const SvfEvent& event);
    // A statement that sets a synchronisation output or waits for an input
    // ("SSA1", "WSB0"): SVF has neither, so it becomes a problem.
    void SyncStatement(std::int32_t line, std::string_view statement);
    // Writes what the run left open.
    void Finish();

    [[nodiscard]] const std::vector<SvfProblem>& Problems() const { return Found; }

private:
    enum class Mode : std::uint8_t { Stable, Selecting, Scan };
    struct Bit {
        bool Tdi = false;
        bool Compared = false;
        bool Expected = false;
    };

    void Clock(bool tms, bool tdi, std::int32_t line);
    void Advance(std::uint8_t from, std::uint8_t to, std::int32_t line);
    void AdvanceScan(std::uint8_t from, std::uint8_t to, std::int32_t line);
    void FlushRunClocks(std::uint8_t stable);
    void FinishScan(std::uint8_t endState);
    void WritePath(const std::vector<std::uint8_t>& path);
    void Command(std::int32_t line, const std::string& text);
    void Problem(std::int32_t line, std::string message);
    void TakeCapture(std::int32_t line);
    // Says what became of the clocks the scan spent in `pause` (PauseClocks)
    // before its update or at the end of the run: a scan that shifted bits
    // is an SIR or SDR, which has no room for them; one that did not is a
    // STATE path, which keeps them.
    void NotePauseClocks(std::uint8_t pause, bool beforeUpdate, bool shifted);

    std::ostream& Out;
    std::vector<SvfProblem> Found;
    std::uint8_t State = 0; // Test-Logic-Reset
    bool LastTck = false;
    std::int32_t CommentedLine = -1;

    Mode Now = Mode::Stable;
    std::uint64_t RunClocks = 0;
    std::int32_t RunLine = 0;
    // Selecting and scanning: every state since the last stable one.
    std::vector<std::uint8_t> Path;
    std::int32_t ScanLine = 0;
    std::vector<Bit> ScanBits;
    std::uint64_t PauseClocks = 0;
    std::int32_t PauseLine = 0;
    std::uint8_t EndIr = 1; // Run-Test/Idle
    std::uint8_t EndDr = 1;

    // A running NSHFCP: what it compares, how many bits it has received, and
    // the comparison that waits for the next rising edge.
    std::optional<ShiftCompare> Comparing;
    std::int32_t Received = 0;
    std::optional<bool> PendingExpected; // set: that bit is compared
    bool PendingCompared = false;
    bool ComparedOutsideShift = false; // already said for this statement
};

} // namespace scanbench
