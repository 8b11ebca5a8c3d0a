#include "port/port_choice.h"

#include <algorithm>
#include <array>
#include <utility>

namespace scanbench {

namespace {

constexpr std::array<std::pair<PortKind, std::string_view>, 3> PortKindNames{{
    {PortKind::Board, "board"},
    {PortKind::Ppdev, "ppdev"},
    {PortKind::Direct, "direct"},
}};

constexpr std::array<std::pair<BoardKind, std::string_view>, 3> BoardKindNames{{
    {BoardKind::Loopback, "loopback"},
    {BoardKind::Open, "open"},
    {BoardKind::Demo, "demo"},
}};

[[nodiscard]] constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::optional<Kind>
Parse(const std::array<std::pair<Kind, std::string_view>, N>& names, std::string_view text) {
    for (const auto& [kind, name] : names) {
        if (SameIgnoringCase(text, name)) {
            return kind;
        }
    }
    return std::nullopt;
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::string_view Name(const std::array<std::pair<Kind, std::string_view>, N>& names,
                                    Kind kind) {
    for (const auto& [k, name] : names) {
        if (k == kind) {
            return name;
        }
    }
    return {};
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::string NameList(const std::array<std::pair<Kind, std::string_view>, N>& names) {
    std::string list;
    for (const auto& [kind, name] : names) {
        list += (list.empty() ? "" : ", ") + std::string(name);
    }
    return list;
}

} // namespace

std::optional<PortKind> ParsePortKind(std::string_view text) {
    return Parse(PortKindNames, text);
}

std::string_view PortKindName(PortKind kind) {
    return Name(PortKindNames, kind);
}

std::optional<BoardKind> ParseBoardKind(std::string_view text) {
    return Parse(BoardKindNames, text);
}

std::string_view BoardKindName(BoardKind kind) {
    return Name(BoardKindNames, kind);
}

std::string PortKindNameList() {
    return NameList(PortKindNames);
}

std::string BoardKindNameList() {
    return NameList(BoardKindNames);
}

} // namespace scanbench
