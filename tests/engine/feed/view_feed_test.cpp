#include "engine/feed/view_feed.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

namespace scanbench::testing {
namespace {

// A view that records its deliveries and may act while receiving one.
class ProbeView : public ViewListener {
public:
    void RefreshView(ViewChanges changes) override {
        ++Deliveries;
        Last = changes;
        if (OnRefresh) {
            OnRefresh();
        }
    }
    int Deliveries = 0;
    ViewChanges Last;
    std::function<void()> OnRefresh;
};

TEST(ViewFeed, ListenersUnsubscribeSafelyEvenDuringADelivery) {
    ViewFeed feed;
    ProbeView a;
    ProbeView c;
    auto b = std::make_unique<ProbeView>();
    auto subA = feed.Subscribe(a);
    std::optional<ViewFeed::Subscription> subB(feed.Subscribe(*b));
    auto subC = feed.Subscribe(c);
    // The first listener closes the second one's window while being told.
    a.OnRefresh = [&] {
        subB.reset();
        b.reset();
    };
    feed.Notify(ViewChange::PinLevels);
    EXPECT_EQ(a.Deliveries, 1);
    EXPECT_EQ(c.Deliveries, 1) << "a listener after the removed one still hears";
    EXPECT_EQ(feed.ListenerCount(), 2U);
    a.OnRefresh = nullptr;
    feed.Notify(ViewChange::Waveforms);
    EXPECT_EQ(a.Deliveries, 2);
    EXPECT_EQ(c.Deliveries, 2);
}

TEST(ViewFeed, BatchesDeliverOnceAndRunsAtTheFrameRate) {
    ViewFeed feed;
    SteppingClock time(ViewFeed::Clock::duration::zero()); // moved by hand below
    feed.UseClock(time);
    ProbeView view;
    auto sub = feed.Subscribe(view);
    {
        const ViewFeed::Batch outer(feed);
        const ViewFeed::Batch inner(feed);
        feed.Notify(ViewChange::TapStates);
        feed.Notify(ViewChange::PinLevels);
    }
    EXPECT_EQ(view.Deliveries, 1);
    EXPECT_EQ(view.Last, ViewChange::TapStates | ViewChange::PinLevels);

    // Frames count from the time of the last delivery, as the run gives it.
    feed.SetRunning(true);
    const auto start = time.At;
    constexpr auto Frame = ViewFeed::FrameInterval;
    feed.Notify(ViewChange::Waveforms);
    feed.DeliverIfDue(start + Frame - std::chrono::microseconds(1));
    EXPECT_EQ(view.Deliveries, 1) << "too soon";
    feed.DeliverIfDue(start + Frame);
    EXPECT_EQ(view.Deliveries, 2);
    feed.Notify(ViewChange::Waveforms);
    feed.DeliverIfDue(start + 2 * Frame - std::chrono::microseconds(1));
    EXPECT_EQ(view.Deliveries, 2) << "too soon after the delivery at the time given";
    time.At = start + 2 * Frame; // a check point without a time reads the clock
    feed.DeliverIfDue();
    EXPECT_EQ(view.Deliveries, 3);
    feed.Notify(ViewChange::Waveforms);
    feed.SetRunning(false);
    EXPECT_EQ(view.Deliveries, 4) << "the end of a run delivers what is left";
}

// Three views follow a run played in slices, as a window plays it; one
// closes between two slices. The fixture's clock moves a millisecond at each
// read, so the run's frames and slices follow its events.
TEST(ViewFeed, ViewsFollowRunsAndEndExact) {
    EngineFixture f;
    f.Open("RST;\nLD CNT,100000d;\nNSHF 0h;\nHALT;");
    ProbeView first;
    ProbeView third;
    auto second = std::make_unique<ProbeView>();
    auto subFirst = f.Eng.Views().Subscribe(first);
    auto subSecond = std::make_unique<ViewFeed::Subscription>(f.Eng.Views().Subscribe(*second));
    auto subThird = f.Eng.Views().Subscribe(third);
    f.Eng.Run().SetContinuous(true);
    int slices = 0;
    for (bool ended = false; !ended; ++slices) {
        const ViewFeed::Batch command(f.Eng.Views());
        ended = f.Eng.Run()
                    .Play({.Goal = RunGoal::End, .MaxTime = std::chrono::milliseconds(16)})
                    .GoalReached;
        subSecond.reset();
        second.reset();
    }
    const int duringRun = first.Deliveries;
    f.Eng.Run().SetContinuous(false); // the end of the run shows what is left
    EXPECT_EQ(f.Reporter.Status, "HALT");
    ASSERT_GE(slices, 2) << "the run must be long enough to close a view in it";
    EXPECT_GE(duringRun, 1);
    EXPECT_LT(first.Deliveries, 100) << "200,000 events are a few dozen frames";
    EXPECT_TRUE(first.Last.Has(ViewChange::Waveforms));
    EXPECT_EQ(third.Deliveries, first.Deliveries);

    // Event-by-Event: one refresh per event.
    f.Open("RST;\nHALT;");
    const int before = first.Deliveries;
    for (int i = 0; i < 2; ++i) {
        const ViewFeed::Batch command(f.Eng.Views());
        (void)f.Eng.Run().Play({.Goal = RunGoal::Event});
    }
    EXPECT_EQ(first.Deliveries, before + 2);
    EXPECT_TRUE(first.Last.Has(ViewChange::Waveforms));
}

TEST(EventStoreReading, RangesCrossChunksWithoutCopyingDescriptions) {
    EventStore store;
    TapEvent e;
    for (std::uint32_t i = 0; i < EventStore::ChunkSize + 10; ++i) {
        e.Line = static_cast<std::int32_t>(i);
        e.Description = i == EventStore::ChunkSize - 1 ? "NSHF" : "";
        store.Add(e);
    }
    std::vector<PackedEvent> block(20);
    ASSERT_EQ(store.ReadEvents(EventStore::ChunkSize - 5, block), 15U);
    EXPECT_EQ(block[0].Line, static_cast<std::int32_t>(EventStore::ChunkSize - 5));
    EXPECT_EQ(block[14].Line, static_cast<std::int32_t>(EventStore::ChunkSize + 9));
    EXPECT_EQ(store.DescriptionOf(block[4]), "NSHF");
    EXPECT_EQ(store.DescriptionOf(block[5]), "");
    EXPECT_EQ(store.ReadEvents(EventStore::ChunkSize + 10, block), 0U);
    EXPECT_EQ(store.ReadEvent(EventStore::ChunkSize + 10).Line, 0) << "past the end: zero event";
}

} // namespace
} // namespace scanbench::testing
