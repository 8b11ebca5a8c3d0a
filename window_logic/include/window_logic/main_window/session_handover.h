#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// What the window hands to the program it restarts as (a new zoom): the
// program text exactly as it stands, saved or not, the file it belongs to,
// whether it differs from that file, the lines with a breakpoint, Execute's
// pace and whether the restart ended a run.
struct SessionHandover {
    std::string Text;
    std::string FileName; // empty for a program never saved
    bool Modified = false;
    std::vector<std::int32_t> Breakpoints; // 0-based editor lines, ascending
    int Pace = 0;                          // its place in the pace chooser (PaceIndex)
    bool RunStopped = false;
    friend bool operator==(const SessionHandover&, const SessionHandover&) = default;
};

// The handover as bytes: a header line, then each field with its length, so
// any text (NUL bytes, line ends, a file name with a newline) comes back
// exactly.
[[nodiscard]] std::string EncodeHandover(const SessionHandover& handover);

// The handover the bytes hold, or nothing when they are not one written by
// EncodeHandover (wrong header, a length beyond the end, a breakpoint line
// out of range or out of order, a pace the chooser does not offer, bytes
// left over).
[[nodiscard]] std::optional<SessionHandover> DecodeHandover(std::string_view bytes);

// Handover files are made in the temporary folder under this prefix; the
// program reads (and removes) only files named so.
inline constexpr std::string_view HandoverFilePrefix = "scanbench-handover-";

// The command-line option that names the handover file.
inline constexpr std::string_view HandoverOption = "--handover";

// Whether `fileName` (without folder) is a handover file's name.
[[nodiscard]] bool IsHandoverFileName(std::string_view fileName);

} // namespace scanbench
