#pragma once

#include <cstdint>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class PlaybackObserver;
class SignalPort;
class TapModels;
class ViewFeed;
struct PackedEvent;

// Plays recorded events one at a time: moves the TAP models on rising TCK
// edges, drives the port, samples RX, SIA and SIB back into the event, judges
// whether RX carried device data and carries out NSHFCP comparisons.
class Playback {
public:
    Playback(EngineState& state, TapModels& taps, SignalPort& port, EngineDisplay& display,
             ViewFeed& views)
        : State(state), Taps(taps), Port(port), Display(display), Views(views) {}

    // Plays the next event; with nothing left to play it plays the zero event
    // and re-samples the inputs into the last event played.
    void PlayEvent();

    // Attaches the observer of played events (null detaches it). With none
    // attached playback costs one test per event more.
    void Observe(PlaybackObserver* observer) { Observer = observer; }

private:
    // The steps of one event, in the order they are taken.
    // Every playback counts as use of the simulation: Reset becomes usable.
    void MarkPlaybackStarted();
    // The event at the play cursor, which moves on; null when all are played.
    [[nodiscard]] PackedEvent* TakeNextEvent();
    // The last event played, or `none` when nothing has been played.
    [[nodiscard]] PackedEvent& LastPlayedEvent(PackedEvent& none);
    // The first event of a statement starts (NSHFCP) or ends a capture.
    void FollowStatementStart(const PackedEvent& event);
    // Decides whether the event is a rising TCK edge (stepping the model of
    // its port if so).
    bool DecideEdge(const PackedEvent& event);
    // The event's levels become the lines' present levels.
    void LatchOutputs(const PackedEvent& event, bool played);
    // Whether RX of `tap` carries device data at this event.
    [[nodiscard]] bool JudgeRxValid(std::uint8_t tap, bool risingEdge);
    // Writes all outputs to the port and samples RX, SIA and SIB into `target`.
    void DriveAndSample(PackedEvent& target, bool valid);
    // Collects one received bit of a running NSHFCP (at an event that is not
    // a rising edge) and compares when the last one has arrived.
    void Capture();
    void FinishCapture(std::uint8_t tap);

    EngineState& State;
    TapModels& Taps;
    SignalPort& Port;
    EngineDisplay& Display;
    ViewFeed& Views;
    PlaybackObserver* Observer = nullptr;
};

} // namespace scanbench
