#include "engine/view_feed.h"

#include <algorithm>
#include <utility>

namespace scanbench {

ViewFeed::Subscription::Subscription(ViewFeed& feed, ViewListener& listener)
    : Feed(&feed), Listener(&listener) {
    Feed->Add(listener);
}

ViewFeed::Subscription::Subscription(Subscription&& other) noexcept
    : Feed(std::exchange(other.Feed, nullptr)), Listener(std::exchange(other.Listener, nullptr)) {}

ViewFeed::Subscription& ViewFeed::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        Reset();
        Feed = std::exchange(other.Feed, nullptr);
        Listener = std::exchange(other.Listener, nullptr);
    }
    return *this;
}

void ViewFeed::Subscription::Reset() {
    if (Feed != nullptr) {
        Feed->Remove(*Listener);
        Feed = nullptr;
        Listener = nullptr;
    }
}

std::size_t ViewFeed::ListenerCount() const {
    return static_cast<std::size_t>(
        std::count_if(Listeners.begin(), Listeners.end(), [](auto* l) { return l != nullptr; }));
}

void ViewFeed::Add(ViewListener& listener) {
    Listeners.push_back(&listener);
}

void ViewFeed::Remove(ViewListener& listener) {
    const auto slot = std::find(Listeners.begin(), Listeners.end(), &listener);
    if (slot == Listeners.end()) {
        return;
    }
    if (DeliveryDepth > 0) {
        *slot = nullptr; // the delivery in progress skips it and tidies up
    } else {
        Listeners.erase(slot);
    }
}

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
    if (Listeners.empty()) {
        Pending = {};
        return;
    }
    const ViewChanges changes = std::exchange(Pending, {});
    LastDelivery = now;
    ++Deliveries;
    ++DeliveryDepth;
    // Listeners added during the delivery hear from the next one.
    const std::size_t count = Listeners.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (ViewListener* listener = Listeners[i]) {
            listener->RefreshView(changes);
        }
    }
    if (--DeliveryDepth == 0) {
        std::erase(Listeners, nullptr);
    }
}

} // namespace scanbench
