#include "engine/playback.h"

#include "engine/engine_display.h"
#include "engine/engine_state.h"
#include "engine/number_helpers.h"
#include "engine/playback_observer.h"
#include "engine/signal_port.h"
#include "engine/tap_models.h"
#include "engine/tap_state.h"
#include "engine/view_feed.h"

#include <algorithm>

namespace scanbench {

void Playback::PlayEvent() {
    Play(PlayOptions::ProgramRun());
}

void Playback::PlayEvent(const PlayOptions& options) {
    Play(options);
}

// Each caller gets its own copy, with the options known where they are
// constant, so a program run pays nothing for the choices it never makes.
[[gnu::always_inline]] inline void Playback::Play(const PlayOptions& options) {
    MarkPlaybackStarted(options.CountsAsUse);

    PackedEvent* next = TakeNextEvent();
    const bool played = next != nullptr;
    const PackedEvent e = played ? *next : PackedEvent{};

    if (options.FollowsStatements) {
        FollowStatementStart(e);
    }
    const bool risingEdge = DecideEdge(e, options.FollowsStatements);
    LatchOutputs(e, played);

    // The samples go into the event just played or, when nothing was left,
    // into the last event played before (nowhere if there is none).
    PackedEvent scratch{};
    PackedEvent& target = played ? *next : LastPlayedEvent(scratch);
    const bool valid = JudgeRxValid(target.Tap, risingEdge, options.FollowsStatements);
    DriveAndSample(target, valid, options.SamplesSyncInputs);

    if (!risingEdge) {
        if (options.FollowsStatements && State.Playback.Capturing) {
            Capture();
        }
        if (options.RecordRx != nullptr) {
            Record(*options.RecordRx);
        }
    }
    if (options.ShowsReadouts) {
        Display.ShowReadouts(State.Registers);
    }
    if (!Observers.Empty()) [[unlikely]] {
        if (played) {
            Observers.ForEach([&target](PlaybackObserver& o) { o.EventPlayed(target); });
        } else if (&target != &scratch) {
            Observers.ForEach([&target](PlaybackObserver& o) { o.EventResampled(target); });
        }
    }
}

void Playback::MarkPlaybackStarted(bool countsAsUse) {
    State.Playback.WavesValid = true;
    if (countsAsUse && !State.Run.Started) {
        State.Run.Started = true;
        Display.TellRun(RunNews::Started);
    }
}

PackedEvent* Playback::TakeNextEvent() {
    EventStore& store = State.Events;
    PackedEvent* next = store.PeekNext();
    if (next != nullptr) {
        store.AdvanceCursor();
    }
    return next;
}

PackedEvent& Playback::LastPlayedEvent(PackedEvent& none) {
    EventStore& store = State.Events;
    return store.PlayedCount() > 0 ? store.StoredEvent(store.PlayedCount() - 1) : none;
}

[[gnu::always_inline]] inline void Playback::FollowStatementStart(const PackedEvent& e) {
    PlaybackState& play = State.Playback;
    if (e.Description == DescriptionTable::NshfcpIndex) {
        play.StartCapture();
    } else if (e.Description != DescriptionTable::EmptyIndex) {
        play.Capturing = false;
    }
}

[[gnu::always_inline]] inline bool
Playback::DecideEdge(const PackedEvent& e, bool followsStatements, bool notifiesSteps) {
    PlaybackState& play = State.Playback;
    const std::uint8_t t = State.Registers.SelectedTap & 1;
    if (play.FirstEdge[t]) {
        // The first event after reset or Open only sets the reference level.
        play.FirstEdge[t] = false;
        play.FirstTck[t] = e.Level(PackedEvent::TCK);
        return true;
    }
    if (play.FirstTck[t] == 0 && e.Level(PackedEvent::TCK) == 1) {
        if (notifiesSteps) {
            Taps.Step(e.Tap, e.Level(PackedEvent::TMS));
        } else if (Taps.StepUnnoticed(e.Tap, e.Level(PackedEvent::TMS))) {
            RunStepped = true;
        }
        return true;
    }
    if (followsStatements && play.ShiftSeen && e.Description != DescriptionTable::EmptyIndex) {
        play.ShiftSeen = false; // first event of a new statement
    }
    return false;
}

[[gnu::always_inline]] inline void Playback::LatchOutputs(const PackedEvent& e, bool played) {
    ControllerRegisters& regs = State.Registers;
    if (e.Tap <= 1) {
        regs.LastTms[e.Tap] = e.Level(PackedEvent::TMS);
        regs.LastTck[e.Tap] = e.Level(PackedEvent::TCK);
        regs.LastTx[e.Tap] = e.Level(PackedEvent::TX);
    }
    if (played) {
        // The sync outputs follow the events that are really played, so that
        // SSA1 raises the SOA pin.
        State.Playback.LastSoa = e.Level(PackedEvent::SOA);
        State.Playback.LastSob = e.Level(PackedEvent::SOB);
    }
}

[[gnu::always_inline]] inline bool Playback::JudgeRxValid(std::uint8_t tap, bool risingEdge,
                                                          bool followsStatements) {
    // Whether RX carries device data depends on the models only, so it is
    // settled before the port is touched.
    PlaybackState& play = State.Playback;
    const bool shiftSeen = followsStatements && play.ShiftSeen;
    if (risingEdge) {
        return play.RxValidLatch || shiftSeen;
    }
    const bool shifting = IsShiftState(Taps.State(tap));
    const bool valid = shifting || shiftSeen;
    play.RxValidLatch = valid;
    if (followsStatements && shifting) {
        play.ShiftSeen = true;
    }
    return valid;
}

void Playback::DriveAndSample(PackedEvent& target, bool valid, bool samplesSyncInputs,
                              bool notifiesViews) {
    const ControllerRegisters& regs = State.Registers;
    const PlaybackState& play = State.Playback;
    Port.WritePortSignals(regs.LastTck[0], regs.LastTms[0], regs.LastTx[0], regs.LastTck[1],
                          regs.LastTms[1], regs.LastTx[1], play.LastSoa, play.LastSob);
    if (notifiesViews) {
        Views.Notify(ViewChange::PinLevels);
    }
    const std::uint8_t tap = target.Tap;
    std::uint8_t inputs = 0;
    if (samplesSyncInputs) {
        inputs = Port.ReadInputs(tap);
    } else if (tap <= 1 && Port.ReadRx(tap) == 1) {
        inputs = SignalPort::RxHigh;
    }
    StoreSamples(target, valid, inputs, samplesSyncInputs);
}

[[gnu::always_inline]] inline void Playback::StoreSamples(PackedEvent& target, bool valid,
                                                          std::uint8_t inputs,
                                                          bool samplesSyncInputs) {
    // RX is sampled only for the two real ports; every other level is replaced.
    const std::uint8_t tap = target.Tap;
    const auto high = [inputs](SignalPort::InputBits input, PackedEvent::Bit bit) {
        return static_cast<std::uint16_t>((inputs & input) != 0 ? bit : 0);
    };
    const std::uint16_t rxBit =
        tap <= 1 ? high(SignalPort::RxHigh, PackedEvent::RX) : (target.Levels & PackedEvent::RX);
    const auto syncBits = static_cast<std::uint16_t>(
        samplesSyncInputs ? high(SignalPort::SiaHigh, PackedEvent::SIA) |
                                high(SignalPort::SibHigh, PackedEvent::SIB)
                          : target.Levels & (PackedEvent::SIA | PackedEvent::SIB));
    const auto sampled =
        static_cast<std::uint16_t>((valid ? PackedEvent::ValidRX : 0) | rxBit | syncBits);
    constexpr std::uint16_t Samples =
        PackedEvent::ValidRX | PackedEvent::RX | PackedEvent::SIA | PackedEvent::SIB;
    target.Levels = static_cast<std::uint16_t>((target.Levels & ~Samples) | sampled);
    target.SetTapStates(Taps.State(0), Taps.State(1));
}

void Playback::Capture() {
    (void)Collect(Port.ReadRx(State.Registers.SelectedTap & 1));
}

[[gnu::always_inline]] inline bool Playback::Collect(std::uint8_t rx) {
    PlaybackState& play = State.Playback;
    const std::uint8_t t = State.Registers.SelectedTap & 1;
    play.ReceivedBits += rx == 1 ? '1' : '0';
    if (play.CapturedCount() == State.Registers.Counter[t]) {
        FinishCapture(t);
        return true;
    }
    return false;
}

void Playback::FinishCapture(std::uint8_t t) {
    PlaybackState& play = State.Playback;
    ControllerRegisters& regs = State.Registers;
    play.Capturing = false;
    if (MaskedEqual(play.CapturedBits(), regs.ExpectedBits, regs.MaskBits)) {
        regs.Flags[t] = static_cast<std::uint8_t>(regs.Flags[t] & ~regs.FlagMask[t]); // pass
    } else {
        regs.Flags[t] = static_cast<std::uint8_t>(regs.Flags[t] | regs.FlagMask[t]); // fail
    }
}

void Playback::Record(std::string& received) {
    const std::uint8_t t = State.Registers.SelectedTap & 1;
    if (static_cast<std::int64_t>(received.size()) < State.Registers.Counter[t]) {
        received += Port.ReadRx(t) == 1 ? '1' : '0';
    }
}

std::uint32_t Playback::PlayPending(std::uint32_t count) {
    EventStore& store = State.Events;
    count = std::min(count, store.EventCount() - store.PlayedCount());
    if (count == 0) {
        return 0;
    }
    if (Views.DeliversEveryChange()) {
        for (std::uint32_t i = 0; i < count; ++i) {
            PlayEvent();
        }
        return count;
    }
    MarkPlaybackStarted(true);
    // Every event tells the views of the pin levels, and of the models'
    // steps while they want them: here they hear it once, also when memory
    // runs out half-way.
    struct Notice {
        Playback& Player;
        ~Notice() {
            Player.Views.Notify(ViewChange::PinLevels);
            if (Player.RunStepped) {
                Player.Taps.NoticeSteps();
            }
        }
    } notice{*this};
    RunStepped = false;
    // The read-outs change only when a comparison ends; they are shown
    // after the first event too, in case they were out of date before.
    ShowsReadoutsNext = true;
    for (std::uint32_t left = count; left > 0;) {
        const std::uint32_t run = std::min(left, store.PendingRun());
        PlayRun(store.PeekNext(), run);
        left -= run;
    }
    return count;
}

void Playback::PlayRun(PackedEvent* first, std::uint32_t count) {
    EventStore& store = State.Events;
    PlaybackState& play = State.Playback;
    const std::uint8_t selected = State.Registers.SelectedTap & 1;
    const bool samplesServeCapture = Port.InputsSettleOnWrites();
    std::uint8_t outputs = OutputsNow();
    for (PackedEvent* event = first; event != first + count; ++event) {
        store.AdvanceCursor();
        const PackedEvent e = *event;
        FollowStatementStart(e);
        const bool risingEdge = DecideEdge(e, true, false);
        LatchOutputs(e, true);
        outputs = WithOutputsOf(e, outputs);
        const bool valid = JudgeRxValid(e.Tap, risingEdge, true);
        const std::uint8_t inputs = Port.WriteThenReadInputs(outputs, e.Tap);
        StoreSamples(*event, valid, inputs, true);
        bool readoutsDue = ShowsReadoutsNext;
        if (!risingEdge && play.Capturing) {
            const bool sampled = samplesServeCapture && e.Tap == selected;
            const std::uint8_t rx =
                sampled ? ((inputs & SignalPort::RxHigh) != 0 ? 1 : 0) : Port.ReadRx(selected);
            readoutsDue = Collect(rx) || readoutsDue;
        }
        if (readoutsDue) {
            ShowsReadoutsNext = false;
            Display.ShowReadouts(State.Registers);
        }
        if (!Observers.Empty()) [[unlikely]] {
            Observers.ForEach([event](PlaybackObserver& o) { o.EventPlayed(*event); });
        }
    }
}

std::uint8_t Playback::OutputsNow() const {
    const ControllerRegisters& regs = State.Registers;
    const auto bit = [](std::uint8_t level, SignalPort::OutputBits high) {
        return static_cast<std::uint8_t>(level == 1 ? high : 0);
    };
    return static_cast<std::uint8_t>(
        bit(regs.LastTck[0], SignalPort::Tck0High) | bit(regs.LastTms[0], SignalPort::Tms0High) |
        bit(regs.LastTx[0], SignalPort::Tx0High) | bit(regs.LastTck[1], SignalPort::Tck1High) |
        bit(regs.LastTms[1], SignalPort::Tms1High) | bit(regs.LastTx[1], SignalPort::Tx1High) |
        bit(State.Playback.LastSoa, SignalPort::SoaHigh) |
        bit(State.Playback.LastSob, SignalPort::SobHigh));
}

[[gnu::always_inline]] inline std::uint8_t Playback::WithOutputsOf(const PackedEvent& e,
                                                                   std::uint8_t outputs) {
    // What LatchOutputs keeps of a played event, as OutputBits.
    const auto bit = [l = unsigned{e.Levels}](PackedEvent::Bit level, SignalPort::OutputBits high) {
        return (l & level) != 0 ? unsigned{high} : 0U;
    };
    unsigned next = outputs & ~unsigned{SignalPort::SoaHigh | SignalPort::SobHigh};
    next |= bit(PackedEvent::SOA, SignalPort::SoaHigh) | bit(PackedEvent::SOB, SignalPort::SobHigh);
    if (e.Tap <= 1) {
        const unsigned tap = bit(PackedEvent::TCK, SignalPort::Tck0High) |
                             bit(PackedEvent::TMS, SignalPort::Tms0High) |
                             bit(PackedEvent::TX, SignalPort::Tx0High);
        const unsigned shift = 3U * e.Tap;
        next = (next & ~(7U << shift)) | (tap << shift);
    }
    return static_cast<std::uint8_t>(next);
}

} // namespace scanbench
