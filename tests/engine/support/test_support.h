#pragma once

#include "engine/feed/engine_listener.h"
#include "engine/feed/signal_port.h"
#include "engine/run/engine.h"
#include "engine/run/run_clock.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace scanbench::testing {

// A port whose inputs the test sets, optionally wired so that RX of each TAP
// follows its TX output (a loopback board).
class FakeSignalPort : public SignalPort {
public:
    void WritePortSignals(std::uint8_t tck0, std::uint8_t tms0, std::uint8_t tx0, std::uint8_t tck1,
                          std::uint8_t tms1, std::uint8_t tx1, std::uint8_t soa,
                          std::uint8_t sob) override {
        if (RecordsWrites) {
            Writes.push_back({tck0, tms0, tx0, tck1, tms1, tx1, soa, sob});
        }
        Tx = {tx0, tx1};
    }
    std::uint8_t ReadRx(std::uint8_t tap) override {
        ++RxReads;
        if (tap > 1) {
            return 0;
        }
        if (RxFlipAt >= 0 && RxReads == RxFlipAt) {
            return Loopback ? static_cast<std::uint8_t>(1 - Tx[tap]) : 1 - Rx[tap];
        }
        return Loopback ? Tx[tap] : Rx[tap];
    }
    std::uint8_t ReadSia() override { return Sia; }
    std::uint8_t ReadSib() override { return Sib; }

    bool Loopback = false;
    std::array<std::uint8_t, 2> Rx{};
    std::array<std::uint8_t, 2> Tx{};
    std::uint8_t Sia = 0;
    std::uint8_t Sib = 0;
    int RxReads = 0;
    int RxFlipAt = -1; // the n-th RX read (1-based) returns the inverted level
    bool RecordsWrites = true;
    std::vector<std::array<std::uint8_t, 8>> Writes;
};

// Records what the engine reports.
class RecordingReporter : public EngineListener {
public:
    void ShowStatus(std::string_view text, StatusColour colour) override {
        Status = std::string(text);
        Colour = colour;
        ++StatusCount;
        if (OnStatus) {
            OnStatus();
        }
    }
    void ShowExecPoint(std::int32_t line) override { ExecPoint = line; }
    void ShowCounter(std::uint8_t tap, std::string_view text) override {
        Counter[tap] = std::string(text);
    }
    void ShowFlags(std::uint8_t tap, std::string_view text) override {
        Flags[tap] = std::string(text);
    }
    void DrawFlagMarkers(const std::array<int, 2>& bits) override { FlagBits = bits; }
    void StoppedAtBreakpoint(std::int32_t line) override { BreakpointStop = line; }
    void RunChanged(RunNews news) override { News.push_back(news); }
    // How often `news` was heard.
    [[nodiscard]] long Heard(RunNews news) const {
        return std::count(News.begin(), News.end(), news);
    }

    std::string Status;
    StatusColour Colour = StatusColour::Red;
    int StatusCount = 0;
    std::int32_t ExecPoint = -1;
    std::array<std::string, 2> Counter;
    std::array<std::string, 2> Flags;
    std::array<int, 2> FlagBits{-1, -1};
    std::int32_t BreakpointStop = -1;
    std::vector<RunNews> News;
    std::function<void()> OnStatus;
};

// Counts what the engine's view feed delivers.
class RecordingViews : public ViewListener {
public:
    explicit RecordingViews(ViewFeed& feed) : Subscribed(feed.Subscribe(*this)) {}
    void RefreshView(ViewChanges changes) override {
        ++Deliveries;
        StateRedraws += changes.Has(ViewChange::TapStates) ? 1 : 0;
        Received |= changes;
    }
    int Deliveries = 0;
    int StateRedraws = 0;
    ViewChanges Received;

private:
    ViewFeed::Subscription Subscribed;
};

// A clock that moves on by a fixed step each time it is read: what a run
// times with it (the views' frame rate, the slices of a run) follows the
// number of reads, and so the number of events, never the machine's speed.
class SteppingClock : public RunClock {
public:
    explicit SteppingClock(Clock::duration step = std::chrono::milliseconds(1)) : Step(step) {}
    [[nodiscard]] Clock::time_point Now() override {
        ++Reads;
        return At += Step;
    }
    Clock::duration Step;
    Clock::time_point At{};
    int Reads = 0;
};

// An engine over a program text, a fake port, a recording reporter and a
// stepping clock.
struct EngineFixture {
    explicit EngineFixture(std::string_view program = "",
                           EventBudget budget = EventBudget::ForBytes(1ULL << 30))
        : Text(program), Eng(Reporter, Port, budget), Views(Eng.Views()) {
        Eng.SetProgram(Text);
        Eng.UseClock(Time);
    }
    // What opening the program does: start values, empty store, reset.
    void Open() { Eng.OpenProgram(); }
    // Replaces the program text, then opens it.
    void Open(std::string_view program) {
        Text.SetText(program);
        Open();
    }
    // Steps until the program has ended, at most `limit` steps.
    int RunToEnd(int limit = 1000000) {
        int steps = 0;
        while (!Eng.State().Run.ProgramEnded && steps < limit) {
            Eng.ExecuteStep();
            ++steps;
        }
        return steps;
    }
    // Interprets and plays a statement outside a program (registers only).
    std::int32_t Interpret(std::string_view statement) { return Eng.InterpretLine(statement); }

    StringProgramText Text;
    FakeSignalPort Port;
    RecordingReporter Reporter;
    SteppingClock Time;
    Engine Eng;
    RecordingViews Views;
};

// The (TCK, TMS, TX) levels of the stored events from `first` on.
std::vector<std::array<int, 3>> Levels(const EventStore& store, std::uint32_t first = 0);

} // namespace scanbench::testing
