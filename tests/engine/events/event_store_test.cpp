#include "engine/events/event_store.h"
#include "engine/interpreter/shift_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace scanbench {
namespace {

TapEvent Numbered(std::int32_t n) {
    TapEvent e;
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
    TapEvent e = Numbered(7);
    EXPECT_FALSE(store.NextEvent(e));
    EXPECT_EQ(e, TapEvent{});
    EXPECT_EQ(store.GetEvent(0), TapEvent{});
    EXPECT_FALSE(store.PutEvent(0, Numbered(1)));
    EXPECT_EQ(store.PendingRun(1).Count, 0U);
}

TEST(EventStore, IndexMinusOneTakenAsUnsignedYieldsTheZeroEvent) {
    EventStore store;
    Fill(store, 3);
    EXPECT_EQ(store.GetEvent(static_cast<std::uint32_t>(-1)), TapEvent{});
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
    const std::uint32_t* first = store.StoredEvent(0).Record;
    Fill(store, 200000);
    EXPECT_EQ(first, store.StoredEvent(0).Record);
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
        EXPECT_EQ(store.GetEvent(c.Keep + 1), TapEvent{});
    }

    EventStore played; // events already played are never dropped
    Fill(played, 10);
    TapEvent e;
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
    TapEvent e;
    for (std::int32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(store.NextEvent(e));
        EXPECT_EQ(e.Line, i);
        EXPECT_EQ(store.PlayedCount(), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_FALSE(store.NextEvent(e));
    EXPECT_EQ(e, TapEvent{});
    EXPECT_EQ(store.PlayedCount(), 3U);
    store.Add(Numbered(3));
    ASSERT_TRUE(store.NextEvent(e));
    EXPECT_EQ(e.Line, 3);
}

TEST(EventStore, PutThenGetReturnsTheWrittenEventWithItsDescription) {
    EventStore store;
    Fill(store, 60000);
    TapEvent e = Numbered(42);
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
    TapEvent e;
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
    EXPECT_EQ(store.GetEvent(100010), TapEvent{});
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
    TapEvent e;
    ASSERT_TRUE(store.NextEvent(e));
    store.Clear();
    EXPECT_EQ(store.EventCount(), 0U);
    EXPECT_EQ(store.PlayedCount(), 0U);
    EXPECT_EQ(store.GetLastChunk(), 0U);
    EXPECT_FALSE(store.NextEvent(e));
    store.Done();
    EXPECT_EQ(store.GetEvent(0), TapEvent{});
    EXPECT_FALSE(store.PutEvent(0, e));
    // Appending after Done alone starts a fresh first chunk.
    store.Add(Numbered(1));
    EXPECT_EQ(store.GetEvent(0).Line, 1);
    EXPECT_EQ(store.GetEvent(50000), TapEvent{});
}

// Events [0, count) of a sequence: TCK follows bit 0 of the number, TX bit
// 1, TMS bit 2, so that any event read from the wrong place shows.
class Counting final : public EventSequence {
public:
    void Make(std::uint64_t first, std::span<std::uint32_t> out) const override {
        for (std::size_t i = 0; i < out.size(); ++i) {
            const std::uint64_t k = first + i;
            out[i] = static_cast<std::uint32_t>(k & 1) * PackedEvent::TCK |
                     static_cast<std::uint32_t>((k >> 1) & 1) * PackedEvent::TX |
                     static_cast<std::uint32_t>((k >> 2) & 1) * PackedEvent::TMS;
        }
    }
};

TapEvent Described(std::int32_t line, std::string description) {
    TapEvent e;
    e.Line = line;
    e.Tap = 1;
    e.SOA = 1;
    e.Description = std::move(description);
    return e;
}

std::vector<TapEvent> All(const EventStore& store) {
    std::vector<TapEvent> events;
    for (std::uint32_t i = 0; i < store.EventCount(); ++i) {
        events.push_back(store.GetEvent(i));
    }
    return events;
}

// Plays everything the way playback does: a run at a time, in place.
void PlayAll(EventStore& store, std::size_t* mostChunks = nullptr) {
    while (true) {
        const EventStore::Run run = store.PendingRun(4096);
        if (run.Count == 0) {
            return;
        }
        for (std::uint32_t k = 0; k < run.Count; ++k) {
            run.Records[k] |= PackedEvent::RX; // a sample
        }
        store.AdvanceCursor(run.Count);
        if (mostChunks != nullptr) {
            *mostChunks = std::max(*mostChunks, store.ChunksHeld());
        }
    }
}

TEST(EventStoreSequence, ReadsTheSameBeforeAndAfterItIsWrittenAcrossChunks) {
    EventStore store;
    Fill(store, 49990);
    store.AddSequence(Described(7, "NSHF"), 100, std::make_unique<Counting>());
    ASSERT_EQ(store.EventCount(), 50090U);
    EXPECT_EQ(store.GetLastChunk(), 1U);
    const TapEvent first = store.GetEvent(49990);
    EXPECT_EQ(first.Description, "NSHF");
    EXPECT_EQ(first.Line, 7);
    EXPECT_EQ(first.SOA, 1);
    const TapEvent sixth = store.GetEvent(49995);
    EXPECT_EQ(sixth.Description, "") << "only the first event carries the description";
    const std::array<int, 4> levels{sixth.TCK, sixth.TX, sixth.TMS, sixth.Tap};
    EXPECT_EQ(levels, (std::array<int, 4>{1, 0, 1, 1})) << "TCK, TX, TMS of number 5, TAP";
    const std::vector<TapEvent> before = All(store);
    // Played half-way: a range read crosses from written events to made ones.
    TapEvent e;
    for (int i = 0; i < 50010; ++i) {
        ASSERT_TRUE(store.NextEvent(e));
    }
    std::vector<PackedEvent> range(60);
    ASSERT_EQ(store.ReadEvents(49980, range), 60U);
    for (std::uint32_t k = 0; k < range.size(); ++k) {
        EXPECT_EQ(Unpack(range[k], std::string(store.DescriptionOf(range[k]))), before[49980 + k])
            << "event " << 49980 + k;
    }
    while (store.NextEvent(e)) {
    }
    EXPECT_EQ(All(store), before);
}

TEST(EventStoreSequence, AppendingOverwritingAndDroppingWhileItIsUnwritten) {
    EventStore store;
    store.AddSequence(Described(3, "NTCK"), 1000, std::make_unique<Counting>());
    TapEvent put = Described(9, "mine");
    put.RX = 1;
    ASSERT_TRUE(store.PutEvent(500, put));
    EXPECT_EQ(store.GetEvent(500), put);
    EXPECT_EQ(store.GetEvent(501).Line, 3);
    store.Add(Numbered(-1)); // after all of the sequence
    EXPECT_EQ(store.EventCount(), 1001U);
    EXPECT_EQ(store.GetEvent(1000).Line, -1);
    EXPECT_EQ(store.GetEvent(999).TCK, 1);

    store.AddSequence(Described(4, "NSHF"), 300000, std::make_unique<Counting>());
    store.DropNewest(1001); // the statement is undone before anything is written
    EXPECT_EQ(store.EventCount(), 1001U);
    EXPECT_EQ(store.GetEvent(1001), TapEvent{});
    store.AddSequence(Described(5, "NSHF"), 10, std::make_unique<Counting>());
    EXPECT_EQ(store.GetEvent(1001).Line, 5);
}

// Without Active mode a statement of millions of events never holds them
// all, and once played the store holds what the trim before the next
// statement would have left.
TEST(EventStoreSequence, TrimWhilePlayingHoldsFewChunksAndEndsAsTheTrimWould) {
    EventStore trimmed;
    EventStore whole;
    for (EventStore* store : {&trimmed, &whole}) {
        Fill(*store, 70000);
        PlayAll(*store);
        store->AddSequence(Described(2, "NSHF"), 1000003, std::make_unique<Counting>());
    }
    trimmed.KeepLastChunksWhilePlaying(2);
    std::size_t mostChunks = 0;
    PlayAll(trimmed, &mostChunks);
    PlayAll(whole);
    whole.KeepLastChunks(2);
    EXPECT_LE(mostChunks, 4U);
    EXPECT_EQ(trimmed.ChunksHeld(), 3U);
    EXPECT_EQ(trimmed.EventCount(), whole.EventCount());
    EXPECT_EQ(trimmed.PlayedCount(), whole.PlayedCount());
    EXPECT_EQ(All(trimmed), All(whole));
    trimmed.KeepLastChunks(2);
    EXPECT_EQ(trimmed.EventCount(), whole.EventCount()) << "nothing left to trim";
}

TEST(EventStoreSequence, ShiftSequenceMadeInAnyPiecesIsTheSame) {
    // A5C3h sends 1010 0101 1100 0011; ten bits end on a 1, and twenty
    // more are sent as 0.
    for (const std::uint64_t cycles : {10, 30}) {
        const ShiftSequence shift(*ShiftBits("A5C3h"), cycles);
        std::vector<std::uint32_t> whole(shift.Size());
        shift.Make(0, whole);
        EXPECT_EQ(whole[0], 0U | PackedEvent::TX) << "bit 0 is A's most significant bit";
        EXPECT_EQ(whole[1], PackedEvent::TX | PackedEvent::TCK);
        const std::uint32_t lastTx = cycles == 10 ? unsigned{PackedEvent::TX} : 0U;
        EXPECT_EQ(whole[2 * cycles - 2], lastTx | PackedEvent::TMS) << "the last bit leaves";
        EXPECT_EQ(whole[2 * cycles], lastTx | PackedEvent::TMS) << "closing, last TX kept";
        EXPECT_EQ(whole[2 * cycles + 1], lastTx);
        for (std::size_t first = 0; first < whole.size(); ++first) {
            for (std::size_t n = 1; first + n <= whole.size(); n += 3) {
                std::vector<std::uint32_t> piece(n);
                shift.Make(first, piece);
                ASSERT_TRUE(std::equal(piece.begin(), piece.end(), whole.begin() + first))
                    << first << "+" << n;
            }
        }
    }
    EXPECT_FALSE(ShiftBits("12G4h"));
}

// A chunk's table of origins holds what its events share; overwriting
// events one by one with ever new lines must not overflow it.
TEST(EventStore, OverwritingWithManyOriginsKeepsEveryEvent) {
    EventStore store;
    Fill(store, 50000);
    for (std::int32_t round = 0; round < 2; ++round) {
        for (std::int32_t i = 0; i < 50000; ++i) {
            ASSERT_TRUE(store.PutEvent(static_cast<std::uint32_t>(i), Numbered(round * 50000 + i)));
        }
    }
    for (std::uint32_t i = 0; i < 50000; i += 4999) {
        EXPECT_EQ(store.GetEvent(i), Numbered(50000 + static_cast<std::int32_t>(i)));
    }
}

TEST(EventStore, EventsStayCompact) {
    EXPECT_LE(EventStore::BytesPerEvent, 4U);
}

} // namespace
} // namespace scanbench
