#include "board/net_faults.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace scanbench {

namespace {

constexpr std::array<std::pair<NetFaultKind, std::string_view>, 4> KindNames{{
    {NetFaultKind::StuckAt0, "stuck0"},
    {NetFaultKind::StuckAt1, "stuck1"},
    {NetFaultKind::Open, "open"},
    {NetFaultKind::Short, "short"},
}};

[[nodiscard]] std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

// SplitMix64: small, and the same numbers everywhere.
[[nodiscard]] std::uint64_t NextRandom(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

std::variant<NetFault, std::string> ParseNetFault(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return "'" + std::string(text) +
               "' is no fault: write NET=stuck0, NET=stuck1, NET=open or "
               "NET+NET=short";
    }
    const std::string kind = Lower(text.substr(equals + 1));
    const std::string_view nets = text.substr(0, equals);
    NetFault fault;
    bool known = false;
    for (const auto& [value, name] : KindNames) {
        if (kind == name) {
            fault.Kind = value;
            known = true;
        }
    }
    if (!known) {
        return "'" + std::string(text.substr(equals + 1)) +
               "' is no kind of fault: stuck0, stuck1, open or short";
    }
    const std::size_t plus = nets.find('+');
    if (fault.Kind == NetFaultKind::Short) {
        if (plus == std::string_view::npos) {
            return "a short joins two nets: NET+NET=short, not '" + std::string(text) + "'";
        }
        fault.Net = std::string(nets.substr(0, plus));
        fault.Other = std::string(nets.substr(plus + 1));
        if (!fault.Other.empty() && Lower(fault.Net) == Lower(fault.Other)) {
            return "a net cannot be shorted to itself: " + std::string(text);
        }
    } else {
        if (plus != std::string_view::npos) {
            return "only a short names two nets: " + std::string(text);
        }
        fault.Net = std::string(nets);
    }
    if (fault.Net.empty() || (fault.Kind == NetFaultKind::Short && fault.Other.empty())) {
        return "a fault names its net: " + std::string(text);
    }
    return fault;
}

std::string NetFaultText(const NetFault& fault) {
    std::string text = fault.Net;
    if (fault.Kind == NetFaultKind::Short) {
        text += "+" + fault.Other;
    }
    for (const auto& [value, name] : KindNames) {
        if (value == fault.Kind) {
            text += "=" + std::string(name);
        }
    }
    return text;
}

std::string NetFaultListText(const std::vector<NetFault>& faults) {
    std::string text;
    for (const NetFault& fault : faults) {
        text += (text.empty() ? "" : ", ") + NetFaultText(fault);
    }
    return text.empty() ? "none" : text;
}

std::vector<NetFault> RandomNetFaults(std::uint64_t seed, const std::vector<std::string>& nets) {
    std::vector<NetFault> faults;
    std::vector<std::string> free = nets;
    std::uint64_t state = seed;
    const auto take = [&] {
        const std::size_t index = NextRandom(state) % free.size();
        std::string net = std::move(free[index]);
        free.erase(free.begin() + static_cast<std::ptrdiff_t>(index));
        return net;
    };
    const std::uint64_t count = 1 + NextRandom(state) % 2;
    for (std::uint64_t i = 0; i < count && !free.empty(); ++i) {
        const std::uint64_t kinds = free.size() >= 2 ? 4 : 3;
        NetFault fault;
        fault.Kind = static_cast<NetFaultKind>(NextRandom(state) % kinds);
        fault.Net = take();
        if (fault.Kind == NetFaultKind::Short) {
            fault.Other = take();
            // In the board's order, as a diagnosis names them.
            if (std::ranges::find(nets, fault.Other) < std::ranges::find(nets, fault.Net)) {
                std::swap(fault.Net, fault.Other);
            }
        }
        faults.push_back(std::move(fault));
    }
    return faults;
}

std::optional<std::uint64_t> ParseFaultSeed(std::string_view text) {
    constexpr std::string_view Lead = "random:";
    if (Lower(text.substr(0, Lead.size())) != Lead) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(Lead.size());
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return seed;
}

std::string FaultChoiceText(const FaultChoice& choice) {
    if (choice.Seed) {
        return "random:" + std::to_string(*choice.Seed);
    }
    return choice.Faults.empty() ? std::string() : NetFaultListText(choice.Faults);
}

std::variant<FaultChoice, std::string> ParseFaultChoice(std::string_view text) {
    FaultChoice choice;
    const auto trimmed = [](std::string_view part) {
        while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) {
            part.remove_prefix(1);
        }
        while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) {
            part.remove_suffix(1);
        }
        return part;
    };
    if (trimmed(text).empty() || Lower(trimmed(text)) == "none") {
        return choice;
    }
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view part = trimmed(text.substr(0, comma));
        if (const std::optional<std::uint64_t> seed = ParseFaultSeed(part)) {
            choice.Seed = seed;
        } else {
            auto fault = ParseNetFault(part);
            if (const auto* problem = std::get_if<std::string>(&fault)) {
                return *problem;
            }
            choice.Faults.push_back(std::get<NetFault>(std::move(fault)));
        }
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (choice.Seed && !choice.Faults.empty()) {
        return "random:SEED chooses the faults itself: name no other fault with it";
    }
    return choice;
}

} // namespace scanbench
