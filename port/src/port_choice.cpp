#include "port/port_choice.h"

#include <algorithm>

namespace scanbench {

namespace {

[[nodiscard]] constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::optional<Kind> Parse(const std::array<NamedChoice<Kind>, N>& choices,
                                        std::string_view text) {
    for (const NamedChoice<Kind>& choice : choices) {
        if (SameIgnoringCase(text, choice.Name)) {
            return choice.Value;
        }
    }
    return std::nullopt;
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::string_view Name(const std::array<NamedChoice<Kind>, N>& choices, Kind kind) {
    for (const NamedChoice<Kind>& choice : choices) {
        if (choice.Value == kind) {
            return choice.Name;
        }
    }
    return {};
}

template <typename Kind, std::size_t N>
[[nodiscard]] std::string NameList(const std::array<NamedChoice<Kind>, N>& choices) {
    std::string list;
    for (const NamedChoice<Kind>& choice : choices) {
        list += (list.empty() ? "" : ", ") + std::string(choice.Name);
    }
    return list;
}

} // namespace

std::optional<PortKind> ParsePortKind(std::string_view text) {
    return Parse(PortKindChoices, text);
}

std::string_view PortKindName(PortKind kind) {
    return Name(PortKindChoices, kind);
}

std::optional<BoardKind> ParseBoardKind(std::string_view text) {
    return Parse(BoardKindChoices, text);
}

std::string_view BoardKindName(BoardKind kind) {
    return Name(BoardKindChoices, kind);
}

std::string PortKindNameList() {
    return NameList(PortKindChoices);
}

std::string BoardKindNameList() {
    return NameList(BoardKindChoices);
}

} // namespace scanbench
