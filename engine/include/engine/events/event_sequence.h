#pragma once

#include <cstdint>
#include <span>

namespace scanbench {

// The levels of a long run of events, made when they are needed instead of
// all at once: the store writes a block into its chunks just before the
// block is played, and readers look at any event by index without it being
// written. A statement shifting millions of bits is kept this way.
class EventSequence {
public:
    virtual ~EventSequence() = default;
    // Events [first, first + out.size()) as EventRecord bits: TMS, TCK and
    // TX, nothing else set.
    virtual void Make(std::uint64_t first, std::span<std::uint32_t> out) const = 0;
};

} // namespace scanbench
