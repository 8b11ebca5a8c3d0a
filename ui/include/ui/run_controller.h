#pragma once

// Qt: the run timers are QTimers.
#include "window_logic/execute_pace.h"

#include <QObject>

class QTimer;

namespace scanbench {

class CommandTracker;
class Engine;
class MainWindow;

// The run commands of the main window and the three timers that drive them:
// the Execute timer (1 ms, one statement per tick), the activity timer
// (100 ms, the turning indicator) and the housekeeping timer (500 ms, the
// Speed Run button, the title and the editor's colour).
class RunController : public QObject {
    Q_OBJECT
public:
    RunController(Engine& engine, CommandTracker& commands, MainWindow& window);

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
    void ActivityTick();
    void HousekeepingTick();

    // How fast Execute goes from its next tick on.
    void SetPace(PaceTiming pace);
    [[nodiscard]] PaceTiming Pace() const { return Timing; }

    void SetExecuteTimer(bool running);
    void SetActivityTimer(bool running);
    [[nodiscard]] QTimer& ExecuteTimer() const { return *ExecuteClock; }
    [[nodiscard]] QTimer& ActivityTimer() const { return *ActivityClock; }

    // Whether a run is going: Execute's timer, or a Step-by-Step or Speed
    // Run letting the interface work.
    [[nodiscard]] bool Running() const;
    // Ends a run that is going as a reset would (New, Open and Close do this
    // before they change the text).
    void StopRun();

    // Holds Execute's timer while the user answers a question: no statement
    // runs meanwhile, and the pace starts afresh afterwards instead of
    // catching up.
    class TicksHeld {
    public:
        explicit TicksHeld(RunController& runs);
        ~TicksHeld();
        TicksHeld(const TicksHeld&) = delete;
        TicksHeld& operator=(const TicksHeld&) = delete;

    private:
        RunController& Runs;
        bool WasTicking;
    };
    // Stops every timer (the window closes).
    void StopTimers();

private:
    Engine& Eng;
    CommandTracker& Commands;
    MainWindow& Window;
    QTimer* ExecuteClock = nullptr;
    QTimer* ActivityClock = nullptr;
    QTimer* HousekeepingClock = nullptr;
    PaceTiming Timing;
};

} // namespace scanbench
