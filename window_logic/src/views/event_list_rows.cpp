#include "window_logic/views/event_list_rows.h"

#include "engine/events/event_store.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace scanbench {

std::int32_t EventListScrollMaximum(std::uint32_t eventCount) {
    const std::uint32_t last =
        eventCount > EventList::VisibleRows ? eventCount - EventList::VisibleRows : 0;
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(last, std::numeric_limits<std::int32_t>::max()));
}

std::string EventListRow(std::uint32_t index, const PackedEvent& e, std::string_view description) {
    const auto level = [&e](PackedEvent::Bit bit) { return int{e.Level(bit)}; };
    const int tck = level(PackedEvent::TCK);
    const int tms = level(PackedEvent::TMS);
    const int rx = level(PackedEvent::RX);
    const int tx = level(PackedEvent::TX);
    const int soa = level(PackedEvent::SOA);
    const int sia = level(PackedEvent::SIA);
    const int sob = level(PackedEvent::SOB);
    const int sib = level(PackedEvent::SIB);
    std::array<char, 128> text{};
    int n = 0;
    if (!description.empty() && description != "HALT") {
        n = std::snprintf(text.data(), text.size(),
                          "%8u   %7d   [%d]   %d   %d   %d   %d   %d   %d   %d   %d    ", index,
                          e.Line, int{e.Tap}, tck, tms, rx, tx, soa, sia, sob, sib);
    } else {
        n = std::snprintf(text.data(), text.size(),
                          "%8u             [%d]   %d   %d   %d   %d   %d   %d   %d   %d    ", index,
                          int{e.Tap}, tck, tms, rx, tx, soa, sia, sob, sib);
    }
    std::string row(text.data(), static_cast<std::size_t>(std::max(n, 0)));
    row += e.Level(PackedEvent::ValidRX) == 1 ? " V RX" : " I RX";
    row += "    ";
    row += description;
    return row;
}

std::vector<std::string> EventListRows(const EventStore& store, std::uint32_t firstRow) {
    const std::uint32_t count = store.EventCount();
    if (count == 0) {
        return {std::string(EventList::NoEvents)};
    }
    std::array<PackedEvent, EventList::VisibleRows> events{};
    const std::size_t read = firstRow < count ? store.ReadEvents(firstRow, events) : 0;
    std::vector<std::string> rows;
    rows.reserve(read);
    for (std::size_t k = 0; k < read; ++k) {
        rows.push_back(EventListRow(firstRow + static_cast<std::uint32_t>(k), events[k],
                                    store.DescriptionOf(events[k])));
    }
    return rows;
}

} // namespace scanbench
