#pragma once

// Qt: the run timers are QTimers.
#include "engine/run/run_control.h"
#include "window_logic/main_window/execute_pace.h"

#include <QObject>

#include <functional>
#include <optional>

class QTimer;

namespace scanbench {

class CommandTracker;
class EditorArea;
class Engine;
class MainWindowModel;
class MainWindowReporter;

// The run commands of the main window and the timers that drive them: the
// Execute timer (1 ms at full pace, one statement per tick), the slice timer
// (a run longer than a slice goes on at the next pass of the event loop),
// the activity timer (100 ms, the turning indicator) and the housekeeping
// timer (500 ms, the Speed Run button, the title and the editor's colour).
// The window's model decides what a command or a tick plays; the engine
// plays it, one slice at a time.
class RunController : public QObject {
    Q_OBJECT
public:
    // `housekeeping` runs on every tick of the housekeeping timer;
    // `followProgramBoard` before a run starts from the program's first line,
    // to put in the board the program names.
    RunController(Engine& engine, MainWindowModel& model, CommandTracker& commands,
                  MainWindowReporter& reports, EditorArea& editor,
                  std::function<void()> housekeeping, std::function<void()> followProgramBoard,
                  QObject* parent);

    void EventByEvent();
    void StepByStep();
    void Execute();
    void Pause();
    void SpeedRun();
    void Reset();
    void ShowExecPoint();
    void ClearAllBreakpoints();

    // Timer ticks.
    void ExecuteTick();
    void SliceTick();
    void ActivityTick();
    void HousekeepingTick();

    // How fast Execute goes from its next tick on.
    void SetPace(PaceTiming pace);
    [[nodiscard]] PaceTiming Pace() const;

    // Starts and stops the timers as the model wants them.
    void FollowModel();
    [[nodiscard]] QTimer& ExecuteTimer() const { return *ExecuteClock; }
    [[nodiscard]] QTimer& SliceTimer() const { return *SliceClock; }
    [[nodiscard]] QTimer& ActivityTimer() const { return *ActivityClock; }

    // Whether a run is going: Execute, or a Step-by-Step or Speed Run that
    // goes on in slices.
    [[nodiscard]] bool Running() const;
    // Ends a run that is going as a reset would (New, Open and Close do this
    // before they change the text).
    void StopRun();

    // Holds the run while the user answers a question: no statement or
    // slice runs meanwhile, and the pace starts afresh afterwards instead of
    // catching up.
    class TicksHeld {
    public:
        explicit TicksHeld(RunController& runs);
        ~TicksHeld();
        TicksHeld(const TicksHeld&) = delete;
        TicksHeld& operator=(const TicksHeld&) = delete;

    private:
        RunController& Runs;
    };
    // Stops every timer (the window closes).
    void StopTimers();

private:
    // Plays the slice the model asked for, if any, and tells the model how
    // it ended; the engine hears whether a continuous run goes on.
    void Play(std::optional<RunSlice> slice);
    // A run that starts from the program's first line runs on the board the
    // program names.
    void FollowProgramBoardAtStart();

    Engine& Eng;
    MainWindowModel& Model;
    CommandTracker& Commands;
    MainWindowReporter& Reports;
    EditorArea& Area;
    std::function<void()> Housekeeping;
    std::function<void()> FollowProgramBoard;
    QTimer* ExecuteClock = nullptr;
    QTimer* SliceClock = nullptr;
    QTimer* ActivityClock = nullptr;
    QTimer* HousekeepingClock = nullptr;
    int Held = 0;
    bool Stopped = false;
};

} // namespace scanbench
