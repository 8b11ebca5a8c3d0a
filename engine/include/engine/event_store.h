#pragma once

#include "engine/description_table.h"
#include "engine/event.h"
#include "engine/packed_event.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace scanbench {

// The store of recorded events: fixed chunks of ChunkSize events that never
// move once allocated, addressed through a growable array of chunk pointers.
// Events are copied in and out by value as TEvento; inside, each is kept
// packed. Indices count from the oldest event still held (see
// KeepLastChunks). A few freed chunks are kept for reuse, so that long runs
// that flush or trim the store do not go back to the system for fresh memory
// on every chunk.
class EventStore {
public:
    static constexpr std::uint32_t ChunkSize = 50000;
    using Chunk = std::array<PackedEvent, ChunkSize>;
    // Freed chunks kept for reuse at most.
    static constexpr std::size_t SpareChunks = 4;

    EventStore() { Init(); }

    // Empty store: one chunk slot holding no chunk, all counters 0.
    void Init();
    // Frees every chunk and leaves no chunk slot at all.
    void Done();
    // Done followed by Init.
    void Clear() {
        Done();
        Init();
    }

    void Add(const TEvento& event) { AddPacked(Pack(event)); }
    void AddPacked(const PackedEvent& event) {
        if (Count > 0 && NextSlot < ChunkSize) {
            (*Chunks.back())[NextSlot++] = event;
            ++LastIndex;
            ++Count;
        } else {
            AddInNewChunk(event);
        }
    }

    // Appends `count` events, the k-th (from 0) being make(k), written
    // straight into the chunks: the way long runs of events are recorded.
    template <typename Make>
    void AddMade(std::uint64_t count, Make&& make) {
        for (std::uint64_t k = 0; k < count;) {
            if (Count == 0 || NextSlot == ChunkSize) {
                AddInNewChunk(make(k));
                ++k;
                continue;
            }
            const std::uint64_t room = ChunkSize - NextSlot;
            const auto run = static_cast<std::uint32_t>(count - k < room ? count - k : room);
            PackedEvent* out = Chunks.back()->data() + NextSlot;
            for (std::uint32_t r = 0; r < run; ++r) {
                out[r] = make(k + r);
            }
            NextSlot += run;
            LastIndex += run;
            Count += run;
            k += run;
        }
    }

    // A copy of the event at index; the zero event for an index that holds no
    // event (an empty store, past the last event, index -1 taken as unsigned).
    [[nodiscard]] TEvento GetEvent(std::uint32_t index) const;
    // Readers that show many events (views, exports) take them packed, a
    // range at a time, and look up descriptions without copying them.
    // The packed event at index; the zero event for an index that holds none.
    [[nodiscard]] PackedEvent ReadEvent(std::uint32_t index) const {
        return Holds(index) ? (*Chunks[index / ChunkSize])[index % ChunkSize] : PackedEvent{};
    }
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
    [[nodiscard]] bool NextEvent(TEvento& event);
    // Overwrites the event at index; false (nothing written) when the index
    // holds no event.
    bool PutEvent(std::uint32_t index, const TEvento& event);

    [[nodiscard]] std::uint32_t PlayedCount() const { return Played; }
    [[nodiscard]] std::uint32_t EventCount() const { return Count; }
    [[nodiscard]] std::uint32_t GetLastChunk() const { return LastChunk; }
    [[nodiscard]] std::uint32_t LastEventIndex() const { return LastIndex; }

    // Drops the newest events so that `keep` remain (never one already
    // played): undoes a statement that could not be translated whole.
    void DropNewest(std::uint32_t keep);

    // Frees all chunks but the last k + 1 and renumbers the events so that the
    // oldest kept chunk becomes chunk 0. Does nothing for k = 0 or when the
    // store holds no more than k + 1 chunks. Used only when every event has
    // been played.
    void KeepLastChunks(std::uint8_t k);

    // Direct access for playback, which reads the next event and writes its
    // samples back without unpacking it.
    [[nodiscard]] const PackedEvent* PeekNext() const {
        return Played < Count ? &(*Chunks[Cursor / ChunkSize])[Cursor % ChunkSize] : nullptr;
    }
    [[nodiscard]] PackedEvent* PeekNext() {
        return Played < Count ? &(*Chunks[Cursor / ChunkSize])[Cursor % ChunkSize] : nullptr;
    }
    void AdvanceCursor() {
        ++Cursor;
        ++Played;
    }
    // How many of the events not played yet follow one another in memory
    // from PeekNext() on (the rest of its chunk at most).
    [[nodiscard]] std::uint32_t PendingRun() const {
        const std::uint32_t inChunk = ChunkSize - Cursor % ChunkSize;
        return Count - Played < inChunk ? Count - Played : inChunk;
    }
    // The stored event at index, which must hold an event.
    [[nodiscard]] PackedEvent& StoredEvent(std::uint32_t index) {
        return (*Chunks[index / ChunkSize])[index % ChunkSize];
    }
    // The packed form of an event, its description entered in the table; for
    // writers that append long runs of events with AddPacked.
    [[nodiscard]] PackedEvent Pack(const TEvento& event) {
        return {event.Line, Descriptions.Intern(event.Description), PackLevels(event), event.Tap,
                0};
    }

    // Bytes of chunk memory one event occupies.
    static constexpr std::size_t BytesPerEvent = sizeof(PackedEvent);

private:
    void AddInNewChunk(const PackedEvent& event);
    [[nodiscard]] bool Holds(std::uint32_t index) const { return Count > 0 && index <= LastIndex; }
    [[nodiscard]] std::unique_ptr<Chunk> NewChunk();
    void Recycle(std::unique_ptr<Chunk> chunk);

    std::uint32_t Played = 0;
    std::uint32_t Count = 0;
    std::uint32_t LastIndex = 0;
    std::uint32_t LastChunk = 0;
    std::vector<std::unique_ptr<Chunk>> Chunks;
    std::uint32_t Cursor = 0;
    std::uint32_t NextSlot = 0; // slot of the next event in the last chunk
    std::vector<std::unique_ptr<Chunk>> Spare;
    DescriptionTable Descriptions;
};

} // namespace scanbench
