#include "engine/program/label_table.h"

#include "engine/program/text_helpers.h"

namespace scanbench {

void LabelTable::Clear() {
    Entries.clear();
    FirstByName.clear();
}

void LabelTable::Add(std::int32_t line, std::string_view name) {
    std::string stored = ToUpperAscii(FirstCharacters(name, MaxNameLength));
    FirstByName.try_emplace(stored, Entries.size());
    Entries.push_back({line, std::move(stored)});
}

std::optional<std::int32_t> LabelTable::Find(const std::string& name) const {
    if (const auto it = FirstByName.find(name); it != FirstByName.end()) {
        return Entries[it->second].Line;
    }
    return std::nullopt;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // Only a complete sequence of continuation bytes forms one character.
        for (std::size_t k = 1; k < length; ++k) {
            if (pos + k >= text.size() ||
                (static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        }
        pos += length;
    }
    return text.substr(0, pos);
}

} // namespace scanbench
