#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scanbench {

struct LabelEntry {
    std::int32_t Line = 0; // where execution continues after a jump to it
    std::string Name;      // upper case, at most MaxNameLength characters
};

// The labels that the latest code check collected, in program order. The
// table grows as needed, so a program may define any number of labels;
// duplicate names are kept, and a lookup finds the first.
class LabelTable {
public:
    static constexpr std::size_t MaxNameLength = 40;

    void Clear();
    // Adds a label; the name is stored upper-cased and cut to its first
    // MaxNameLength characters.
    void Add(std::int32_t line, std::string_view name);

    [[nodiscard]] std::int32_t LabelCount() const {
        return static_cast<std::int32_t>(Entries.size());
    }
    [[nodiscard]] const std::vector<LabelEntry>& Labels() const { return Entries; }
    // The line of the first label whose name equals `name` exactly.
    [[nodiscard]] std::optional<std::int32_t> Find(const std::string& name) const;

private:
    std::vector<LabelEntry> Entries;
    std::unordered_map<std::string, std::size_t> FirstByName;
};

// The first `count` characters of a UTF-8 text (a byte that is not part of a
// valid sequence counts as one character).
[[nodiscard]] std::string_view FirstCharacters(std::string_view text, std::size_t count);

} // namespace scanbench
