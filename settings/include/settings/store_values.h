#pragma once

#include "settings/settings.h"
#include "settings/store_document.h"

#include <string>
#include <vector>

namespace scanbench {

// How Settings map onto the store's values.

// The first value ReadStoredValues could not use.
struct UnusableValue {
    QString Key;
    bool Missing = false; // otherwise present with the wrong type
};

// Reads the port address, the pins, the three switches and "instdir", in
// that order. The first value that is missing or not a 32-bit integer (or
// an "instdir" that is not a string) stops the reading and gives false;
// settings are then left as they were and `unusable`, when given, names it.
// Pins keep the low 8 bits of their value, switches are on when non-zero, a
// missing "instdir" reads as empty.
[[nodiscard]] bool ReadStoredValues(const StoreDocument& document, Settings& settings,
                                    UnusableValue* unusable = nullptr);

// "port" and "board" are independent of the other values: a missing value,
// a value that is not a string, or a name the program does not know all
// give the default, and no other value is affected. A value that is present
// but unknown adds a message for the user to `notices`, when given.
// "board file", a text, is the last board file chosen; "board": "file"
// without one gives the default board and a message.
void ReadPortChoice(const StoreDocument& document, Settings& settings,
                    std::vector<std::string>* notices = nullptr);

// "zoom", "line numbers" and "program folder" are also independent of the
// rest: a missing value gives its default. A value of the wrong type, or a
// zoom that is not one of ZoomLevels, gives the default too and adds a
// message to `notices`; the file keeps it until the user changes one of
// these settings, and SettingsStore::SaveViewValues then keeps the file
// aside before it writes.
void ReadViewValues(const StoreDocument& document, Settings& settings,
                    std::vector<std::string>* notices = nullptr);
// Whether ReadViewValues takes `value` for the view value `key` (true for any
// other key).
[[nodiscard]] bool ViewValueUsable(const QString& key, const QJsonValue& value);
// Whether the document holds one of those values that ReadViewValues refuses.
[[nodiscard]] bool ViewValuesUnusable(const StoreDocument& document);
// The three values as SaveViewValues writes them.
[[nodiscard]] std::vector<StoreDocument::Entry> ViewEntries(const Settings& settings);

// The complete set written when the store is new or a value is unusable,
// with "always_on_top" among them.
[[nodiscard]] std::vector<StoreDocument::Entry> DefaultEntries();

// Puts every value that DefaultEntries writes back to its default in memory.
void ResetStoredValues(Settings& settings);

// Writes the default set into the document and drops an "instdir" that is
// not text, so that the document reads back without a reset.
void ResetDocument(StoreDocument& document);

// Whether ResetDocument would change or drop a value the document holds; a
// value that is only missing loses nothing.
[[nodiscard]] bool ResetLosesValues(const StoreDocument& document);

// The values a save writes, "port" and "board" near the end and "board
// file" last, once a board file has been chosen; "instdir" and
// "always_on_top" are not among them.
[[nodiscard]] std::vector<StoreDocument::Entry> SavedEntries(const Settings& settings);

} // namespace scanbench
