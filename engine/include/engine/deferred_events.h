#pragma once

#include "engine/event_store.h"

#include <cstdint>
#include <functional>

namespace scanbench {

// The events of a long statement that are not recorded yet. A shift or a
// clock run of millions of events records its first batch when it is
// translated and the next one each time playback has caught up, so that no
// step takes longer than recording one batch takes, and a window that plays
// a run in slices keeps painting.
class DeferredEvents {
public:
    // Events recorded at a time.
    static constexpr std::uint64_t Batch = 4 * EventStore::ChunkSize;
    // Appends the statement's events [first, first + count) to the store.
    using Maker = std::function<void(EventStore& store, std::uint64_t first, std::uint64_t count)>;

    // Records a statement's `total` events: all of them now when they make
    // one batch at most, else the first batch now and the rest later.
    void Record(EventStore& store, std::uint64_t total, Maker make);
    // Records the next batch when everything recorded has been played and
    // events are left; says whether it did. Memory running out drops the
    // batch's events and the rest of the statement, and throws on.
    bool RecordNextIfDue(EventStore& store);
    // Records every event left now.
    void RecordRest(EventStore& store);
    [[nodiscard]] bool Any() const { return Next < Total; }
    // Forgets the events left (the store was cleared or the statement dropped).
    void Clear();

private:
    void RecordBatch(EventStore& store);

    Maker Make;
    std::uint64_t Next = 0;
    std::uint64_t Total = 0;
};

} // namespace scanbench
