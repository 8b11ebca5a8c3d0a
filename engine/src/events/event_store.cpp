#include "engine/events/event_store.h"

#include <algorithm>
#include <array>
#include <limits>

namespace scanbench {

namespace {

// A chunk's table of origins is indexed by sixteen bits.
constexpr std::size_t MaxOrigins = std::size_t{1} << 16;
static_assert(EventStore::ChunkSize <= MaxOrigins,
              "every event of a chunk can have its own origin");

} // namespace

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
    Pending.reset();
    Played = 0;
    Count = 0;
    Made = 0;
    OriginsFound.clear();
    OriginsFoundChunk = UINT32_MAX;
}

EventStore::Chunk EventStore::NewChunk() {
    if (Spare.empty()) {
        // Left uninitialised: slots are written before they are read.
        return {std::make_unique_for_overwrite<std::uint32_t[]>(ChunkSize), {}};
    }
    Chunk chunk = std::move(Spare.back());
    Spare.pop_back();
    return chunk;
}

void EventStore::Recycle(Chunk chunk) {
    if (chunk.Records && Spare.size() < SpareChunks) {
        chunk.Origins.clear();
        Spare.push_back(std::move(chunk));
    }
}

EventOrigin EventStore::OriginOf(const TapEvent& event) {
    const auto high = [](std::uint8_t level) { return level == 1 ? 1U : 0U; };
    return {event.Line, Descriptions.Intern(event.Description), event.Tap,
            static_cast<std::uint8_t>(high(event.SOA) | high(event.SOB) << 1)};
}

std::uint32_t EventStore::LevelsOf(const TapEvent& event) {
    return PackLevels(event) & EventRecord::LevelBits;
}

EventStore::Chunk& EventStore::ChunkForNext(bool whilePlaying) {
    if (whilePlaying && Made % ChunkSize == 0 && Made > 0) {
        TrimPlayedChunks(); // before allocating: a freed chunk is used again
    }
    const std::uint32_t chunk = Made / ChunkSize;
    if (chunk < Chunks.size() && Chunks[chunk].Records) {
        return Chunks[chunk];
    }
    // Allocated before anything changes: when memory runs out, the store
    // stays as it was.
    Chunk fresh = NewChunk();
    if (chunk >= Chunks.size()) {
        Chunks.resize(chunk + 1);
    }
    Chunks[chunk] = std::move(fresh);
    return Chunks[chunk];
}

std::uint32_t EventStore::OriginIndex(std::uint32_t chunkIndex, const EventOrigin& origin) {
    Chunk& chunk = Chunks[chunkIndex];
    if (OriginsFoundChunk != chunkIndex) {
        OriginsFound.clear();
        for (std::size_t i = 0; i < chunk.Origins.size(); ++i) {
            OriginsFound.emplace(chunk.Origins[i], static_cast<std::uint16_t>(i));
        }
        OriginsFoundChunk = chunkIndex;
    }
    if (const auto it = OriginsFound.find(origin); it != OriginsFound.end()) {
        return it->second;
    }
    if (chunk.Origins.size() == MaxOrigins) {
        // Only overwriting events can fill the table: it is full of origins
        // no event uses any more.
        CompactOrigins(chunk);
        OriginsFoundChunk = UINT32_MAX;
        return OriginIndex(chunkIndex, origin);
    }
    const auto index = static_cast<std::uint16_t>(chunk.Origins.size());
    chunk.Origins.push_back(origin);
    OriginsFound.emplace(origin, index);
    return index;
}

void EventStore::CompactOrigins(Chunk& chunk) {
    const std::uint32_t first = static_cast<std::uint32_t>(&chunk - Chunks.data()) * ChunkSize;
    const std::uint32_t used = std::min(Made - first, ChunkSize);
    std::vector<EventOrigin> kept;
    std::vector<std::int32_t> moved(chunk.Origins.size(), -1);
    for (std::uint32_t slot = 0; slot < used; ++slot) {
        std::uint32_t& record = chunk.Records[slot];
        const std::uint32_t old = EventRecord::OriginIndex(record);
        if (moved[old] < 0) {
            moved[old] = static_cast<std::int32_t>(kept.size());
            kept.push_back(chunk.Origins[old]);
        }
        record = (record & ((1U << EventRecord::OriginShift) - 1)) |
                 static_cast<std::uint32_t>(moved[old]) << EventRecord::OriginShift;
    }
    chunk.Origins = std::move(kept);
}

void EventStore::Add(const TapEvent& event) {
    if (Pending) {
        MakeUpTo(Count);
    }
    const EventOrigin origin = OriginOf(event);
    Chunk& chunk = ChunkForNext(false);
    const std::uint32_t index = OriginIndex(Made / ChunkSize, origin);
    chunk.Records[Made % ChunkSize] = LevelsOf(event) | index << EventRecord::OriginShift;
    ++Made;
    ++Count;
}

void EventStore::AddSequence(const TapEvent& first, std::uint64_t count,
                             std::unique_ptr<const EventSequence> levels) {
    if (count == 0) {
        return;
    }
    if (Pending) {
        MakeUpTo(Count);
    }
    PendingSequence sequence{std::move(levels), 0, OriginOf(first), {}};
    sequence.Rest = sequence.First;
    sequence.Rest.Description = DescriptionTable::EmptyIndex;
    Pending = std::move(sequence);
    Count = static_cast<std::uint32_t>(Count + count);
}

void EventStore::MakePending(std::uint32_t max, bool whilePlaying) {
    PendingSequence& sequence = *Pending;
    Chunk& chunk = ChunkForNext(whilePlaying);
    const std::uint32_t chunkIndex = Made / ChunkSize;
    const std::uint32_t slot = Made % ChunkSize;
    const std::uint32_t n = std::min({max, ChunkSize - slot, Count - Made});
    std::uint32_t* out = chunk.Records.get() + slot;
    sequence.Levels->Make(sequence.Next, std::span(out, n));
    const std::uint32_t rest = OriginIndex(chunkIndex, sequence.Rest) << EventRecord::OriginShift;
    std::uint32_t k = 0;
    if (sequence.Next == 0) {
        out[0] |= OriginIndex(chunkIndex, sequence.First) << EventRecord::OriginShift;
        k = 1;
    }
    for (; k < n; ++k) {
        out[k] |= rest;
    }
    sequence.Next += n;
    Made += n;
    if (Made == Count) {
        Pending.reset();
    }
}

void EventStore::MakeUpTo(std::uint32_t end) {
    while (Made < end && Pending) {
        MakePending(end - Made, false);
    }
}

void EventStore::TrimPlayedChunks() {
    const std::uint32_t last = GetLastChunk();
    if (TrimWhilePlaying == 0 || last <= TrimWhilePlaying) {
        return;
    }
    DropFirstChunks(std::min(Played / ChunkSize, last - TrimWhilePlaying));
}

void EventStore::DropFirstChunks(std::uint32_t d) {
    if (d == 0) {
        return;
    }
    for (std::uint32_t i = 0; i < d && i < Chunks.size(); ++i) {
        Recycle(std::move(Chunks[i]));
    }
    Chunks.erase(Chunks.begin(), Chunks.begin() + static_cast<std::ptrdiff_t>(
                                                      std::min<std::size_t>(d, Chunks.size())));
    if (Chunks.empty()) {
        Chunks.resize(1);
    }
    const std::uint32_t shift = d * ChunkSize;
    Played -= shift;
    Count -= shift;
    Made -= shift;
    OriginsFound.clear();
    OriginsFoundChunk = UINT32_MAX;
}

PackedEvent EventStore::Read(std::uint32_t index) const {
    if (index < Made) {
        const Chunk& chunk = Chunks[index / ChunkSize];
        const std::uint32_t record = chunk.Records[index % ChunkSize];
        return EventRecord::Expand(record, chunk.Origins[EventRecord::OriginIndex(record)]);
    }
    const std::uint64_t at = Pending->Next + (index - Made);
    std::uint32_t levels = 0;
    Pending->Levels->Make(at, std::span(&levels, 1));
    return EventRecord::Expand(levels, at == 0 ? Pending->First : Pending->Rest);
}

PackedEvent EventStore::ReadEvent(std::uint32_t index) const {
    return index < Count ? Read(index) : PackedEvent{};
}

TapEvent EventStore::GetEvent(std::uint32_t index) const {
    if (index >= Count) {
        return {};
    }
    const PackedEvent e = Read(index);
    return Unpack(e, Descriptions.Text(e.Description));
}

std::size_t EventStore::ReadEvents(std::uint32_t first, std::span<PackedEvent> out) const {
    if (first >= Count) {
        return 0;
    }
    const std::size_t wanted = std::min<std::size_t>(out.size(), std::size_t{Count} - first);
    std::size_t copied = 0;
    // The events written into chunks, a chunk at a time.
    while (copied < wanted && first + copied < Made) {
        const std::size_t index = first + copied;
        const Chunk& chunk = Chunks[index / ChunkSize];
        const std::size_t offset = index % ChunkSize;
        const std::size_t run =
            std::min({wanted - copied, std::size_t{ChunkSize} - offset, std::size_t{Made} - index});
        const std::uint32_t* records = chunk.Records.get() + offset;
        for (std::size_t k = 0; k < run; ++k) {
            const std::uint32_t record = records[k];
            out[copied + k] =
                EventRecord::Expand(record, chunk.Origins[EventRecord::OriginIndex(record)]);
        }
        copied += run;
    }
    // Then those still to be made, from their sequence.
    std::array<std::uint32_t, 512> levels{};
    while (copied < wanted) {
        const std::uint64_t at = Pending->Next + (first + copied - Made);
        const std::size_t run = std::min(wanted - copied, levels.size());
        Pending->Levels->Make(at, std::span(levels.data(), run));
        for (std::size_t k = 0; k < run; ++k) {
            out[copied + k] =
                EventRecord::Expand(levels[k], at + k == 0 ? Pending->First : Pending->Rest);
        }
        copied += run;
    }
    return copied;
}

EventStore::Run EventStore::PendingRun(std::uint32_t max) {
    if (Played >= Count || max == 0) {
        return {};
    }
    if (Played == Made) {
        MakePending(max, true);
    }
    Chunk& chunk = Chunks[Played / ChunkSize];
    const std::uint32_t slot = Played % ChunkSize;
    const std::uint32_t n = std::min({max, ChunkSize - slot, Made - Played});
    return {chunk.Records.get() + slot, n, chunk.Origins.data()};
}

EventStore::Slot EventStore::StoredEvent(std::uint32_t index) {
    Chunk& chunk = Chunks[index / ChunkSize];
    std::uint32_t* record = &chunk.Records[index % ChunkSize];
    return {record, &chunk.Origins[EventRecord::OriginIndex(*record)]};
}

std::size_t EventStore::ChunksHeld() const {
    return static_cast<std::size_t>(std::count_if(
        Chunks.begin(), Chunks.end(), [](const Chunk& c) { return c.Records != nullptr; }));
}

bool EventStore::NextEvent(TapEvent& event) {
    const Run next = PendingRun(1);
    if (next.Count == 0) {
        event = TapEvent{};
        return false;
    }
    const std::uint32_t record = *next.Records;
    const PackedEvent e =
        EventRecord::Expand(record, next.Origins[EventRecord::OriginIndex(record)]);
    event = Unpack(e, Descriptions.Text(e.Description));
    AdvanceCursor();
    return true;
}

bool EventStore::PutEvent(std::uint32_t index, const TapEvent& event) {
    if (index >= Count) {
        return false;
    }
    MakeUpTo(index + 1);
    const std::uint32_t origin = OriginIndex(index / ChunkSize, OriginOf(event));
    Chunks[index / ChunkSize].Records[index % ChunkSize] =
        LevelsOf(event) | origin << EventRecord::OriginShift;
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
    if (keep <= Made) {
        Pending.reset();
        Made = keep;
        const std::uint32_t lastChunk = (keep - 1) / ChunkSize;
        while (Chunks.size() > lastChunk + std::size_t{1}) {
            Recycle(std::move(Chunks.back()));
            Chunks.pop_back();
        }
    }
    Count = keep;
}

void EventStore::KeepLastChunks(std::uint8_t k) {
    const std::uint32_t last = GetLastChunk();
    if (k == 0 || last <= k) {
        return;
    }
    MakeUpTo(std::min(Count, (last - k) * ChunkSize));
    DropFirstChunks(last - k);
}

} // namespace scanbench
