#include "engine/deferred_events.h"

#include <algorithm>
#include <new>

namespace scanbench {

void DeferredEvents::Record(EventStore& store, std::uint64_t total, Maker make) {
    Clear();
    if (total <= Batch) {
        make(store, 0, total);
        return;
    }
    Make = std::move(make);
    Total = total;
    RecordBatch(store);
}

bool DeferredEvents::RecordNextIfDue(EventStore& store) {
    if (!Any() || store.PlayedCount() != store.EventCount()) {
        return false;
    }
    RecordBatch(store);
    return true;
}

void DeferredEvents::RecordRest(EventStore& store) {
    while (Any()) {
        RecordBatch(store);
    }
}

void DeferredEvents::RecordBatch(EventStore& store) {
    const std::uint64_t count = std::min(Batch, Total - Next);
    const std::uint32_t before = store.EventCount();
    try {
        Make(store, Next, count);
    } catch (const std::bad_alloc&) {
        store.DropNewest(before);
        Clear();
        throw;
    }
    Next += count;
    if (!Any()) {
        Clear();
    }
}

void DeferredEvents::Clear() {
    Make = nullptr;
    Next = 0;
    Total = 0;
}

} // namespace scanbench
