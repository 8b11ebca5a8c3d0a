// Fuzzes the settings document: parsing, reading the values, the reset and
// serialising again. What the store writes must parse back, and a document
// the program wrote itself must read without another reset.
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
    (void)ResetLosesValues(*document);
    if (!ReadStoredValues(*document, settings)) {
        ResetDocument(*document);
    }
    document->Write(SavedEntries(settings));
    const std::optional<StoreDocument> written = StoreDocument::Parse(document->Serialise());
    Settings again;
    if (!written || !ReadStoredValues(*written, again)) {
        std::abort(); // what the store writes must read back as it is
    }
    return 0;
}
