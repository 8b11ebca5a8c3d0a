#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scanbench {

// The distinct description texts of the stored events, each stored once.
// Index 0 is the empty text and index NshfcpIndex is "NSHFCP", which
// playback recognises without looking at the text.
class DescriptionTable {
public:
    static constexpr std::uint32_t EmptyIndex = 0;
    static constexpr std::uint32_t NshfcpIndex = 1;

    DescriptionTable() { Reset(); }

    // The index of the text, adding it when it is new.
    [[nodiscard]] std::uint32_t Intern(std::string_view text) {
        return text.empty() ? EmptyIndex : InternText(text);
    }
    [[nodiscard]] const std::string& Text(std::uint32_t index) const { return Texts[index]; }
    // Forgets every text but the fixed ones; used when no event refers to any.
    void Reset();

private:
    [[nodiscard]] std::uint32_t InternText(std::string_view text);

    std::vector<std::string> Texts;
    std::unordered_map<std::string, std::uint32_t> Index;
};

} // namespace scanbench
