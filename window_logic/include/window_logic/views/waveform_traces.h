#pragma once

#include "window_logic/views/waveform_geometry.h"

#include <array>
#include <cstdint>

namespace scanbench {

class EventStore;

// The pen a piece of trace is drawn with.
enum class TracePen : std::uint8_t {
    Tck,        // TCK of a played event
    TckAhead,   // TCK of an event not yet played
    Tms,        // TMS of a played event
    TmsAhead,   // TMS of an event not yet played
    Rx,         // RX carrying device data
    RxIdle,     // RX not carrying device data, shown at its level (solid silver)
    RxFloating, // RX not carrying device data, shown at mid height (dotted grey)
    Tx,
    Sync,
};

// One column of a row: the trace steps at the column's left edge from the
// previous y to `Y` and runs level to the column's right edge, both in `Pen`.
struct TraceStep {
    std::int16_t Y = 0;
    TracePen Pen = TracePen::Tck;
    friend bool operator==(const TraceStep&, const TraceStep&) = default;
};

// A row as one connected line from (0, StartY) through its columns.
struct TraceRow {
    std::int16_t StartY = 0;
    std::array<TraceStep, Waveform::ColumnsDrawn> Steps{};
    friend bool operator==(const TraceRow&, const TraceRow&) = default;
};

enum TapRow : std::uint8_t { TckRow, TmsRow, RxRow, TxRow };

// What one TAP picture shows for the events from `first` on.
struct TapTraces {
    int Columns = 0; // events drawn
    std::array<TraceRow, 4> Rows{};
    // The first event of a statement of this TAP carries a dot ...
    std::array<bool, Waveform::ColumnsDrawn> Dots{};
    // ... and, unless it is HALT, its line number.
    std::array<bool, Waveform::ColumnsDrawn> Numbered{};
    std::array<std::int32_t, Waveform::ColumnsDrawn> LineNumbers{};
    friend bool operator==(const TapTraces&, const TapTraces&) = default;
};

// What the sync picture shows: SOA, SIA, SOB, SIB of every event.
struct SyncTraces {
    int Columns = 0;
    std::array<TraceRow, 4> Rows{};
    friend bool operator==(const SyncTraces&, const SyncTraces&) = default;
};

// Everything the waveform pictures show.
struct WaveformTraces {
    std::array<TapTraces, 2> Taps{};
    SyncTraces Sync{};
    friend bool operator==(const WaveformTraces&, const WaveformTraces&) = default;
};

// Whether event `index` has been played.
[[nodiscard]] constexpr bool IsPlayed(std::uint32_t index, std::uint32_t playedCount) {
    return index < playedCount;
}

// The traces of TAP `tap` for the events of `store` from `first` on. Each
// row follows the events of this TAP and stays at its last level (0 before
// the first one) through the events of the other TAP. With `showZ`, RX that
// carries no device data is drawn at mid height.
[[nodiscard]] TapTraces BuildTapTraces(const EventStore& store, std::uint32_t first,
                                       std::uint8_t tap, bool showZ);

[[nodiscard]] SyncTraces BuildSyncTraces(const EventStore& store, std::uint32_t first);

[[nodiscard]] WaveformTraces BuildWaveformTraces(const EventStore& store, std::uint32_t first,
                                                 bool showZ);

} // namespace scanbench
