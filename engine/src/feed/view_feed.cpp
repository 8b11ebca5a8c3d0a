#include "engine/feed/view_feed.h"

#include <utility>

namespace scanbench {

void ViewFeed::SetRunning(bool running) {
    if (Running == running) {
        return;
    }
    Running = running;
    if (!Running && BatchDepth == 0) {
        Deliver();
    }
}

void ViewFeed::EndBatch() {
    if (--BatchDepth > 0) {
        return;
    }
    if (Running) {
        DeliverIfDue();
    } else {
        Deliver();
    }
}

void ViewFeed::DeliverIfDue(Clock::time_point now) {
    if (!Pending.Empty() && now - LastDelivery >= FrameInterval) {
        Deliver(now);
    }
}

void ViewFeed::Deliver(Clock::time_point now) {
    if (Pending.Empty()) {
        return;
    }
    if (Listeners.Empty()) {
        Pending = {};
        return;
    }
    const ViewChanges changes = std::exchange(Pending, {});
    LastDelivery = now;
    ++Deliveries;
    Listeners.ForEach([changes](ViewListener& listener) { listener.RefreshView(changes); });
}

} // namespace scanbench
