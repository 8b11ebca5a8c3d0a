#include "engine/events/description_table.h"

namespace scanbench {

void DescriptionTable::Reset() {
    Texts.assign({"", "NSHFCP"});
    Index.clear();
    Index.emplace("", EmptyIndex);
    Index.emplace("NSHFCP", NshfcpIndex);
}

std::uint32_t DescriptionTable::InternText(std::string_view text) {
    std::string key(text);
    if (const auto it = Index.find(key); it != Index.end()) {
        return it->second;
    }
    const auto index = static_cast<std::uint32_t>(Texts.size());
    Texts.push_back(key);
    Index.emplace(std::move(key), index);
    return index;
}

} // namespace scanbench
