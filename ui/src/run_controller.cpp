#include "ui/run_controller.h"

#include "engine/engine.h"
#include "ui/main_window.h"
#include "ui/main_window_reporter.h"

#include <QTimer>

namespace scanbench {

RunController::RunController(Engine& engine, CommandTracker& commands, MainWindow& window)
    : QObject(&window), Eng(engine), Commands(commands), Window(window) {
    ExecuteClock = new QTimer(this);
    ExecuteClock->setObjectName(QStringLiteral("Timer1"));
    ExecuteClock->setInterval(1);
    ExecuteClock->setTimerType(Qt::PreciseTimer);
    connect(ExecuteClock, &QTimer::timeout, this, &RunController::ExecuteTick);

    ActivityClock = new QTimer(this);
    ActivityClock->setObjectName(QStringLiteral("tim_circ"));
    ActivityClock->setInterval(100);
    connect(ActivityClock, &QTimer::timeout, this, &RunController::ActivityTick);
    ActivityClock->start(); // stopped again when the window first shows

    HousekeepingClock = new QTimer(this);
    HousekeepingClock->setObjectName(QStringLiteral("Timer2"));
    HousekeepingClock->setInterval(500);
    connect(HousekeepingClock, &QTimer::timeout, this, &RunController::HousekeepingTick);
    HousekeepingClock->start();
}

void RunController::EventByEvent() {
    const CommandScope scope(Commands);
    Window.Reports().ClearBreakpointHit();
    Eng.Run().EventByEvent();
}

void RunController::StepByStep() {
    const CommandScope scope(Commands);
    Window.Reports().ClearBreakpointHit();
    Eng.Run().StepByStep();
}

void RunController::Execute() {
    const CommandScope scope(Commands);
    Window.Reports().ClearBreakpointHit();
    Eng.Run().StartExecute();
}

void RunController::Pause() {
    const CommandScope scope(Commands);
    Eng.Run().Pause();
}

void RunController::SpeedRun() {
    const CommandScope scope(Commands);
    Window.Reports().ClearBreakpointHit();
    Eng.Run().SpeedRun();
}

void RunController::Reset() {
    const CommandScope scope(Commands);
    Eng.ResetSimulation();
    Window.FocusEditor();
}

void RunController::ShowExecPoint() {
    // The refresh at the end of the command moves the editor and then
    // loads the boxes for the lines it shows.
    const CommandScope scope(Commands);
    Eng.ShowExecPoint();
}

void RunController::ClearAllBreakpoints() {
    const CommandScope scope(Commands);
    Eng.State().Breakpoints.ClearAll();
    Window.SyncBoxes();
}

void RunController::ExecuteTick() {
    const CommandScope scope(Commands);
    Eng.Run().ExecuteTick(Timing.OneEventPerTick);
}

void RunController::SetPace(PaceTiming pace) {
    Timing = pace;
    ExecuteClock->setInterval(pace.IntervalMs);
}

void RunController::ActivityTick() {
    const CommandScope scope(Commands);
    Eng.Run().ActivityTick();
}

void RunController::HousekeepingTick() {
    const CommandScope scope(Commands, false);
    Eng.Run().HousekeepingTick();
    Window.RefreshTitleAndTextColour();
}

void RunController::SetExecuteTimer(bool running) {
    if (running) {
        ExecuteClock->start();
    } else {
        ExecuteClock->stop();
    }
}

void RunController::SetActivityTimer(bool running) {
    if (running) {
        ActivityClock->start();
    } else {
        ActivityClock->stop();
    }
}

bool RunController::Running() const {
    return Eng.Run().Busy() || Eng.Display().ExecuteTimerRunning();
}

void RunController::StopRun() {
    if (Running()) {
        Eng.ResetSimulation();
    }
}

RunController::TicksHeld::TicksHeld(RunController& runs)
    : Runs(runs), WasTicking(runs.ExecuteClock->isActive()) {
    Runs.ExecuteClock->stop();
}

RunController::TicksHeld::~TicksHeld() {
    // Unless the run ended meanwhile.
    if (WasTicking && Runs.Eng.Display().ExecuteTimerRunning()) {
        Runs.ExecuteClock->start();
    }
}

void RunController::StopTimers() {
    ExecuteClock->stop();
    ActivityClock->stop();
    HousekeepingClock->stop();
}

} // namespace scanbench
