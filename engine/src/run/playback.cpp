#include "engine/run/playback.h"

#include "engine/feed/engine_display.h"
#include "engine/feed/signal_port.h"
#include "engine/feed/view_feed.h"
#include "engine/program/number_helpers.h"
#include "engine/run/engine_state.h"
#include "engine/run/playback_observer.h"
#include "engine/tap/tap_models.h"
#include "engine/tap/tap_state.h"

#include <algorithm>
#include <array>

namespace scanbench {

namespace {

// The origin of the zero event that a step plays when nothing is left.
constexpr EventOrigin NoOrigin{};

[[nodiscard]] constexpr std::uint8_t Level(std::uint32_t levels, PackedEvent::Bit bit) {
    return (levels & bit) != 0 ? 1 : 0;
}

} // namespace

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

    EventStore& store = State.Events;
    const EventStore::Run next = store.PendingRun(1);
    const bool played = next.Count > 0;
    EventStore::Slot slot{};
    if (played) {
        slot = {next.Records, &next.Origins[EventRecord::OriginIndex(*next.Records)]};
        store.AdvanceCursor();
    }
    const std::uint32_t levels = played ? *slot.Record : 0;
    const EventOrigin& origin = played ? *slot.Origin : NoOrigin;

    if (options.FollowsStatements) {
        FollowStatementStart(origin);
    }
    const bool risingEdge = DecideEdge(levels, origin, options.FollowsStatements);
    LatchOutputs(levels, origin, played);

    // The samples go into the event just played or, when nothing was left,
    // into the last event played before (nowhere if there is none).
    std::uint32_t scratch = 0;
    EventStore::Slot target = slot;
    if (!played) {
        target = store.PlayedCount() > 0 ? store.StoredEvent(store.PlayedCount() - 1)
                                         : EventStore::Slot{&scratch, &NoOrigin};
    }
    const bool valid = JudgeRxValid(target.Origin->Tap, risingEdge, options.FollowsStatements);
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
        const PackedEvent event = EventRecord::Expand(*target.Record, *target.Origin);
        if (played) {
            Observers.ForEach([&event](PlaybackObserver& o) { o.EventPlayed(event); });
        } else if (target.Record != &scratch) {
            Observers.ForEach([&event](PlaybackObserver& o) { o.EventResampled(event); });
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

[[gnu::always_inline]] inline void Playback::FollowStatementStart(const EventOrigin& origin) {
    PlaybackState& play = State.Playback;
    if (origin.Description == DescriptionTable::NshfcpIndex) {
        play.StartCapture();
    } else if (origin.Description != DescriptionTable::EmptyIndex) {
        play.Capturing = false;
    }
}

[[gnu::always_inline]] inline bool Playback::DecideEdge(std::uint32_t levels,
                                                        const EventOrigin& origin,
                                                        bool followsStatements,
                                                        bool notifiesSteps) {
    PlaybackState& play = State.Playback;
    const std::uint8_t t = State.Registers.SelectedTap & 1;
    const std::uint8_t tck = Level(levels, PackedEvent::TCK);
    if (play.FirstEdge[t]) {
        // The first event after reset or Open only sets the reference level.
        play.FirstEdge[t] = false;
        play.FirstTck[t] = tck;
        return true;
    }
    if (play.FirstTck[t] == 0 && tck == 1) {
        const std::uint8_t tms = Level(levels, PackedEvent::TMS);
        if (notifiesSteps) {
            Taps.Step(origin.Tap, tms);
        } else if (Taps.StepUnnoticed(origin.Tap, tms)) {
            RunStepped = true;
        }
        return true;
    }
    if (followsStatements && play.ShiftSeen && origin.Description != DescriptionTable::EmptyIndex) {
        play.ShiftSeen = false; // first event of a new statement
    }
    return false;
}

[[gnu::always_inline]] inline void Playback::LatchOutputs(std::uint32_t levels,
                                                          const EventOrigin& origin, bool played) {
    ControllerRegisters& regs = State.Registers;
    if (origin.Tap <= 1) {
        regs.LastTms[origin.Tap] = Level(levels, PackedEvent::TMS);
        regs.LastTck[origin.Tap] = Level(levels, PackedEvent::TCK);
        regs.LastTx[origin.Tap] = Level(levels, PackedEvent::TX);
    }
    if (played) {
        // The sync outputs follow the events that are really played, so that
        // SSA1 raises the SOA pin.
        State.Playback.LastSoa = origin.Sync & 1U;
        State.Playback.LastSob = (origin.Sync >> 1) & 1U;
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

void Playback::DriveAndSample(const EventStore::Slot& target, bool valid, bool samplesSyncInputs,
                              bool notifiesViews) {
    const ControllerRegisters& regs = State.Registers;
    const PlaybackState& play = State.Playback;
    Port.WritePortSignals(regs.LastTck[0], regs.LastTms[0], regs.LastTx[0], regs.LastTck[1],
                          regs.LastTms[1], regs.LastTx[1], play.LastSoa, play.LastSob);
    if (notifiesViews) {
        Views.Notify(ViewChange::PinLevels);
    }
    const std::uint8_t tap = target.Origin->Tap;
    std::uint8_t inputs = 0;
    if (samplesSyncInputs) {
        inputs = Port.ReadInputs(tap);
    } else if (tap <= 1 && Port.ReadRx(tap) == 1) {
        inputs = SignalPort::RxHigh;
    }
    *target.Record =
        WithJudgement(WithSamples(*target.Record, tap, inputs, samplesSyncInputs), valid);
}

[[gnu::always_inline]] inline std::uint32_t Playback::WithSamples(std::uint32_t record,
                                                                  std::uint8_t tap,
                                                                  std::uint8_t inputs,
                                                                  bool samplesSyncInputs) {
    // RX is sampled only for the two real ports; every other level is
    // replaced. Without branches: RX is the data shifted, as good as random.
    const auto high = [inputs](SignalPort::InputBits input, PackedEvent::Bit bit) {
        return static_cast<std::uint32_t>((inputs & input) != 0) * bit;
    };
    const std::uint32_t rx =
        tap <= 1 ? high(SignalPort::RxHigh, PackedEvent::RX) : (record & PackedEvent::RX);
    const std::uint32_t sync = samplesSyncInputs ? high(SignalPort::SiaHigh, PackedEvent::SIA) |
                                                       high(SignalPort::SibHigh, PackedEvent::SIB)
                                                 : record & (PackedEvent::SIA | PackedEvent::SIB);
    constexpr std::uint32_t Sampled = PackedEvent::RX | PackedEvent::SIA | PackedEvent::SIB;
    return (record & ~Sampled) | rx | sync;
}

[[gnu::always_inline]] inline std::uint32_t Playback::WithJudgement(std::uint32_t record,
                                                                    bool valid) const {
    constexpr std::uint32_t Judged =
        PackedEvent::ValidRX | PackedEvent::TapStatesKnown | (0xFFU << EventRecord::StatesShift);
    const std::uint32_t states = Taps.State(0) | std::uint32_t{Taps.State(1)} << 4;
    return (record & ~Judged) | (valid ? std::uint32_t{PackedEvent::ValidRX} : 0U) |
           PackedEvent::TapStatesKnown | states << EventRecord::StatesShift;
}

void Playback::Capture() {
    (void)Collect(Port.ReadRx(State.Registers.SelectedTap & 1));
}

[[gnu::always_inline]] inline bool Playback::Collect(std::uint8_t rx) {
    PlaybackState& play = State.Playback;
    const std::uint8_t t = State.Registers.SelectedTap & 1;
    play.ReceivedBits.Append(rx, 1);
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
    if (play.CapturedBitsMatch(regs.ExpectedBits, regs.MaskBits)) {
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

[[gnu::always_inline]] inline void Playback::ShowReadoutsIfDue(bool captureFinished) {
    // The read-outs change only when a comparison ends; they are shown
    // after a run's first event too, in case they were out of date before.
    if (captureFinished || ShowsReadoutsNext) {
        ShowsReadoutsNext = false;
        Display.ShowReadouts(State.Registers);
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
    ShowsReadoutsNext = true;
    // A port whose inputs settle on each write can take a block of writes
    // at once; every other one is written and read event by event.
    const bool inBlocks = Port.InputsSettleOnWrites();
    for (std::uint32_t left = count; left > 0;) {
        const EventStore::Run run = store.PendingRun(std::min(left, BlockSize));
        // The first event after reset or Open sets the edge reference: alone.
        const bool firstEdge = State.Playback.FirstEdge[State.Registers.SelectedTap & 1];
        std::uint32_t played = inBlocks && !firstEdge ? PlayBlock(run) : 0;
        if (played == 0) {
            played = PlayEach(firstEdge ? EventStore::Run{run.Records, 1, run.Origins} : run);
        }
        left -= played;
    }
    return count;
}

std::uint32_t Playback::PlayEach(const EventStore::Run& run) {
    EventStore& store = State.Events;
    PlaybackState& play = State.Playback;
    const std::uint8_t selected = State.Registers.SelectedTap & 1;
    const bool samplesServeCapture = Port.InputsSettleOnWrites();
    std::uint8_t outputs = OutputsNow();
    for (std::uint32_t k = 0; k < run.Count; ++k) {
        std::uint32_t& record = run.Records[k];
        const EventOrigin& origin = run.Origins[EventRecord::OriginIndex(record)];
        store.AdvanceCursor();
        const std::uint32_t levels = record;
        FollowStatementStart(origin);
        const bool risingEdge = DecideEdge(levels, origin, true, false);
        LatchOutputs(levels, origin, true);
        outputs = WithOutputsOf(levels, origin, outputs);
        const bool valid = JudgeRxValid(origin.Tap, risingEdge, true);
        const std::uint8_t inputs = Port.WriteThenReadInputs(outputs, origin.Tap);
        record = WithJudgement(WithSamples(levels, origin.Tap, inputs, true), valid);
        bool finished = false;
        if (!risingEdge && play.Capturing) {
            const bool sampled = samplesServeCapture && origin.Tap == selected;
            const std::uint8_t rx =
                sampled ? ((inputs & SignalPort::RxHigh) != 0 ? 1 : 0) : Port.ReadRx(selected);
            finished = Collect(rx);
        }
        ShowReadoutsIfDue(finished);
        if (!Observers.Empty()) [[unlikely]] {
            const PackedEvent event = EventRecord::Expand(record, origin);
            Observers.ForEach([&event](PlaybackObserver& o) { o.EventPlayed(event); });
        }
    }
    return run.Count;
}

namespace {

// An event's TCK, TMS and TX (EventRecord bits) as the OutputBits of TAP 0,
// by the record's low four bits.
constexpr std::array<std::uint8_t, 16> TapOutputs = [] {
    std::array<std::uint8_t, 16> table{};
    for (unsigned levels = 0; levels < table.size(); ++levels) {
        const auto bit = [levels](PackedEvent::Bit level, SignalPort::OutputBits output) {
            return (levels & level) != 0 ? unsigned{output} : 0U;
        };
        table[levels] = static_cast<std::uint8_t>(bit(PackedEvent::TCK, SignalPort::Tck0High) |
                                                  bit(PackedEvent::TMS, SignalPort::Tms0High) |
                                                  bit(PackedEvent::TX, SignalPort::Tx0High));
    }
    return table;
}();

} // namespace

std::uint32_t Playback::PlayBlock(const EventStore::Run& run) {
    PlaybackState& play = State.Playback;
    ControllerRegisters& regs = State.Registers;
    const std::uint8_t selected = regs.SelectedTap & 1;
    // The first edge has been seen (PlayPending plays it alone), so an
    // event is a rising edge exactly when its TCK is high and the reference
    // was low.
    const std::uint32_t risingTck = play.FirstTck[selected] == 0 ? unsigned{PackedEvent::TCK} : 0U;
    std::uint32_t* const records = run.Records;
    const std::uint32_t count = run.Count;

    // The models, the validity of RX and the outputs of each event, one
    // statement's events (one origin) at a time.
    std::array<std::uint16_t, BlockSize> writes;
    std::uint8_t outputs = OutputsNow();
    bool mayCapture = play.Capturing;
    bool latch = play.RxValidLatch;
    bool seen = play.ShiftSeen;
    // The models are stepped on a copy of their states.
    std::array<std::uint8_t, 2> models = Taps.States();
    bool stepped = false;
    std::uint32_t n = 0;
    while (n < count) {
        const std::uint32_t originIndex = EventRecord::OriginIndex(records[n]);
        const EventOrigin& origin = run.Origins[originIndex];
        const bool described = origin.Description != DescriptionTable::EmptyIndex;
        if (described) {
            // Each event of a described origin starts a statement.
            mayCapture = origin.Description == DescriptionTable::NshfcpIndex;
        }
        if (mayCapture && origin.Tap != selected) {
            break; // a capture reads the selected TAP's RX by itself
        }
        const std::uint8_t tap = origin.Tap;
        // The model this TAP steps (none above 1) and reads, and the other.
        const bool steps = tap <= 1;
        const unsigned modelShift = 4U * (tap & 1U);
        std::uint32_t model = models[tap & 1U];
        const std::uint32_t other = std::uint32_t{models[(tap & 1U) ^ 1U]} << (4U - modelShift);
        const unsigned shift = tap <= 1 ? 3U * tap : 0U;
        const unsigned tapBits = tap <= 1 ? 7U << shift : 0U;
        const auto high = static_cast<std::uint16_t>(tap << 8);
        outputs = static_cast<std::uint8_t>((outputs & 0x3FU) | unsigned{origin.Sync} << 6);
        for (; n < count; ++n) {
            const std::uint32_t record = records[n];
            if (EventRecord::OriginIndex(record) != originIndex) {
                break;
            }
            bool valid = false;
            if ((record & risingTck) != 0) {
                if (steps) {
                    model = NextTapState(static_cast<std::uint8_t>(model),
                                         Level(record, PackedEvent::TMS));
                    stepped = true;
                }
                valid = latch || seen;
            } else {
                seen = seen && !described; // a new statement forgets the shift state
                const bool shifting = IsShiftState(static_cast<std::uint8_t>(model));
                valid = shifting || seen;
                latch = valid;
                seen = seen || shifting;
            }
            outputs = static_cast<std::uint8_t>(
                (outputs & ~tapBits) | (unsigned{TapOutputs[record & 0xFU]} << shift & tapBits));
            writes[n] = static_cast<std::uint16_t>(high | outputs);
            constexpr std::uint32_t Judged = PackedEvent::ValidRX | PackedEvent::TapStatesKnown |
                                             (0xFFU << EventRecord::StatesShift);
            const std::uint32_t states = (model << modelShift | other) << EventRecord::StatesShift;
            records[n] = (record & ~Judged) |
                         static_cast<std::uint32_t>(valid) * PackedEvent::ValidRX |
                         PackedEvent::TapStatesKnown | states;
            if (described) {
                ++n;
                break; // the next event starts a statement of its own
            }
        }
        models[tap & 1U] = static_cast<std::uint8_t>(model);
    }
    if (n == 0) {
        return 0;
    }
    Taps.TakeStates(models);
    RunStepped = RunStepped || stepped;
    play.RxValidLatch = latch;
    play.ShiftSeen = seen;
    // What LatchOutputs keeps, from the last outputs.
    for (unsigned t = 0; t < 2; ++t) {
        regs.LastTck[t] = (static_cast<unsigned>(outputs) >> (3 * t)) & 1U;
        regs.LastTms[t] = (static_cast<unsigned>(outputs) >> (3 * t + 1)) & 1U;
        regs.LastTx[t] = (static_cast<unsigned>(outputs) >> (3 * t + 2)) & 1U;
    }
    play.LastSoa = (outputs >> 6) & 1U;
    play.LastSob = (outputs >> 7) & 1U;

    // The port.
    std::array<std::uint8_t, BlockSize> inputs;
    Port.WriteThenReadInputsEach(std::span(writes.data(), n), std::span(inputs.data(), n));

    TakeSamples(run, n, inputs.data(), risingTck);
    return n;
}

namespace {

// The samples of SignalPort::InputBits as EventRecord bits.
constexpr std::array<std::uint32_t, 8> SampleBits = [] {
    std::array<std::uint32_t, 8> table{};
    for (unsigned inputs = 0; inputs < table.size(); ++inputs) {
        table[inputs] = ((inputs & SignalPort::RxHigh) != 0 ? unsigned{PackedEvent::RX} : 0U) |
                        ((inputs & SignalPort::SiaHigh) != 0 ? unsigned{PackedEvent::SIA} : 0U) |
                        ((inputs & SignalPort::SibHigh) != 0 ? unsigned{PackedEvent::SIB} : 0U);
    }
    return table;
}();

} // namespace

void Playback::TakeSamples(const EventStore::Run& run, std::uint32_t n, const std::uint8_t* inputs,
                           std::uint32_t risingTck) {
    PlaybackState& play = State.Playback;
    std::uint32_t* const records = run.Records;
    State.Events.AdvanceCursor(n);
    for (std::uint32_t k = 0; k < n;) {
        const std::uint32_t originIndex = EventRecord::OriginIndex(records[k]);
        const EventOrigin& origin = run.Origins[originIndex];
        // RX is sampled only for the two real ports.
        constexpr std::uint32_t Sampled = PackedEvent::RX | PackedEvent::SIA | PackedEvent::SIB;
        const std::uint32_t replaced =
            origin.Tap <= 1 ? Sampled : Sampled & ~static_cast<std::uint32_t>(PackedEvent::RX);
        if (origin.Description != DescriptionTable::EmptyIndex || ShowsReadoutsNext) {
            // A statement's first event, or the first of PlayPending.
            if (origin.Description != DescriptionTable::EmptyIndex) {
                FollowStatementStart(origin);
            }
            const std::uint32_t record =
                (records[k] & ~replaced) | (SampleBits[inputs[k] & 7U] & replaced);
            records[k] = record;
            bool finished = false;
            if (play.Capturing && (record & risingTck) == 0) {
                finished = Collect(inputs[k] & SignalPort::RxHigh);
            }
            ShowReadoutsIfDue(finished);
            ++k;
            continue;
        }
        // The rest of a statement's events.
        if (!play.Capturing) {
            for (; k < n && EventRecord::OriginIndex(records[k]) == originIndex; ++k) {
                records[k] = (records[k] & ~replaced) | (SampleBits[inputs[k] & 7U] & replaced);
            }
            continue;
        }
        // The bits collect in a word before they join the received ones.
        const std::uint8_t t = State.Registers.SelectedTap & 1;
        const std::int64_t wanted = State.Registers.Counter[t];
        std::int64_t received = play.CapturedCount();
        std::uint64_t word = 0;
        unsigned bits = 0;
        for (; k < n && EventRecord::OriginIndex(records[k]) == originIndex; ++k) {
            const std::uint32_t record =
                (records[k] & ~replaced) | (SampleBits[inputs[k] & 7U] & replaced);
            records[k] = record;
            if ((record & risingTck) != 0) {
                continue;
            }
            word |= static_cast<std::uint64_t>(inputs[k] & SignalPort::RxHigh) << bits;
            ++received;
            if (++bits == 64) {
                play.ReceivedBits.Append(word, bits);
                word = 0;
                bits = 0;
            }
            if (received == wanted) {
                play.ReceivedBits.Append(word, bits);
                bits = 0;
                FinishCapture(t);
                ShowReadoutsIfDue(true);
                ++k;
                break;
            }
        }
        play.ReceivedBits.Append(word, bits);
    }
    if (!Observers.Empty()) [[unlikely]] {
        std::array<PackedEvent, BlockSize> played;
        for (std::uint32_t k = 0; k < n; ++k) {
            const std::uint32_t record = records[k];
            played[k] = EventRecord::Expand(record, run.Origins[EventRecord::OriginIndex(record)]);
        }
        const std::span<const PackedEvent> events(played.data(), n);
        Observers.ForEach([events](PlaybackObserver& o) { o.EventsPlayed(events); });
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

[[gnu::always_inline]] inline std::uint8_t
Playback::WithOutputsOf(std::uint32_t levels, const EventOrigin& origin, std::uint8_t outputs) {
    // What LatchOutputs keeps of a played event, as OutputBits.
    const auto bit = [levels](PackedEvent::Bit level, SignalPort::OutputBits high) {
        return (levels & level) != 0 ? unsigned{high} : 0U;
    };
    unsigned next = outputs & ~unsigned{SignalPort::SoaHigh | SignalPort::SobHigh};
    next |= unsigned{origin.Sync} << 6; // SOA, SOB
    if (origin.Tap <= 1) {
        const unsigned tap = bit(PackedEvent::TCK, SignalPort::Tck0High) |
                             bit(PackedEvent::TMS, SignalPort::Tms0High) |
                             bit(PackedEvent::TX, SignalPort::Tx0High);
        const unsigned shift = 3U * origin.Tap;
        next = (next & ~(7U << shift)) | (tap << shift);
    }
    return static_cast<std::uint8_t>(next);
}

} // namespace scanbench
