// Fuzzes the settings document: parsing, reading the values, writing the
// defaults and serialising again, which must parse back.
#include "settings/settings.h"
#include "settings/store_document.h"
#include "settings/store_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<StoreDocument> document = StoreDocument::Parse(text);
    if (!document) {
        return 0;
    }
    Settings settings;
    if (!ReadStoredValues(*document, settings)) {
        document->Write(DefaultEntries());
    }
    document->Write(SavedEntries(settings));
    if (!StoreDocument::Parse(document->Serialise())) {
        std::abort(); // what the store writes must read back
    }
    return 0;
}
