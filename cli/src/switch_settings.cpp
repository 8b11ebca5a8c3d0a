#include "cli/switch_settings.h"

#include "board/chip_board.h"

#include <algorithm>
#include <charconv>

namespace scanbench {

namespace {

[[nodiscard]] std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

[[nodiscard]] bool IsNamed(std::string_view name, std::string_view expected) {
    return std::ranges::equal(name, expected, [](char a, char b) {
        return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b;
    });
}

[[nodiscard]] std::optional<SyncSwitch> SyncSwitchNamed(std::string_view name) {
    if (IsNamed(name, "SIA")) {
        return SyncSwitch::A;
    }
    if (IsNamed(name, "SIB")) {
        return SyncSwitch::B;
    }
    return std::nullopt;
}

[[nodiscard]] std::optional<std::uint64_t> ParseValue(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        base = 2;
        text.remove_prefix(2);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::variant<std::vector<SwitchSetting>, std::string> ParseSwitchSettings(std::string_view text) {
    std::vector<SwitchSetting> settings;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) {
            return "expected NAME=VALUE, not '" + std::string(Trimmed(item)) + "'";
        }
        const std::string_view name = Trimmed(item.substr(0, equals));
        const std::string_view written = Trimmed(item.substr(equals + 1));
        if (name.empty()) {
            return "a switch name is missing before '=" + std::string(written) + "'";
        }
        const std::optional<std::uint64_t> value = ParseValue(written);
        if (!value || (SyncSwitchNamed(name) && *value > 1)) {
            return std::string(name) + " takes a number" +
                   (SyncSwitchNamed(name) ? " from 0 to 1" : "") +
                   " (decimal, 0x hex or 0b binary), not '" + std::string(written) + "'";
        }
        settings.push_back({std::string(name), *value});
        if (comma == std::string_view::npos) {
            return settings;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::string> ApplySwitchSettings(const std::vector<SwitchSetting>& settings,
                                               ChipBoard& board) {
    for (const SwitchSetting& setting : settings) {
        if (const auto sync = SyncSwitchNamed(setting.Name)) {
            board.SetSyncSwitch(*sync, setting.Value != 0);
        } else if (const auto found = board.FindSwitch(setting.Name)) {
            const std::size_t width = board.Switches()[*found].Pins.size();
            const std::uint64_t largest =
                width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
            if (setting.Value > largest) {
                return setting.Name + " takes a number from 0 to " + std::to_string(largest) +
                       ", not " + std::to_string(setting.Value);
            }
            board.SetSwitch(*found, setting.Value);
        } else {
            return "the board has no switch named '" + setting.Name + "'";
        }
    }
    return std::nullopt;
}

} // namespace scanbench
