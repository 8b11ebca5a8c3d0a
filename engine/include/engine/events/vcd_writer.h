#pragma once

#include "engine/events/packed_event.h"
#include "engine/run/playback_observer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string_view>

namespace scanbench {

class EventStore;

// Writes played events as a value change dump (VCD), the text format that
// GTKWave and other waveform viewers read. Each event is one time step. The
// dump holds, per TAP, the wires TCK, TMS, TX (the device's TDI), RX (its
// TDO) and RX valid and a 4-bit vector of the TAP controller's state after
// the event (x where the event does not carry it); and the sync lines SOA,
// SIA, SOB and SIB. An event sets its own TAP's wires and the sync lines; the
// other TAP's wires keep their levels (x until that TAP's first event). Only
// changes are written, in blocks, so dumps of millions of events are quick.
class VcdWriter {
public:
    // Writes the header; `date` is the text of its $date section.
    VcdWriter(std::ostream& out, std::string_view date);
    VcdWriter(const VcdWriter&) = delete;
    VcdWriter& operator=(const VcdWriter&) = delete;
    ~VcdWriter();

    // The next time step.
    void Add(const PackedEvent& event);
    // A time step for each event, in order.
    void Add(std::span<const PackedEvent> events);
    // Writes the time at which the last step ends and hands everything left
    // to the stream, whose state then tells whether all was written.
    void Finish();

    [[nodiscard]] std::uint64_t StepCount() const { return Time; }

private:
    // Time lines up to this long go out as two words.
    static constexpr std::size_t QuickLineLength = 16;

    // Whether the event changes nothing but its own TAP's wires, the sync
    // lines and the states, and the time line is short.
    [[nodiscard]] bool TakesQuickStep(const PackedEvent& event) const;
    // Adds events from the first on while they take quick steps; returns
    // how many it added (at least the first, which must take one).
    std::size_t AddQuickly(std::span<const PackedEvent> events);
    void FlushIfFull();
    void Flush();
    void Put(std::string_view text);
    void PutTime();
    void NextTime();
    void PutScalar(unsigned signal);
    void PutState(unsigned tap);
    void DumpAll();

    std::ostream& Out;
    std::unique_ptr<char[]> Buffer;
    std::size_t Used = 0;
    std::uint64_t Time = 0;
    // The time stamp line "#<time>\n", kept up to date digit by digit (most
    // steps change only the last digit) and copied out whole.
    std::array<char, 32> TimeLine{'#', '0', '\n'};
    std::size_t TimeDigits = 1;
    // One bit per one-bit signal: its level, and whether it is known yet.
    std::uint32_t Values = 0;
    std::uint32_t Known = 0;
    // The state vectors: 0..15, or Unknown.
    std::array<std::uint8_t, 2> States;
};

// The dump of the played events of a store, oldest first.
void WriteVcd(std::ostream& out, const EventStore& store, std::string_view date);

// Writes the dump while a run plays its events. An event is written once the
// next one is played or the dump is finished, since a step that finds nothing
// to play samples its inputs again into the last event played.
class VcdRecorder final : public PlaybackObserver {
public:
    VcdRecorder(std::ostream& out, std::string_view date) : Writer(out, date) {}

    void EventPlayed(const PackedEvent& event) override;
    void EventsPlayed(std::span<const PackedEvent> events) override;
    void EventResampled(const PackedEvent& event) override;
    void Finish();

    [[nodiscard]] std::uint64_t StepCount() const { return Writer.StepCount() + (Held ? 1 : 0); }

private:
    VcdWriter Writer;
    PackedEvent Last{};
    bool Held = false;
};

} // namespace scanbench
