#pragma once

#include "engine/feed/engine_listener.h"
#include "engine/feed/listener_list.h"
#include "engine/run/run_control.h"
#include "window_logic/main_window/command_states.h"
#include "window_logic/main_window/execute_pace.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace scanbench {

// Told when the main window's model changed; the window then shows it.
class MainWindowModelListener {
public:
    virtual ~MainWindowModelListener() = default;
    virtual void ModelChanged() = 0;
};

// What the main window is, without its widgets: which commands may be used,
// the activity indicator's frame and timer, the About box's click count,
// whether the state diagrams follow every step, and the run the window
// drives. It follows the engine as a listener and never changes it: a run
// command returns the slice the window is to play (RunControl::Play), and the
// window hands back how it ended. A run that takes longer than a slice goes
// on in the next one, which the window plays from its event loop
// (NextSlice), so Reset, Pause, closing and the dialogs act between slices.
class MainWindowModel final : public EngineListener {
public:
    // A slice keeps the window's event loop waiting for about one frame.
    static constexpr std::chrono::milliseconds SliceTime{16};
    // Frames of the activity indicator's animation (0 is the idle picture).
    static constexpr std::uint8_t ActivityFrames = 8;

    MainWindowModel() = default;
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    [[nodiscard]] ListenerList<MainWindowModelListener>::Subscription
    Subscribe(MainWindowModelListener& listener) {
        return Listeners.Subscribe(listener);
    }

    // --- What the window shows.
    [[nodiscard]] const CommandStates& Commands() const { return Enabled; }
    // 0 the idle picture, 1..8 the animation.
    [[nodiscard]] std::uint8_t ActivityFrame() const { return Frame; }
    [[nodiscard]] bool ActivityTimerOn() const { return ActivityTicks; }
    // Execute's pace timer: it ticks between statements.
    [[nodiscard]] bool ExecuteTimerOn() const { return Executing && Going == Continuation::None; }
    // A run goes on in the next slice, due at the next pass of the event loop.
    [[nodiscard]] bool SliceDue() const { return Going != Continuation::None; }
    // A continuous run is going: Execute, a Speed Run, or a Step-by-Step
    // longer than a slice. The engine is told (RunControl::SetContinuous).
    [[nodiscard]] bool Continuous() const { return Executing || SliceDue(); }
    // The state diagrams follow every step of the models (off during a Speed Run).
    [[nodiscard]] bool RefreshWindows() const { return FollowSteps; }
    [[nodiscard]] PaceTiming Pace() const { return Timing; }

    // --- Settings and counters.
    // The Speed Run setting: whether the Speed Run command may be used.
    void SetSpeedRunAllowed(bool allowed) { SpeedRunSetting = allowed; }
    [[nodiscard]] bool SpeedRunAllowed() const { return SpeedRunSetting; }
    // The state diagrams follow every step again (the Setup dialog shows).
    void FollowEveryStep();
    void SetPace(PaceTiming pace) { Timing = pace; }
    // The About box's picture double-clicks; nearly every command clears them.
    [[nodiscard]] std::int32_t& AboutClicks() { return Clicks; }
    void ClearAboutClicks() { Clicks = 0; }

    // --- The run commands. Those that return a slice want it played now.
    // Event-by-Event, Step-by-Step and Speed Run do nothing while a
    // Step-by-Step or a Speed Run goes on.
    [[nodiscard]] std::optional<RunSlice> EventByEvent();
    [[nodiscard]] std::optional<RunSlice> StepByStep();
    void Execute();
    // Execute's timer tick: one statement, or one event at an event pace;
    // nothing between statements of a run going on in slices.
    [[nodiscard]] std::optional<RunSlice> ExecuteTick();
    [[nodiscard]] std::optional<RunSlice> SpeedRun();
    // The next slice of a run that goes on, if one does.
    [[nodiscard]] std::optional<RunSlice> NextSlice();
    // How the slice asked for last ended.
    void SliceEnded(const SliceOutcome& outcome);
    // Stops Execute and a Speed Run; a Step-by-Step finishes its statement.
    void Pause();
    // The activity indicator's timer tick.
    void ActivityTick();
    // The housekeeping tick: the Speed Run button is usable only with the
    // setting on and Execute enabled.
    void HousekeepingTick();

    // --- The program and the window.
    // Start-up: everything that needs a program is disabled.
    void Start();
    // The window shows for the first time: the run commands wait for a
    // program, the indicator stands still.
    void FirstShown();
    // The editor's text changed: `lineCount` lines.
    void TextChanged(std::int32_t lineCount);
    // New: an empty program, nothing to run or save.
    void ProgramCleared();
    // Open: a program to run from its start.
    void ProgramOpened();
    // A modal tool takes the run commands away while it is open and puts
    // them back as they were.
    void RestoreRunCommands(const CommandStates& earlier);

    // EngineListener.
    void RunChanged(RunNews news) override;

private:
    enum class Continuation : std::uint8_t { None, Statement, SpeedRun };
    // The slice asked for last.
    enum class Asked : std::uint8_t { Nothing, Event, Statement, SpeedRun };

    template <typename Change>
    void Update(Change&& change);
    void Changed();
    [[nodiscard]] RunSlice BeginStatement(bool stopsAtBreakpoints);
    [[nodiscard]] RunSlice SpeedRunSlice(bool first) const;
    void EventEnded(const SliceOutcome& outcome);
    void StatementEnded(const SliceOutcome& outcome);
    void SpeedRunEnded(const SliceOutcome& outcome);
    // Execute or a Speed Run ended with the program: the indicator stops.
    void StopActivity();
    void EndSpeedRun();
    void AdvanceFrame();

    ListenerList<MainWindowModelListener> Listeners;
    CommandStates Enabled;
    std::uint8_t Frame = 0;
    bool ActivityTicks = true; // until the window first shows
    bool Executing = false;
    Continuation Going = Continuation::None;
    Asked Playing = Asked::Nothing;
    bool FollowSteps = true;
    bool FollowStepsBefore = true; // put back when a Speed Run ends
    bool SpeedRunSetting = false;
    PaceTiming Timing;
    std::int32_t Clicks = 0;
};

} // namespace scanbench
