#include "ui/main_window/run_controller.h"

#include "engine/run/engine.h"
#include "ui/editor/editor_area.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/main_window_reporter.h"
#include "window_logic/main_window/main_window_model.h"

#include <QTimer>

namespace scanbench {

namespace {

// Starts or stops `timer`, leaving a running one running.
void Keep(QTimer& timer, bool running) {
    if (!running) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

} // namespace

RunController::RunController(Engine& engine, MainWindowModel& model, CommandTracker& commands,
                             MainWindowReporter& reports, EditorArea& editor,
                             std::function<void()> housekeeping,
                             std::function<void()> followProgramBoard, QObject* parent)
    : QObject(parent), Eng(engine), Model(model), Commands(commands), Reports(reports),
      Area(editor), Housekeeping(std::move(housekeeping)),
      FollowProgramBoard(std::move(followProgramBoard)) {
    ExecuteClock = new QTimer(this);
    ExecuteClock->setObjectName(QStringLiteral("Timer1"));
    ExecuteClock->setInterval(1);
    ExecuteClock->setTimerType(Qt::PreciseTimer);
    connect(ExecuteClock, &QTimer::timeout, this, &RunController::ExecuteTick);

    SliceClock = new QTimer(this);
    SliceClock->setObjectName(QStringLiteral("SliceTimer"));
    SliceClock->setInterval(0);
    connect(SliceClock, &QTimer::timeout, this, &RunController::SliceTick);

    ActivityClock = new QTimer(this);
    ActivityClock->setObjectName(QStringLiteral("tim_circ"));
    ActivityClock->setInterval(100);
    connect(ActivityClock, &QTimer::timeout, this, &RunController::ActivityTick);

    HousekeepingClock = new QTimer(this);
    HousekeepingClock->setObjectName(QStringLiteral("Timer2"));
    HousekeepingClock->setInterval(500);
    connect(HousekeepingClock, &QTimer::timeout, this, &RunController::HousekeepingTick);
    HousekeepingClock->start();
    FollowModel(); // the activity timer runs until the window first shows
}

void RunController::Play(std::optional<RunSlice> slice) {
    RunControl& control = Eng.Run();
    control.SetContinuous(Model.Continuous());
    if (slice) {
        Model.SliceEnded(control.Play(*slice));
    }
    // A run that ended here shows exactly where it ended.
    control.SetContinuous(Model.Continuous());
}

void RunController::EventByEvent() {
    const CommandScope scope(Commands);
    Reports.ClearBreakpointHit();
    FollowProgramBoardAtStart();
    Play(Model.EventByEvent());
}

void RunController::StepByStep() {
    const CommandScope scope(Commands);
    Reports.ClearBreakpointHit();
    FollowProgramBoardAtStart();
    Play(Model.StepByStep());
}

void RunController::Execute() {
    const CommandScope scope(Commands);
    Reports.ClearBreakpointHit();
    FollowProgramBoardAtStart();
    Model.Execute();
    Play(std::nullopt);
}

void RunController::FollowProgramBoardAtStart() {
    // Before the code check the run has not begun: the board may still change.
    if (!Eng.State().Run.CodeChecked) {
        FollowProgramBoard();
    }
}

void RunController::Pause() {
    const CommandScope scope(Commands);
    Model.Pause();
    Play(std::nullopt);
}

void RunController::SpeedRun() {
    const CommandScope scope(Commands);
    Reports.ClearBreakpointHit();
    FollowProgramBoardAtStart();
    Play(Model.SpeedRun());
}

void RunController::Reset() {
    const CommandScope scope(Commands);
    Eng.ResetSimulation();
    Area.FocusEditor();
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
    Area.SyncBoxes();
}

void RunController::ExecuteTick() {
    const CommandScope scope(Commands);
    Play(Model.ExecuteTick());
}

void RunController::SliceTick() {
    const CommandScope scope(Commands);
    Play(Model.NextSlice());
}

void RunController::SetPace(PaceTiming pace) {
    Model.SetPace(pace);
    ExecuteClock->setInterval(pace.IntervalMs);
}

PaceTiming RunController::Pace() const {
    return Model.Pace();
}

void RunController::ActivityTick() {
    const CommandScope scope(Commands);
    Model.ActivityTick();
}

void RunController::HousekeepingTick() {
    const CommandScope scope(Commands, false);
    Model.HousekeepingTick();
    Housekeeping();
}

void RunController::FollowModel() {
    if (Stopped) {
        return;
    }
    Keep(*ExecuteClock, Held == 0 && Model.ExecuteTimerOn());
    Keep(*SliceClock, Held == 0 && Model.SliceDue());
    Keep(*ActivityClock, Model.ActivityTimerOn());
}

bool RunController::Running() const {
    return Model.Continuous();
}

void RunController::StopRun() {
    if (Running()) {
        Eng.ResetSimulation();
    }
}

RunController::TicksHeld::TicksHeld(RunController& runs) : Runs(runs) {
    ++Runs.Held;
    Runs.FollowModel();
}

RunController::TicksHeld::~TicksHeld() {
    // Unless the run ended meanwhile.
    --Runs.Held;
    Runs.FollowModel();
}

void RunController::StopTimers() {
    Stopped = true;
    ExecuteClock->stop();
    SliceClock->stop();
    ActivityClock->stop();
    HousekeepingClock->stop();
}

} // namespace scanbench
