#pragma once

#include "engine/events/event_store.h"
#include "engine/feed/listener_list.h"
#include "engine/run/play_options.h"

#include <cstdint>
#include <string>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class PlaybackObserver;
class SignalPort;
class TapModels;
class ViewFeed;

// Plays recorded events one at a time: moves the TAP models on rising TCK
// edges, drives the port, samples RX, SIA and SIB back into the event, judges
// whether RX carried device data and carries out NSHFCP comparisons. Events
// played by hand take the same steps, minus those PlayOptions leave out.
class Playback {
public:
    Playback(EngineState& state, TapModels& taps, SignalPort& port, EngineDisplay& display,
             ViewFeed& views)
        : State(state), Taps(taps), Port(port), Display(display), Views(views) {}

    // Plays the next event; with nothing left to play it plays the zero event
    // and re-samples the inputs into the last event played.
    void PlayEvent();
    // The same with some steps left out or a recorder added.
    void PlayEvent(const PlayOptions& options);
    // Plays up to `count` of the recorded events not played yet, exactly as
    // that many PlayEvent() calls would, in one tight run: the per-event
    // notifications to the views are gathered into one (where the views
    // would take each at once, the events go through PlayEvent after all).
    // Returns how many were played.
    std::uint32_t PlayPending(std::uint32_t count);

    // Subscribes an observer of the events played. With none subscribed
    // playback costs one test per event more.
    [[nodiscard]] ListenerList<PlaybackObserver>::Subscription Observe(PlaybackObserver& observer) {
        return Observers.Subscribe(observer);
    }

private:
    // Events PlayPending plays in one block at most.
    static constexpr std::uint32_t BlockSize = 512;

    void Play(const PlayOptions& options);
    // Plays events of `run` (next at the play cursor) one by one, each
    // writing to the port and reading it before the next; returns how many:
    // all of them.
    std::uint32_t PlayEach(const EventStore::Run& run);
    // Plays events of `run` as one block: the models and the outputs of
    // every event first, then the port's writes and reads for all of them,
    // then the samples, captures and recorders; returns how many it played,
    // at least one (it stops before an event whose capture needs a read of
    // its own).
    std::uint32_t PlayBlock(const EventStore::Run& run);
    // PlayBlock's last part: the samples `inputs` of the first `n` events of
    // `run` go into their records; captures, read-outs and the recorder
    // follow. `risingTck` is TCK's bit when a high TCK is a rising edge.
    void TakeSamples(const EventStore::Run& run, std::uint32_t n, const std::uint8_t* inputs,
                     std::uint32_t risingTck);

    // The steps of one event, in the order they are taken.
    // Every playback makes the waveforms worth drawing; a program's first
    // playback since its code check starts its run (there is something to reset).
    void MarkPlaybackStarted(bool countsAsUse);
    // The first event of a statement starts (NSHFCP) or ends a capture.
    void FollowStatementStart(const EventOrigin& origin);
    // Decides whether an event with levels `levels` (PackedEvent bits) of
    // `origin` is a rising TCK edge (stepping the model of its port if so);
    // a new statement's first event ends the memory of a shift state when
    // statements are followed.
    bool DecideEdge(std::uint32_t levels, const EventOrigin& origin, bool followsStatements,
                    bool notifiesSteps = true);
    // The event's levels become the lines' present levels.
    void LatchOutputs(std::uint32_t levels, const EventOrigin& origin, bool played);
    // Whether RX of `tap` carries device data at this event.
    [[nodiscard]] bool JudgeRxValid(std::uint8_t tap, bool risingEdge, bool followsStatements);
    // Writes all outputs to the port and samples RX (and SIA and SIB) into `target`.
    void DriveAndSample(const EventStore::Slot& target, bool valid, bool samplesSyncInputs,
                        bool notifiesViews = true);
    // The record with the sampled inputs (SignalPort::InputBits) of an event
    // of `tap` put in; SIA and SIB only when `samplesSyncInputs`.
    [[nodiscard]] static std::uint32_t WithSamples(std::uint32_t record, std::uint8_t tap,
                                                   std::uint8_t inputs, bool samplesSyncInputs);
    // The record with the validity of RX and the models' states put in.
    [[nodiscard]] std::uint32_t WithJudgement(std::uint32_t record, bool valid) const;
    // The lines' present output levels as SignalPort::OutputBits, and the
    // same after LatchOutputs of a played event.
    [[nodiscard]] std::uint8_t OutputsNow() const;
    [[nodiscard]] static std::uint8_t WithOutputsOf(std::uint32_t levels, const EventOrigin& origin,
                                                    std::uint8_t outputs);
    // Collects one received bit of a running NSHFCP (at an event that is not
    // a rising edge) and compares when the last one has arrived.
    void Capture();
    // Collects the received bit `rx` and compares when it was the last one;
    // true then.
    bool Collect(std::uint8_t rx);
    void FinishCapture(std::uint8_t tap);
    // Appends RX of the selected TAP while fewer bits than its counter are held.
    void Record(std::string& received);
    // Within PlayPending: shows the read-outs when they are due after an event.
    void ShowReadoutsIfDue(bool captureFinished);

    EngineState& State;
    TapModels& Taps;
    SignalPort& Port;
    EngineDisplay& Display;
    ViewFeed& Views;
    ListenerList<PlaybackObserver> Observers;
    // Within PlayPending: a model stepped without telling the views yet;
    // the read-outs are due after the next event.
    bool RunStepped = false;
    bool ShowsReadoutsNext = false;
};

} // namespace scanbench
