#pragma once

#include "engine/feed/view_listener.h"
#include "engine/run/playback_observer.h"
#include "svf/svf_translator.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scanbench {

struct EngineState;

// Keeps what each NSHFCP compared while a run plays, which the event store
// does not hold: subscribe it to the engine (Engine::ObservePlayback) for the
// whole session, and subscribe it to the engine's views where a reset can
// start a new run under it (a reset empties the store: StoreCleared). It
// costs a comparison per played event and a copy of the expected value and
// mask per NSHFCP.
class ShiftCompareLog final : public PlaybackObserver, public ViewListener {
public:
    explicit ShiftCompareLog(const EngineState& state) : State(state) {}

    void EventPlayed(const PackedEvent& event) override;
    void EventsPlayed(std::span<const PackedEvent> events) override;
    void EventResampled(const PackedEvent& /*event*/) override {}
    void RefreshView(ViewChanges changes) override;

    // What the NSHFCP whose first event has that store index compared; null
    // when the log does not know it.
    [[nodiscard]] const ShiftCompare* At(std::uint32_t storeIndex) const;
    // Whether the store still holds every event played since it was last
    // emptied (it does not when the run trims its history).
    [[nodiscard]] bool StoreHoldsWholeRun() const;

private:
    struct Entry {
        std::uint64_t Ordinal;
        ShiftCompare Compare;
    };
    [[nodiscard]] std::uint64_t StoreStart() const;
    // Notes what the NSHFCP whose first event is the `ordinal`-th played compares.
    void NoteShiftCompare(std::uint64_t ordinal);

    const EngineState& State;
    std::uint64_t Played = 0;   // events played since the log was made
    std::uint64_t RunStart = 0; // ordinal of the first event of the store's run
    std::vector<Entry> Entries; // by ordinal
};

// The outcome of an export: the problems the translation reported, or why
// nothing could be written.
struct SvfExportResult {
    std::vector<SvfProblem> Problems;
    std::optional<std::string> Refusal;
};

// Writes the played events of one TAP (0 or 1) as SVF. `title` names the run
// in the file's first comment line.
[[nodiscard]] SvfExportResult WriteSvf(std::ostream& out, const EngineState& state,
                                       const ShiftCompareLog& log, std::uint8_t tap,
                                       const std::string& title);

// "line 12: message", one problem a line.
[[nodiscard]] std::string DescribeProblems(const std::vector<SvfProblem>& problems);

} // namespace scanbench
