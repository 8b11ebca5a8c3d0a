#pragma once

// The translation of SVF statements into statements of the program, kept
// apart by what they do: svf_import.cpp reads the file and puts the program
// together, svf_import_scans.cpp the scans and svf_import_moves.cpp the moves
// of the TAP.

#include "engine/program/program_file.h"
#include "engine/tap/tap_state.h"
#include "scan_bits.h"
#include "svf/svf_import.h"
#include "svf/svf_reader.h"
#include "svf_program_writer.h"
#include "tap_paths.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scanbench::svf_detail {

using namespace TapPaths;

// The most bits or clocks one statement can count: LD CNT loads a signed
// 32-bit counter.
inline constexpr std::uint64_t MaxCount = 2147483647;
// The longest scan whose data still fits into a program file, four bits a
// digit; longer lengths are refused before any memory is taken for them.
inline constexpr std::uint64_t MaxScanBits = ProgramFileLimits::MaxBytes * 4;
// Hexadecimal digits on one line of a long operand.
inline constexpr std::size_t DigitsPerLine = 64;
// Up to this many clocks in Test-Logic-Reset are single TMS1 statements.
inline constexpr std::uint64_t SingleResetClocks = 4;

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

[[nodiscard]] inline std::string Name(std::uint8_t state) {
    return std::string(TapStateNames[state & 15]);
}

// Turns the statements of one SVF file into a program (see ImportSvf).
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

} // namespace scanbench::svf_detail
