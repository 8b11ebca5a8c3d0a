#pragma once

#include "engine/feed/listener_list.h"
#include "engine/feed/view_listener.h"
#include "engine/run/run_clock.h"

#include <chrono>
#include <cstdint>

namespace scanbench {

// Hands the engine's changes to any number of views.
//
// Outside a command a change is delivered at once. Inside a command (a
// batch) changes are gathered and delivered when the outermost batch ends,
// so one Event-by-Event refreshes each view once. While a continuous run is
// going (Execute, Speed Run, a long Step-by-Step) deliveries are limited to
// the screen's frame rate at the run's check points, and the run's end
// delivers what is left: a view then shows exactly what a refresh after
// every event would have shown. The frame rate is measured on a RunClock.
class ViewFeed {
public:
    using Clock = RunClock::Clock;
    // About the screen's refresh rate.
    static constexpr Clock::duration FrameInterval = std::chrono::microseconds(16667);

    // Keeps a listener subscribed while it lives; destroying it (a window
    // closing mid-run, even during a delivery) unsubscribes.
    using Subscription = ListenerList<ViewListener>::Subscription;

    // Gathers the changes of one command; nests.
    class Batch {
    public:
        explicit Batch(ViewFeed& feed) : Feed(feed) { ++Feed.BatchDepth; }
        ~Batch() { Feed.EndBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ViewFeed& Feed;
    };

    ViewFeed() = default;
    ViewFeed(const ViewFeed&) = delete;
    ViewFeed& operator=(const ViewFeed&) = delete;

    [[nodiscard]] Subscription Subscribe(ViewListener& listener) {
        return Listeners.Subscribe(listener);
    }
    [[nodiscard]] std::size_t ListenerCount() const { return Listeners.Count(); }

    void Notify(ViewChanges changes) {
        Pending |= changes;
        if (BatchDepth == 0 && !Running) {
            Deliver();
        }
    }

    // Whether a change notified now reaches a listener at once: no batch is
    // open, no run is going, and someone listens.
    [[nodiscard]] bool DeliversEveryChange() const {
        return BatchDepth == 0 && !Running && !Listeners.Empty();
    }

    // A continuous run starts or ends; its end delivers what is pending.
    void SetRunning(bool running);
    [[nodiscard]] bool IsRunning() const { return Running; }
    // A run's check point: delivers when a frame interval has passed since
    // the last delivery, as the time `now` given (or the feed's clock) says.
    void DeliverIfDue(Clock::time_point now);
    void DeliverIfDue() { DeliverIfDue(Time->Now()); }
    // The clock that times the deliveries; it must outlive its use.
    void UseClock(RunClock& clock) { Time = &clock; }

    // Deliveries made so far (each reaches every listener once).
    [[nodiscard]] std::uint64_t DeliveryCount() const { return Deliveries; }

private:
    void EndBatch();
    // Delivers what is pending; `now` is the time the delivery is stamped with.
    void Deliver(Clock::time_point now);
    void Deliver() {
        if (!Pending.Empty()) {
            Deliver(Time->Now());
        }
    }

    ListenerList<ViewListener> Listeners;
    ViewChanges Pending;
    int BatchDepth = 0;
    bool Running = false;
    RunClock* Time = &RunClock::Steady();
    Clock::time_point LastDelivery{};
    std::uint64_t Deliveries = 0;
};

} // namespace scanbench
