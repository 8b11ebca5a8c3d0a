#pragma once

#include "engine/events/description_table.h"
#include "engine/events/event.h"
#include "engine/events/event_record.h"
#include "engine/events/event_sequence.h"
#include "engine/events/packed_event.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scanbench {

// The store of recorded events: fixed chunks of ChunkSize events that never
// move once allocated, addressed through a growable array of chunks. Events
// are copied in and out by value as TapEvent (readers that show many take
// PackedEvent); inside, each is an EventRecord of four bytes, and what the
// events of a statement share is kept once per chunk. Indices count from
// the oldest event still held (see KeepLastChunks).
//
// A long statement's events are appended as an EventSequence: they count
// as held at once and read like any other, but they are written into the
// chunks only as playback reaches them. A few freed chunks are kept for
// reuse, so that long runs that flush or trim the store do not go back to
// the system for fresh memory on every chunk.
class EventStore {
public:
    static constexpr std::uint32_t ChunkSize = 50000;
    // Freed chunks kept for reuse at most.
    static constexpr std::size_t SpareChunks = 4;
    // Bytes of chunk memory one event occupies; each chunk's table of
    // origins comes on top, a few entries where statements are long.
    static constexpr std::size_t BytesPerEvent = sizeof(std::uint32_t);

    EventStore() { Init(); }
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;

    // Empty store: one chunk slot holding no chunk, all counters 0.
    void Init();
    // Frees every chunk and leaves no chunk slot at all.
    void Done();
    // Done followed by Init.
    void Clear() {
        Done();
        Init();
    }

    void Add(const TapEvent& event);
    // Appends `count` events whose levels `levels` makes. The first takes
    // its line, TAP, sync outputs and description from `first`, the others
    // the same without the description; all other levels start at 0.
    void AddSequence(const TapEvent& first, std::uint64_t count,
                     std::unique_ptr<const EventSequence> levels);

    // A copy of the event at index; the zero event for an index that holds no
    // event (an empty store, past the last event, index -1 taken as unsigned).
    [[nodiscard]] TapEvent GetEvent(std::uint32_t index) const;
    // Readers that show many events (views, exports) take them packed, a
    // range at a time, and look up descriptions without copying them.
    // The packed event at index; the zero event for an index that holds none.
    [[nodiscard]] PackedEvent ReadEvent(std::uint32_t index) const;
    // Copies the events from `first` on into `out`, as many as fit and the
    // store holds; returns how many were copied.
    [[nodiscard]] std::size_t ReadEvents(std::uint32_t first, std::span<PackedEvent> out) const;
    // The description text of a packed event of this store; it stays valid
    // until the store is cleared.
    [[nodiscard]] std::string_view DescriptionOf(const PackedEvent& event) const {
        return Descriptions.Text(event.Description);
    }

    // Hands out the event at the play cursor and advances it; false and the
    // zero event when everything has been played.
    [[nodiscard]] bool NextEvent(TapEvent& event);
    // Overwrites the event at index; false (nothing written) when the index
    // holds no event.
    bool PutEvent(std::uint32_t index, const TapEvent& event);

    [[nodiscard]] std::uint32_t PlayedCount() const { return Played; }
    [[nodiscard]] std::uint32_t EventCount() const { return Count; }
    [[nodiscard]] std::uint32_t GetLastChunk() const {
        return Count > 0 ? (Count - 1) / ChunkSize : 0;
    }
    [[nodiscard]] std::uint32_t LastEventIndex() const { return Count > 0 ? Count - 1 : 0; }

    // Drops the newest events so that `keep` remain (never one already
    // played): undoes a statement that could not be translated whole.
    void DropNewest(std::uint32_t keep);

    // Frees all chunks but the last k + 1 and renumbers the events so that the
    // oldest kept chunk becomes chunk 0. Does nothing for k = 0 or when the
    // store holds no more than k + 1 chunks. Used only when every event has
    // been played.
    void KeepLastChunks(std::uint8_t k);
    // With k > 0, the chunks that KeepLastChunks(k) would free once a long
    // statement has been played are freed as soon as playback has left
    // them, so that the statement never holds all its events in memory at
    // once; 0 keeps every chunk until KeepLastChunks is called.
    void KeepLastChunksWhilePlaying(std::uint8_t k) { TrimWhilePlaying = k; }

    // Playback's access to the events at the play cursor, which it plays in
    // place: their records, with the table of origins of their chunk.
    struct Run {
        std::uint32_t* Records = nullptr;
        std::uint32_t Count = 0;
        const EventOrigin* Origins = nullptr;
    };
    // Up to `max` events from the play cursor on, within one chunk, written
    // from their sequence first; Count 0 when everything has been played.
    // Writing them may free played chunks (see KeepLastChunksWhilePlaying),
    // which renumbers the events.
    [[nodiscard]] Run PendingRun(std::uint32_t max);
    void AdvanceCursor(std::uint32_t count = 1) { Played += count; }
    // The record of an event written into its chunk (every played event
    // is), and its origin.
    struct Slot {
        std::uint32_t* Record = nullptr;
        const EventOrigin* Origin = nullptr;
    };
    [[nodiscard]] Slot StoredEvent(std::uint32_t index);
    // Chunks allocated for events: the store's memory is about this many
    // times ChunkSize events of BytesPerEvent.
    [[nodiscard]] std::size_t ChunksHeld() const;

private:
    struct Chunk {
        std::unique_ptr<std::uint32_t[]> Records; // ChunkSize slots, written before read
        std::vector<EventOrigin> Origins;         // indexed by the records' top bits
    };
    // The events [Made, Count): a sequence not yet written into the chunks.
    struct PendingSequence {
        std::unique_ptr<const EventSequence> Levels;
        std::uint64_t Next = 0; // position in the sequence of the event at Made
        EventOrigin First;      // of the sequence's first event
        EventOrigin Rest;       // of all the others
    };
    struct OriginHash {
        std::size_t operator()(const EventOrigin& o) const {
            return std::hash<std::uint64_t>()(
                (std::uint64_t{static_cast<std::uint32_t>(o.Line)} << 32) ^
                (std::uint64_t{o.Description} << 12) ^ (std::uint64_t{o.Tap} << 4) ^ o.Sync);
        }
    };

    [[nodiscard]] EventOrigin OriginOf(const TapEvent& event);
    [[nodiscard]] static std::uint32_t LevelsOf(const TapEvent& event);
    // The chunk of the event at Made, opened when needed; while playing,
    // opening a chunk first frees the played chunks the trim allows.
    [[nodiscard]] Chunk& ChunkForNext(bool whilePlaying);
    // Index of `origin` in the chunk's table, entered when it is new.
    [[nodiscard]] std::uint32_t OriginIndex(std::uint32_t chunk, const EventOrigin& origin);
    void CompactOrigins(Chunk& chunk);
    // Writes up to `max` events of the pending sequence into the chunk of
    // Made (fewer where the chunk or the sequence ends).
    void MakePending(std::uint32_t max, bool whilePlaying);
    // Writes the pending events up to index `end` (exclusive).
    void MakeUpTo(std::uint32_t end);
    // Frees the played chunks that the trim while playing allows.
    void TrimPlayedChunks();
    void DropFirstChunks(std::uint32_t d);
    // The event at index, which must be held.
    [[nodiscard]] PackedEvent Read(std::uint32_t index) const;
    [[nodiscard]] Chunk NewChunk();
    void Recycle(Chunk chunk);

    std::uint32_t Played = 0; // also the play cursor
    std::uint32_t Count = 0;
    std::uint32_t Made = 0; // events written into chunks, [0, Made)
    std::vector<Chunk> Chunks;
    std::optional<PendingSequence> Pending;
    std::uint8_t TrimWhilePlaying = 0;
    std::vector<Chunk> Spare;
    DescriptionTable Descriptions;
    // The origins of one chunk by value, for finding them when appending.
    std::unordered_map<EventOrigin, std::uint16_t, OriginHash> OriginsFound;
    std::uint32_t OriginsFoundChunk = UINT32_MAX;
};

} // namespace scanbench
