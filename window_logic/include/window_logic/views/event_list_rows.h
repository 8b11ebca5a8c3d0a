#pragma once

#include "engine/events/packed_event.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

class EventStore;

// The event list shows 14 fixed-width rows, one per event, under a column
// header; its scroll bar chooses the first event shown.
namespace EventList {
inline constexpr std::uint32_t VisibleRows = 14;
inline constexpr std::string_view Header =
    " Ev. Nr  |   Line  | TAP |TCK TMS  RX  TX SOA SIA SOB SIB| RX line | Description ";
inline constexpr std::string_view NoEvents = "No events";
} // namespace EventList

// The largest first row: max(count - 14, 0), at most the largest int32.
[[nodiscard]] std::int32_t EventListScrollMaximum(std::uint32_t eventCount);

// The row of event `index`: number, line (only on the first event of a
// statement, the one with a description other than "HALT"), TAP, the eight
// levels, "V RX" or "I RX" for valid or invalid RX, and the description.
[[nodiscard]] std::string EventListRow(std::uint32_t index, const PackedEvent& event,
                                       std::string_view description);

// The rows shown from `firstRow` on: the events firstRow .. firstRow + 13
// that the store holds, or the single row "No events" for an empty store.
[[nodiscard]] std::vector<std::string> EventListRows(const EventStore& store,
                                                     std::uint32_t firstRow);

} // namespace scanbench
