#include "engine/event_store.h"

#include <algorithm>

namespace scanbench {

void EventStore::Init() {
    Done(); // a store initialised twice gives its chunks back, too
    Chunks.resize(1);
    Descriptions.Reset();
    // Room for every spare chunk now, so that giving chunks back never needs
    // memory (it happens when memory has run out, too).
    Spare.reserve(SpareChunks);
}

void EventStore::Done() {
    // Free from the newest chunk down, as the chunks were allocated upwards.
    while (!Chunks.empty()) {
        Recycle(std::move(Chunks.back()));
        Chunks.pop_back();
    }
    Played = 0;
    Count = 0;
    // The cursor and chunk index go back too, so that a store used after Done
    // without Init never addresses a chunk it no longer holds.
    Cursor = 0;
    LastChunk = 0;
    LastIndex = 0;
    NextSlot = 0;
}

std::unique_ptr<EventStore::Chunk> EventStore::NewChunk() {
    if (Spare.empty()) {
        // Left uninitialised: slots are written before they are read.
        return std::make_unique_for_overwrite<Chunk>();
    }
    std::unique_ptr<Chunk> chunk = std::move(Spare.back());
    Spare.pop_back();
    return chunk;
}

void EventStore::Recycle(std::unique_ptr<Chunk> chunk) {
    if (chunk && Spare.size() < SpareChunks) {
        Spare.push_back(std::move(chunk));
    }
}

void EventStore::AddInNewChunk(const PackedEvent& event) {
    if (Count == 0) {
        if (Chunks.empty()) {
            Chunks.resize(1);
        }
        if (!Chunks[0]) {
            Chunks[0] = NewChunk();
        }
        LastIndex = 0;
    } else {
        // Allocated before anything changes: when memory runs out, the store
        // stays as it was.
        std::unique_ptr<Chunk> chunk = NewChunk();
        Chunks.push_back(std::move(chunk));
        ++LastIndex;
        ++LastChunk;
    }
    (*Chunks.back())[0] = event;
    NextSlot = 1;
    ++Count;
}

TEvento EventStore::GetEvent(std::uint32_t index) const {
    if (!Holds(index)) {
        return {};
    }
    const PackedEvent& e = (*Chunks[index / ChunkSize])[index % ChunkSize];
    return Unpack(e, Descriptions.Text(e.Description));
}

std::size_t EventStore::ReadEvents(std::uint32_t first, std::span<PackedEvent> out) const {
    if (!Holds(first)) {
        return 0;
    }
    const std::size_t wanted =
        std::min<std::size_t>(out.size(), std::size_t{LastIndex} - first + 1);
    std::size_t copied = 0;
    while (copied < wanted) {
        const std::size_t index = first + copied;
        const Chunk& chunk = *Chunks[index / ChunkSize];
        const std::size_t offset = index % ChunkSize;
        const std::size_t run = std::min(wanted - copied, std::size_t{ChunkSize} - offset);
        std::copy_n(chunk.begin() + static_cast<std::ptrdiff_t>(offset), run,
                    out.begin() + static_cast<std::ptrdiff_t>(copied));
        copied += run;
    }
    return copied;
}

bool EventStore::NextEvent(TEvento& event) {
    const PackedEvent* next = PeekNext();
    if (next == nullptr) {
        event = TEvento{};
        return false;
    }
    event = Unpack(*next, Descriptions.Text(next->Description));
    AdvanceCursor();
    return true;
}

bool EventStore::PutEvent(std::uint32_t index, const TEvento& event) {
    if (!Holds(index)) {
        return false;
    }
    StoredEvent(index) = Pack(event);
    return true;
}

void EventStore::DropNewest(std::uint32_t keep) {
    keep = std::max(keep, Played);
    if (keep >= Count) {
        return;
    }
    if (keep == 0) {
        Clear();
        return;
    }
    LastIndex = keep - 1;
    LastChunk = LastIndex / ChunkSize;
    while (Chunks.size() > LastChunk + std::size_t{1}) {
        Recycle(std::move(Chunks.back()));
        Chunks.pop_back();
    }
    NextSlot = LastIndex % ChunkSize + 1;
    Count = keep;
}

void EventStore::KeepLastChunks(std::uint8_t k) {
    if (k == 0 || LastChunk <= k) {
        return;
    }
    const std::uint32_t d = LastChunk - k;
    for (std::uint32_t i = 0; i < d; ++i) {
        Recycle(std::move(Chunks[i]));
    }
    Chunks.erase(Chunks.begin(), Chunks.begin() + d);
    const std::uint32_t shift = d * ChunkSize;
    Played -= shift;
    Count -= shift;
    LastIndex -= shift;
    Cursor -= shift;
    LastChunk = k;
}

} // namespace scanbench
