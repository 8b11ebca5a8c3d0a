#include "core/event_store.h"

namespace scanbench {

void EventStore::Init() {
    LastChunk = 0;
    Chunks.clear();
    Chunks.resize(1);
    Played = 0;
    Count = 0;
    Cursor = 0;
    LastIndex = 0;
}

void EventStore::Done() {
    // Free from the newest chunk down, as the chunks were allocated upwards.
    while (!Chunks.empty()) {
        Chunks.pop_back();
    }
    Chunks.shrink_to_fit();
    Played = 0;
    Count = 0;
    // The cursor and chunk index go back too, so that a store used after Done
    // without Init never addresses a chunk it no longer holds.
    Cursor = 0;
    LastChunk = 0;
    LastIndex = 0;
}

std::uint32_t EventStore::AppendInNewChunk() {
    if (!HasFirstChunk()) {
        if (Chunks.empty()) {
            Chunks.resize(1);
        }
        Chunks[0] = std::make_unique<Chunk>();
        LastIndex = 0;
    } else {
        ++LastIndex;
        ++LastChunk;
        Chunks.push_back(std::make_unique<Chunk>());
    }
    ++Count;
    return LastIndex;
}

TEvento EventStore::GetEvent(std::uint32_t index) const {
    if (!HasFirstChunk() || index / ChunkSize > LastChunk) {
        return {};
    }
    return (*Chunks[index / ChunkSize])[index % ChunkSize];
}

const TEvento* EventStore::PeekNext() const {
    if (!HasFirstChunk() || Cursor / ChunkSize > LastChunk || Played >= Count) {
        return nullptr;
    }
    return &(*Chunks[Cursor / ChunkSize])[Cursor % ChunkSize];
}

bool EventStore::NextEvent(TEvento& event) {
    const TEvento* next = PeekNext();
    if (next == nullptr) {
        event = TEvento{};
        return false;
    }
    event = *next;
    AdvanceCursor();
    return true;
}

bool EventStore::PutEvent(std::uint32_t index, const TEvento& event) {
    if (!HasFirstChunk() || index / ChunkSize > LastChunk) {
        return false;
    }
    StoredEvent(index) = event;
    return true;
}

void EventStore::KeepLastChunks(std::uint8_t k) {
    if (k == 0 || LastChunk <= k) {
        return;
    }
    const std::uint32_t d = LastChunk - k;
    Chunks.erase(Chunks.begin(), Chunks.begin() + d);
    const std::uint32_t shift = d * ChunkSize;
    Played -= shift;
    Count -= shift;
    LastIndex -= shift;
    Cursor -= shift;
    LastChunk = k;
}

} // namespace scanbench
