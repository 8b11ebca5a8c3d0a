#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace scanbench {

class ChipBoard;

// One setting of the runner's --switches option: a switch of the board, or
// a bank of them (bit i drives its i-th pin; the demo board's banks are
// named after the chips, U1..U3, with switch Si at bit i), or the SIA or SIB
// switch (0 or 1).
struct SwitchSetting {
    std::string Name; // as written, e.g. "U1" or "SIA"
    std::uint64_t Value = 0;

    friend bool operator==(const SwitchSetting&, const SwitchSetting&) = default;
};

// Parses "U1=0x5A,U3=0x0F,SIA=1": NAME=VALUE pairs separated by commas, blanks
// around names and values allowed. A value is decimal, 0x hexadecimal or 0b
// binary of at most 64 bits, and at most 1 for SIA and SIB (letter case
// ignored). Gives the settings in the order written, or what is wrong with
// the text.
[[nodiscard]] std::variant<std::vector<SwitchSetting>, std::string>
ParseSwitchSettings(std::string_view text);

// Sets the switches in order, so a later setting of the same name wins.
// Gives what is wrong (a name that is neither SIA, SIB nor a switch of the
// board, a value wider than the switch's pins), or nothing; switches set
// before the problem stay set.
[[nodiscard]] std::optional<std::string>
ApplySwitchSettings(const std::vector<SwitchSetting>& settings, ChipBoard& board);

} // namespace scanbench
