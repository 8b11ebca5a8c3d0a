#include "svf/svf_export.h"

#include "engine/events/packed_event.h"
#include "engine/run/engine_state.h"

#include <algorithm>
#include <array>

namespace scanbench {

void ShiftCompareLog::EventPlayed(const PackedEvent& event) {
    const std::uint64_t ordinal = Played++;
    if (event.Description == DescriptionTable::NshfcpIndex) {
        NoteShiftCompare(ordinal);
    }
}

void ShiftCompareLog::EventsPlayed(std::span<const PackedEvent> events) {
    // The store's cursor is past all of them already.
    const std::uint64_t first = Played;
    Played += events.size();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].Description == DescriptionTable::NshfcpIndex) {
            NoteShiftCompare(first + i);
        }
    }
}

void ShiftCompareLog::NoteShiftCompare(std::uint64_t ordinal) {
    const ControllerRegisters& regs = State.Registers;
    // Entries of events the store no longer holds are of no use.
    const std::uint64_t start = StoreStart();
    if (!Entries.empty() && Entries.front().Ordinal < start) {
        std::erase_if(Entries, [start](const Entry& e) { return e.Ordinal < start; });
    }
    Entries.push_back({ordinal, ShiftCompare{regs.Counter[regs.SelectedTap & 1], regs.ExpectedBits,
                                             regs.MaskBits}});
}

void ShiftCompareLog::RefreshView(ViewChanges changes) {
    if (changes.Has(ViewChange::StoreCleared)) {
        RunStart = StoreStart();
        Entries.clear();
    }
}

std::uint64_t ShiftCompareLog::StoreStart() const {
    return Played - State.Events.PlayedCount();
}

bool ShiftCompareLog::StoreHoldsWholeRun() const {
    return State.Events.PlayedCount() == 0 || StoreStart() == RunStart;
}

const ShiftCompare* ShiftCompareLog::At(std::uint32_t storeIndex) const {
    const std::uint64_t ordinal = StoreStart() + storeIndex;
    const auto it = std::ranges::lower_bound(Entries, ordinal, {}, &Entry::Ordinal);
    return it != Entries.end() && it->Ordinal == ordinal ? &it->Compare : nullptr;
}

SvfExportResult WriteSvf(std::ostream& out, const EngineState& state, const ShiftCompareLog& log,
                         std::uint8_t tap, const std::string& title) {
    if (!log.StoreHoldsWholeRun()) {
        return {{},
                "The event history no longer starts where the run began (a FLUSH statement, or "
                "Active mode off, dropped played events), so the run cannot be written as SVF. "
                "Turn Active mode on, leave out FLUSH and run the program again."};
    }
    const EventStore& store = state.Events;
    SvfTranslator translator(out, title);
    std::array<PackedEvent, 4096> chunk{};
    for (std::uint32_t first = 0; first < store.PlayedCount();) {
        const std::size_t want = std::min<std::size_t>(chunk.size(), store.PlayedCount() - first);
        const std::size_t got = store.ReadEvents(first, std::span(chunk.data(), want));
        if (got == 0) {
            break;
        }
        for (std::size_t i = 0; i < got; ++i) {
            const PackedEvent& e = chunk[i];
            if (e.Description != DescriptionTable::EmptyIndex) {
                // The synchronisation lines belong to no TAP: every export
                // says what became of them.
                const std::string_view text = store.DescriptionOf(e);
                if (text.size() == 4 && (text.starts_with("SS") || text.starts_with("WS"))) {
                    translator.SyncStatement(e.Line, text);
                }
            }
            if (e.Tap != tap) {
                continue;
            }
            const auto index = static_cast<std::uint32_t>(first + i);
            translator.Add(
                {e.Level(PackedEvent::TCK) == 1, e.Level(PackedEvent::TMS) == 1,
                 e.Level(PackedEvent::TX) == 1, e.Line,
                 e.Description != DescriptionTable::EmptyIndex,
                 e.Description == DescriptionTable::NshfcpIndex ? log.At(index) : nullptr});
        }
        first += static_cast<std::uint32_t>(got);
    }
    translator.Finish();
    return {translator.Problems(), std::nullopt};
}

std::string DescribeProblems(const std::vector<SvfProblem>& problems) {
    std::string text;
    for (const SvfProblem& p : problems) {
        text += "line " + std::to_string(p.Line) + ": " + p.Message + "\n";
    }
    return text;
}

} // namespace scanbench
