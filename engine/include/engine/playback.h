#pragma once

#include <cstdint>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class SignalPort;
class TapModels;
struct PackedEvent;

// Plays recorded events one at a time: moves the TAP models on rising TCK
// edges, drives the port, samples RX, SIA and SIB back into the event, judges
// whether RX carried device data and carries out NSHFCP comparisons.
class Playback {
public:
    Playback(EngineState& state, TapModels& taps, SignalPort& port, EngineDisplay& display)
        : State(state), Taps(taps), Port(port), Display(display) {}

    // Plays the next event; with nothing left to play it plays the zero event
    // and re-samples the inputs into the last event played.
    void PlayEvent();

private:
    // Decides whether the event is a rising TCK edge (stepping the model of
    // its port if so).
    bool DecideEdge(const PackedEvent& event);
    // Collects one received bit of a running NSHFCP (at an event that is not
    // a rising edge) and compares when the last one has arrived.
    void Capture();
    void FinishCapture(std::uint8_t tap);

    EngineState& State;
    TapModels& Taps;
    SignalPort& Port;
    EngineDisplay& Display;
};

} // namespace scanbench
