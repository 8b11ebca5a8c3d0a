#pragma once

#include "settings/settings.h"
#include "settings/store_document.h"

#include <vector>

namespace scanbench {

// How Settings map onto the store's values.

// Reads the port address, the pins, the three switches and "instdir", in
// that order. The first value that is missing or not a 32-bit integer (or
// an "instdir" that is not a string) stops the reading and gives false;
// settings are then left as they were. Pins keep the low 8 bits of their
// value, switches are on when non-zero, a missing "instdir" reads as empty.
[[nodiscard]] bool ReadStoredValues(const StoreDocument& document, Settings& settings);

// "port" and "board" are independent of the other values: a missing value,
// a value that is not a string, or a name the program does not know all
// give the default, and no other value is affected.
void ReadPortChoice(const StoreDocument& document, Settings& settings);

// The complete set written when the store is new or a value is unusable,
// with "always_on_top" among them.
[[nodiscard]] std::vector<StoreDocument::Entry> DefaultEntries();

// Puts every value that DefaultEntries writes back to its default in memory.
void ResetStoredValues(Settings& settings);

// The values a save writes, "port" and "board" last; "instdir" and
// "always_on_top" are not among them.
[[nodiscard]] std::vector<StoreDocument::Entry> SavedEntries(const Settings& settings);

} // namespace scanbench
