#pragma once

#include "engine/events/packed_event.h"

#include <cstdint>

namespace scanbench {

// What the events of one statement share: its line, its TAP, the levels of
// the sync outputs and, on its first event only, its description.
struct EventOrigin {
    std::int32_t Line = 0;
    std::uint32_t Description = 0; // index into the store's description table
    std::uint8_t Tap = 0;
    std::uint8_t Sync = 0; // PackedEvent::SOA and SOB, shifted down by SyncShift

    static constexpr unsigned SyncShift = 8;

    friend bool operator==(const EventOrigin&, const EventOrigin&) = default;
};

// How the store keeps one event: four bytes. The low byte holds the levels
// that change from event to event as PackedEvent's low byte does (TMS, TCK,
// RX, TX, SIA, SIB, ValidRX, TapStatesKnown), the next byte the models'
// states after the play, and the top half the index of the event's
// EventOrigin in its chunk's table of origins (a chunk holds fewer events
// than sixteen bits count).
namespace EventRecord {

inline constexpr std::uint32_t LevelBits = 0xFF;
inline constexpr unsigned StatesShift = 8;
inline constexpr unsigned OriginShift = 16;
// The bits that playback writes: the samples, RX's validity, the states.
inline constexpr std::uint32_t PlayedBits = PackedEvent::RX | PackedEvent::SIA | PackedEvent::SIB |
                                            PackedEvent::ValidRX | PackedEvent::TapStatesKnown |
                                            (0xFFU << StatesShift);

[[nodiscard]] constexpr std::uint32_t OriginIndex(std::uint32_t record) {
    return record >> OriginShift;
}

// The event as readers take it.
[[nodiscard]] constexpr PackedEvent Expand(std::uint32_t record, const EventOrigin& origin) {
    PackedEvent e{};
    e.Line = origin.Line;
    e.Description = origin.Description;
    e.Levels = static_cast<std::uint16_t>((record & LevelBits) |
                                          (unsigned{origin.Sync} << EventOrigin::SyncShift));
    e.Tap = origin.Tap;
    e.TapStates = static_cast<std::uint8_t>(record >> StatesShift);
    return e;
}

} // namespace EventRecord

} // namespace scanbench
