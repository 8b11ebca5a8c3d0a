#include "window_logic/views/waveform_traces.h"

#include "engine/events/event_store.h"

namespace scanbench {

namespace {

using Window = std::array<PackedEvent, Waveform::ColumnsDrawn>;

int ReadWindow(const EventStore& store, std::uint32_t first, Window& events) {
    return static_cast<int>(store.ReadEvents(first, events));
}

// A row that follows one level of the events of one TAP.
class LevelRow {
public:
    LevelRow(TraceRow& row, int base, int swing) : Row(row), Base(base), Swing(swing) {
        Row.StartY = static_cast<std::int16_t>(LevelY(Base, 0, Swing));
    }
    void Follow(std::uint8_t level) { Level = level; }
    void Step(int column, TracePen pen) { At(column, LevelY(Base, Level, Swing), pen); }
    void At(int column, int y, TracePen pen) {
        Row.Steps[static_cast<std::size_t>(column)] = {static_cast<std::int16_t>(y), pen};
    }

private:
    TraceRow& Row;
    int Base;
    int Swing;
    std::uint8_t Level = 0;
};

} // namespace

TapTraces BuildTapTraces(const EventStore& store, std::uint32_t first, std::uint8_t tap,
                         bool showZ) {
    TapTraces traces;
    Window events;
    traces.Columns = ReadWindow(store, first, events);
    const std::uint32_t played = store.PlayedCount();
    LevelRow tck(traces.Rows[TckRow], Waveform::TckBase, Waveform::TapSwing);
    LevelRow tms(traces.Rows[TmsRow], Waveform::TmsBase, Waveform::TapSwing);
    LevelRow rx(traces.Rows[RxRow], Waveform::RxBase, Waveform::TapSwing);
    LevelRow tx(traces.Rows[TxRow], Waveform::TxBase, Waveform::TapSwing);
    for (int c = 0; c < traces.Columns; ++c) {
        const PackedEvent& e = events[static_cast<std::size_t>(c)];
        const auto column = static_cast<std::size_t>(c);
        const bool ours = e.Tap == tap;
        const bool done = IsPlayed(first + static_cast<std::uint32_t>(c), played);
        if (ours) {
            tck.Follow(e.Level(PackedEvent::TCK));
            tms.Follow(e.Level(PackedEvent::TMS));
            rx.Follow(e.Level(PackedEvent::RX));
            tx.Follow(e.Level(PackedEvent::TX));
            const std::string_view description = store.DescriptionOf(e);
            traces.Dots[column] = !description.empty();
            traces.Numbered[column] = !description.empty() && description != "HALT";
            traces.LineNumbers[column] = e.Line;
        }
        tck.Step(c, done ? TracePen::Tck : TracePen::TckAhead);
        tms.Step(c, done ? TracePen::Tms : TracePen::TmsAhead);
        tx.Step(c, TracePen::Tx);
        if (ours && e.Level(PackedEvent::ValidRX) == 1) {
            rx.Step(c, TracePen::Rx);
        } else if (showZ) {
            rx.At(c, Waveform::RxMiddle, TracePen::RxFloating);
        } else {
            rx.Step(c, TracePen::RxIdle);
        }
    }
    return traces;
}

SyncTraces BuildSyncTraces(const EventStore& store, std::uint32_t first) {
    SyncTraces traces;
    Window events;
    traces.Columns = ReadWindow(store, first, events);
    constexpr std::array<PackedEvent::Bit, 4> lines{PackedEvent::SOA, PackedEvent::SIA,
                                                    PackedEvent::SOB, PackedEvent::SIB};
    for (std::size_t r = 0; r < lines.size(); ++r) {
        LevelRow row(traces.Rows[r], Waveform::SyncBases[r], Waveform::SyncSwing);
        for (int c = 0; c < traces.Columns; ++c) {
            row.Follow(events[static_cast<std::size_t>(c)].Level(lines[r]));
            row.Step(c, TracePen::Sync);
        }
    }
    return traces;
}

WaveformTraces BuildWaveformTraces(const EventStore& store, std::uint32_t first, bool showZ) {
    return {{BuildTapTraces(store, first, 0, showZ), BuildTapTraces(store, first, 1, showZ)},
            BuildSyncTraces(store, first)};
}

} // namespace scanbench
