#pragma once

#include "engine/events/event.h"

#include <cstdint>
#include <type_traits>

namespace scanbench {

// An event as the store's readers take it (views, exports, recorders): the
// nine levels as bits, the description as an index into the store's
// description table, the line and the TAP. Trivially copyable, so readers
// copy ranges of events cheaply; the store itself keeps each event in four
// bytes (see EventRecord). Only the level 1 counts as high, so a level byte
// is kept as one bit without losing anything a reader can see.
struct PackedEvent {
    // The low eight bits are those of an EventRecord; the sync outputs,
    // which the events of a statement share, come after them.
    enum Bit : std::uint16_t {
        TMS = 1U << 0,
        TCK = 1U << 1,
        RX = 1U << 2,
        TX = 1U << 3,
        SIA = 1U << 4,
        SIB = 1U << 5,
        ValidRX = 1U << 6,
        TapStatesKnown = 1U << 7, // TapStates holds the models' states after the play
        SOA = 1U << 8,
        SOB = 1U << 9,
    };

    // No default member values: readers' blocks of events are allocated
    // without a pass over their memory. PackedEvent{} is the zero event.
    std::int32_t Line;
    std::uint32_t Description; // 0 = no description
    std::uint16_t Levels;
    std::uint8_t Tap;
    // The states of both TAP models right after the event was played (TAP 0
    // in the low four bits), valid while TapStatesKnown is set.
    std::uint8_t TapStates;

    [[nodiscard]] std::uint8_t Level(Bit bit) const { return (Levels & bit) != 0 ? 1 : 0; }
    void SetLevel(Bit bit, std::uint8_t level) {
        Levels = static_cast<std::uint16_t>(level == 1 ? (Levels | bit) : (Levels & ~bit));
    }
    [[nodiscard]] bool HasTapStates() const { return (Levels & TapStatesKnown) != 0; }
    [[nodiscard]] std::uint8_t TapState(std::uint8_t tap) const {
        return static_cast<std::uint8_t>(tap == 0 ? TapStates & 0x0F : TapStates >> 4);
    }
    void SetTapStates(std::uint8_t state0, std::uint8_t state1) {
        TapStates = static_cast<std::uint8_t>((state0 & 0x0F) | (state1 << 4));
        Levels = static_cast<std::uint16_t>(Levels | TapStatesKnown);
    }
};

[[nodiscard]] inline std::uint16_t PackLevels(const TapEvent& e) {
    const auto bit = [](std::uint8_t level, PackedEvent::Bit b) {
        return static_cast<std::uint16_t>(level == 1 ? b : 0);
    };
    return static_cast<std::uint16_t>(bit(e.TMS, PackedEvent::TMS) | bit(e.TCK, PackedEvent::TCK) |
                                      bit(e.RX, PackedEvent::RX) | bit(e.TX, PackedEvent::TX) |
                                      bit(e.SOA, PackedEvent::SOA) | bit(e.SOB, PackedEvent::SOB) |
                                      bit(e.SIA, PackedEvent::SIA) | bit(e.SIB, PackedEvent::SIB) |
                                      bit(e.ValidRX, PackedEvent::ValidRX));
}

// The full event, with its description text supplied by the caller.
[[nodiscard]] inline TapEvent Unpack(const PackedEvent& p, const std::string& description) {
    TapEvent e;
    e.TMS = p.Level(PackedEvent::TMS);
    e.TCK = p.Level(PackedEvent::TCK);
    e.RX = p.Level(PackedEvent::RX);
    e.TX = p.Level(PackedEvent::TX);
    e.SOA = p.Level(PackedEvent::SOA);
    e.SOB = p.Level(PackedEvent::SOB);
    e.SIA = p.Level(PackedEvent::SIA);
    e.SIB = p.Level(PackedEvent::SIB);
    e.ValidRX = p.Level(PackedEvent::ValidRX);
    e.Line = p.Line;
    e.Description = description;
    e.Tap = p.Tap;
    return e;
}

static_assert(sizeof(PackedEvent) == 12);
static_assert(std::is_trivially_default_constructible_v<PackedEvent>);

} // namespace scanbench
