#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace scanbench::testing {

// A value change dump read back: the signals it declares and the value of
// each signal at every time step.
struct VcdDump {
    // "tap0.TCK", "sync.SOA", ... -> width.
    std::map<std::string, int> Widths;
    // Steps[t]["tap0.TCK"]: "0", "1", "x", or the bits of a vector ("0110").
    std::vector<std::map<std::string, std::string>> Steps;
    // Empty when the dump is well formed, otherwise what is wrong with it.
    std::string Error;
};

// Reads a dump, checking that it is well formed: header sections closed,
// scopes balanced, every identifier declared once, a $dumpvars at time 0
// giving every signal a value, times rising, values that fit their signals,
// and a closing time after the last step.
[[nodiscard]] VcdDump ReadVcd(const std::string& text);

// Compares a dump with the event export of the same events: every event's
// TAP wires (of its own TAP) and sync lines. Empty when they agree, otherwise
// the first difference.
[[nodiscard]] std::string CompareWithExport(const VcdDump& dump, const std::string& exportText);

} // namespace scanbench::testing
