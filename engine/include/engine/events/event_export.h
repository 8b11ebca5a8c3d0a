#pragma once

#include <ostream>
#include <string_view>

namespace scanbench {

class EventStore;

// Writes the text export of the event store: the "//" header lines, an empty
// line, then one comma-separated line per event (number, line, TAP, TCK, TMS,
// RX, TX, valid RX, SOA, SIA, SOB, SIB), every line but the last ending in
// ",". Lines end in CR LF. `date` and `time` are the moment of the export as
// the caller formats them.
void WriteEventExport(std::ostream& out, const EventStore& store, std::string_view date,
                      std::string_view time);

} // namespace scanbench
