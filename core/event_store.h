#pragma once

#include "core/event.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace scanbench {

// The store of recorded events: fixed chunks of ChunkSize events that never
// move once allocated, addressed through a growable array of chunk pointers.
// Events are copied in and out by value. Indices count from the oldest event
// still held (see KeepLastChunks).
class EventStore {
public:
    static constexpr std::uint32_t ChunkSize = 50000;
    using Chunk = std::array<TEvento, ChunkSize>;

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

    void Add(const TEvento& event) { StoredEvent(AppendIndex()) = event; }

    // A copy of the event at index; the zero event for an empty store or an
    // index beyond the last chunk (index -1 taken as unsigned included).
    [[nodiscard]] TEvento GetEvent(std::uint32_t index) const;
    // Hands out the event at the play cursor and advances it; false and the
    // zero event when everything has been played.
    [[nodiscard]] bool NextEvent(TEvento& event);
    // Overwrites the event at index; false for an empty store.
    bool PutEvent(std::uint32_t index, const TEvento& event);

    [[nodiscard]] std::uint32_t PlayedCount() const { return Played; }
    [[nodiscard]] std::uint32_t EventCount() const { return Count; }
    [[nodiscard]] std::uint32_t GetLastChunk() const { return LastChunk; }
    [[nodiscard]] std::uint32_t LastEventIndex() const { return LastIndex; }

    // Frees all chunks but the last k + 1 and renumbers the events so that the
    // oldest kept chunk becomes chunk 0. Does nothing for k = 0 or when the
    // store holds no more than k + 1 chunks.
    void KeepLastChunks(std::uint8_t k);

    // Direct access for playback, which reads the next event and writes its
    // samples back without copying the description text. The index must be
    // that of a stored event.
    [[nodiscard]] const TEvento* PeekNext() const;
    void AdvanceCursor() {
        ++Cursor;
        ++Played;
    }
    [[nodiscard]] TEvento& StoredEvent(std::uint32_t index) {
        return (*Chunks[index / ChunkSize])[index % ChunkSize];
    }

    // Bytes of chunk memory one event occupies.
    static constexpr std::size_t BytesPerEvent = sizeof(TEvento);

private:
    // Reserves the slot for one more event and returns its index.
    std::uint32_t AppendIndex() {
        if (!HasFirstChunk() || (LastIndex + 1) % ChunkSize == 0) {
            return AppendInNewChunk();
        }
        ++Count;
        return ++LastIndex;
    }
    // The slow path of AppendIndex: the first event, or one that opens a chunk.
    std::uint32_t AppendInNewChunk();
    [[nodiscard]] bool HasFirstChunk() const { return !Chunks.empty() && Chunks[0] != nullptr; }

    std::uint32_t Played = 0;
    std::uint32_t Count = 0;
    std::uint32_t LastIndex = 0;
    std::uint32_t LastChunk = 0;
    std::vector<std::unique_ptr<Chunk>> Chunks;
    std::uint32_t Cursor = 0;
};

} // namespace scanbench
