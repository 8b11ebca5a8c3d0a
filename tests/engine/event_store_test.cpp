#include "engine/event_store.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEvento Numbered(std::int32_t n) {
    TEvento e;
    e.Line = n;
    e.TCK = static_cast<std::uint8_t>(n & 1);
    return e;
}

void Fill(EventStore& store, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
        store.Add(Numbered(i));
    }
}

TEST(EventStore, EmptyStoreYieldsZeroEvents) {
    EventStore store;
    EXPECT_EQ(store.EventCount(), 0U);
    EXPECT_EQ(store.PlayedCount(), 0U);
    TEvento e = Numbered(7);
    EXPECT_FALSE(store.NextEvent(e));
    EXPECT_EQ(e, TEvento{});
    EXPECT_EQ(store.GetEvent(0), TEvento{});
    EXPECT_FALSE(store.PutEvent(0, Numbered(1)));
    EXPECT_EQ(store.PeekNext(), nullptr);
}

TEST(EventStore, IndexMinusOneTakenAsUnsignedYieldsTheZeroEvent) {
    EventStore store;
    Fill(store, 3);
    EXPECT_EQ(store.GetEvent(static_cast<std::uint32_t>(-1)), TEvento{});
    EXPECT_FALSE(store.PutEvent(static_cast<std::uint32_t>(-1), Numbered(9)));
}

TEST(EventStore, ChunkBoundary) {
    EventStore store;
    Fill(store, 50000);
    EXPECT_EQ(store.GetLastChunk(), 0U);
    EXPECT_EQ(store.LastEventIndex(), 49999U);
    store.Add(Numbered(50000));
    EXPECT_EQ(store.GetLastChunk(), 1U);
    EXPECT_EQ(store.EventCount(), 50001U);
    EXPECT_EQ(store.GetEvent(49999).Line, 49999);
    EXPECT_EQ(store.GetEvent(50000).Line, 50000);
    // A stored event keeps its address while the store grows.
    const PackedEvent* first = &store.StoredEvent(0);
    Fill(store, 200000);
    EXPECT_EQ(first, &store.StoredEvent(0));
    EXPECT_EQ(store.GetEvent(0).Line, 0);
}

// Undoing a statement that ran out of memory: the next event takes the first
// dropped place, never a kept one, within a chunk and across a boundary.
TEST(EventStore, DropNewestKeepsTheOlderEventsIntact) {
    constexpr auto Chunk = static_cast<std::int32_t>(EventStore::ChunkSize);
    struct Case {
        std::int32_t Filled;
        std::uint32_t Keep;
    };
    for (const Case c : {Case{10, 5}, Case{Chunk + 5, Chunk}, Case{Chunk + 5, Chunk - 2},
                         Case{2 * Chunk + 1, Chunk + 1}}) {
        EventStore store;
        Fill(store, c.Filled);
        store.DropNewest(c.Keep);
        EXPECT_EQ(store.EventCount(), c.Keep) << c.Filled << " " << c.Keep;
        store.Add(Numbered(-7));
        EXPECT_EQ(store.EventCount(), c.Keep + 1);
        for (const std::uint32_t kept : {0U, c.Keep / 2, c.Keep - 1}) {
            EXPECT_EQ(store.GetEvent(kept).Line, static_cast<std::int32_t>(kept))
                << c.Filled << " " << c.Keep;
        }
        EXPECT_EQ(store.GetEvent(c.Keep).Line, -7);
        EXPECT_EQ(store.GetEvent(c.Keep + 1), TEvento{});
    }

    EventStore played; // events already played are never dropped
    Fill(played, 10);
    TEvento e;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(played.NextEvent(e));
    }
    played.DropNewest(1);
    EXPECT_EQ(played.EventCount(), 3U);
    played.Add(Numbered(-7));
    EXPECT_EQ(played.GetEvent(2).Line, 2);
    EXPECT_EQ(played.GetEvent(3).Line, -7);
}

TEST(EventStore, NextEventHandsOutInOrderThenStops) {
    EventStore store;
    Fill(store, 3);
    TEvento e;
    for (std::int32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(store.NextEvent(e));
        EXPECT_EQ(e.Line, i);
        EXPECT_EQ(store.PlayedCount(), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_FALSE(store.NextEvent(e));
    EXPECT_EQ(e, TEvento{});
    EXPECT_EQ(store.PlayedCount(), 3U);
    store.Add(Numbered(3));
    ASSERT_TRUE(store.NextEvent(e));
    EXPECT_EQ(e.Line, 3);
}

TEST(EventStore, PutThenGetReturnsTheWrittenEventWithItsDescription) {
    EventStore store;
    Fill(store, 60000);
    TEvento e = Numbered(42);
    e.Description = "STATE -> DRSHIFT with a long description";
    e.RX = 1;
    e.ValidRX = 1;
    ASSERT_TRUE(store.PutEvent(55000, e));
    EXPECT_EQ(store.GetEvent(55000), e);
    EXPECT_FALSE(store.PutEvent(100000, e)) << "beyond the last chunk";
}

TEST(EventStore, KeepLastChunksFreesTheOldestAndRenumbers) {
    EventStore store;
    Fill(store, 5 * 50000 + 10); // chunks 0..5
    TEvento e;
    while (store.NextEvent(e)) {
    }
    ASSERT_EQ(store.GetLastChunk(), 5U);
    store.KeepLastChunks(2);
    EXPECT_EQ(store.GetLastChunk(), 2U);
    EXPECT_EQ(store.EventCount(), 100010U);
    EXPECT_EQ(store.PlayedCount(), 100010U);
    EXPECT_EQ(store.LastEventIndex(), 100009U);
    EXPECT_EQ(store.GetEvent(0).Line, 150000);
    EXPECT_EQ(store.GetEvent(100009).Line, 250009);
    EXPECT_EQ(store.GetEvent(100010), TEvento{});
    // Appending and playing continue at the renumbered end.
    store.Add(Numbered(-5));
    ASSERT_TRUE(store.NextEvent(e));
    EXPECT_EQ(e.Line, -5);
}

TEST(EventStore, KeepLastChunksOfZeroOrOfFewChunksDoesNothing) {
    EventStore store;
    Fill(store, 3 * 50000);
    store.KeepLastChunks(0);
    EXPECT_EQ(store.EventCount(), 150000U);
    store.KeepLastChunks(2);
    EXPECT_EQ(store.EventCount(), 150000U);
    EXPECT_EQ(store.GetEvent(0).Line, 0);
}

TEST(EventStore, ClearAndDoneLeaveAUsableEmptyStore) {
    EventStore store;
    Fill(store, 120000);
    TEvento e;
    ASSERT_TRUE(store.NextEvent(e));
    store.Clear();
    EXPECT_EQ(store.EventCount(), 0U);
    EXPECT_EQ(store.PlayedCount(), 0U);
    EXPECT_EQ(store.GetLastChunk(), 0U);
    EXPECT_FALSE(store.NextEvent(e));
    store.Done();
    EXPECT_EQ(store.GetEvent(0), TEvento{});
    EXPECT_FALSE(store.PutEvent(0, e));
    // Appending after Done alone starts a fresh first chunk.
    store.Add(Numbered(1));
    EXPECT_EQ(store.GetEvent(0).Line, 1);
    EXPECT_EQ(store.GetEvent(50000), TEvento{});
}

TEST(EventStore, EventsStayCompact) {
    EXPECT_LE(EventStore::BytesPerEvent, 64U);
}

} // namespace
} // namespace scanbench
