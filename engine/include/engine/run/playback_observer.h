#pragma once

#include "engine/events/packed_event.h"

#include <span>

namespace scanbench {

// Hears of every event playback plays, once its samples and the TAP states
// are written into it. A recorder attached here sees the events as they are
// played, without a second pass over the store.
class PlaybackObserver {
public:
    virtual ~PlaybackObserver() = default;
    // `event` has just been played.
    virtual void EventPlayed(const PackedEvent& event) = 0;
    // `events` have just been played, in this order: a run of events played
    // in one go hands them over together.
    virtual void EventsPlayed(std::span<const PackedEvent> events) {
        for (const PackedEvent& event : events) {
            EventPlayed(event);
        }
    }
    // Nothing was left to play: the inputs were sampled again into the last
    // event played, which EventPlayed reported before; `event` is its new
    // content.
    virtual void EventResampled(const PackedEvent& event) = 0;
};

} // namespace scanbench
