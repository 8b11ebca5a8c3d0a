#include "ui/main_window/main_window.h"

#include "engine/run/engine.h"
#include "settings/settings.h"
#include "ui/appearance/window_colours.h"
#include "ui/artwork/artwork.h"
#include "ui/dialogs/about_commands.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/editor_program_text.h"
#include "ui/editor/goto_line_command.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_controller.h"
#include "ui/editor/search_commands.h"
#include "ui/main_window/driver_notice.h"
#include "ui/main_window/main_layout.h"
#include "ui/main_window/main_window_reporter.h"
#include "ui/main_window/readout_panel.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/splash_control.h"
#include "ui/main_window/status_line.h"
#include "ui/tools/examples_menu.h"
#include "ui/tools/execute_pace_menu.h"
#include "ui/tools/line_numbers_item.h"
#include "ui/tools/messages_tool.h"
#include "ui/tools/session_restart.h"
#include "ui/tools/zoom_control.h"
#include "ui/views/picture_view.h"
#include "ui/views/state_diagram_window.h"
#include "window_logic/main_window/program_session.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <initializer_list>

namespace scanbench {

MainWindow::MainWindow(Engine& engine, UserInteraction& user, Workbench bench,
                       MainWindowOptions options)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      Eng(engine), User(user), Options(std::move(options)),
      Tracker(engine, Logic, [this](bool outermost) { CommandEnded(outermost); }) {
    setObjectName(QStringLiteral("Form1"));
    BuildClient();
    Reporter =
        std::make_unique<MainWindowReporter>(*EditorParts, *StatusBar, *ReadoutBoxes, *ActivityView,
                                             palette().color(QPalette::Window), Tracker);
    EditorLines = std::make_unique<EditorProgramText>(
        *TextEditor, [this](std::int32_t line) { Reporter->ShowLine(line); });
    RunCommands = std::make_unique<RunController>(
        Eng, Logic, Tracker, *Reporter, *EditorParts, [this] { RefreshTitleAndTextColour(); },
        [this] { FollowProgramBoard(false); }, this);
    FileCommands = std::make_unique<ProgramFileController>(ProgramFileParts{
        Eng, Tracker, Logic, *EditorParts, *EditorLines, *Reporter, *RunCommands, User, *this,
        [this] { return Language; }, [this](bool opened) { FollowProgramBoard(opened); }});
    BuildEventViews();
    BuildPortTools(bench);
    Searching = std::make_unique<SearchCommands>(*EditorParts, Tracker);
    GotoLine = std::make_unique<GotoLineCommand>(GotoLineParts{
        *EditorParts, *EditorLines, Logic, Tracker, User, *this, [this] { return Language; }});
    AboutAndLabels = std::make_unique<AboutCommands>(
        Logic, *Menu.Labels, Eng.State().Labels, [this] { return Language; }, *this);
    SplashShown = std::make_unique<SplashControl>(*this, Options.ShowSplash);
    BuildClassroom(bench);
    ConnectCommands();
    BuildBoardView(bench.Port);
    ConnectEditor();

    Eng.SetProgram(*EditorLines);
    Reporting = Eng.Listen(*Reporter);
    ModelFollowing = Eng.Listen(Logic);
    ModelShown = Logic.Subscribe(*this);
    Logic.SetSpeedRunAllowed(bench.Values.SpeedRun);

    // The port status, the run state's start values, no breakpoints,
    // everything that needs a program disabled.
    const CommandScope scope(Tracker);
    const PortStatusMessage port = PortStatus(Options.PortAvailable, Options.PortProblem);
    Eng.Display().ShowStatus(port.Text, port.Colour);
    Eng.ApplyStartValues();
    Eng.State().Breakpoints.ClearAll();
    Logic.Start();
    Eng.Display().DrawFlagMarkers(Eng.Registers());
    Menu.Notice->ShowPortState(Options.PortAvailable, Options.PortProblem);
    EditorScroll->setMaximum(0);
    TextEditor->moveCursor(QTextCursor::Start);
    TextEditor->SetTextColour(ToQColor(EditableTextColour));
    TextEditor->document()->setModified(false);
    EditorParts->SyncBoxes();
    setWindowTitle(QString::fromStdString(Session().Title(false)));
}

MainWindow::~MainWindow() {
    Reporting.Reset();
    ModelFollowing.Reset();
    ModelShown.Reset();
    // The children outlive this object's members: none of them may call back
    // into the window while they are destroyed.
    TextEditor->disconnect(this);
    RunCommands->StopTimers();
}

const ProgramSession& MainWindow::Session() const {
    return FileCommands->Session();
}

ProgramText& MainWindow::ProgramLines() const {
    return *EditorLines;
}

QTimer& MainWindow::ExecuteTimer() const {
    return RunCommands->ExecuteTimer();
}

QTimer& MainWindow::ActivityTimer() const {
    return RunCommands->ActivityTimer();
}

void MainWindow::RefreshDisplays() {
    Reporter->RefreshDisplays();
}

void MainWindow::BuildClient() {
    // "MS Sans Serif" 8 pt: the desktop's own interface font at 8 points.
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    Client = new QWidget(this);
    Client->setFixedSize(Layout::Client);
    setCentralWidget(Client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Menu = BuildMenuItems(*menuBar(), *this);
    auto* bar = new QToolBar(Client);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(Layout::ToolBar);
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    bar->setFloatable(false);
    Tools = BuildToolButtons(*bar);

    ReadoutBoxes = new ReadoutPanel(*Client);
    auto* logo = new PictureView(Client);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(Layout::Logo);
    logo->SetPicture(LogoPicture(Layout::Logo.size()));

    EditorFrame = new QFrame(Client);
    EditorFrame->setObjectName(QStringLiteral("Panel1"));
    EditorFrame->setGeometry(Layout::EditorPanel);
    EditorFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    TextEditor = new ProgramEditor(EditorFrame);
    TextEditor->setGeometry(Layout::Editor);
    Boxes = new BreakpointGutter(*Client, *TextEditor);

    EditorScroll = new QScrollBar(Qt::Vertical, Client);
    EditorScroll->setObjectName(QStringLiteral("ScrollBar1"));
    EditorScroll->setGeometry(Layout::EditorScrollBar);
    EditorScroll->setRange(0, 0);
    EditorScroll->setSingleStep(1);
    EditorScroll->setPageStep(23);

    StatusBar = new StatusLine(Client);
    ActivityView = new PictureView(Client);
    ActivityView->setObjectName(QStringLiteral("CircDrwImg"));
    ActivityView->setGeometry(Layout::ActivityIndicator);
    EditorParts = std::make_unique<EditorArea>(*TextEditor, *EditorFrame, *Boxes, *EditorScroll,
                                               *StatusBar, Eng.State().Breakpoints);
}

void MainWindow::BuildClassroom(Workbench bench) {
    const ClassroomOptions& classroom = Options.Classroom;
    ExampleItems = std::make_unique<ExamplesMenu>(classroom.Examples, *FileCommands, bench,
                                                  Eng.Display(), Menu, *menuBar());
    Zooms = std::make_unique<ZoomControl>(
        classroom, [this] { return Restarts->Relaunch(); }, bench, Eng.Display(), Menu, *menuBar(),
        *this);
    LineNumberItem =
        std::make_unique<LineNumbersItem>(Zooms->ViewMenu(), *TextEditor, bench, Eng.Display());
    PaceItems = std::make_unique<ExecutePaceMenu>(Menu, *RunCommands, *menuBar());
    MessagesItems = std::make_unique<MessagesTool>(Eng, *Reporter, Tracker, Menu, *this);
    Restarts = std::make_unique<SessionRestart>(SessionRestartParts{
        Tracker, *RunCommands, *EditorParts, *FileCommands, Eng.State().Breakpoints, *PaceItems,
        Eng.Display(), User, *this, classroom.Relaunch, [this] { CloseWithoutAsking(); }});
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ApplyLanguage(true);
    if (FirstShow) {
        FirstShow = false;
        FirstShown();
    }
}

void MainWindow::FirstShown() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    const CommandScope scope(Tracker);
    Logic.FirstShown();
    if (!Options.Handover.isEmpty()) {
        QTimer::singleShot(0, this, [this] { (void)Restarts->TakeHandover(Options.Handover); });
    } else if (!Options.StartFile.isEmpty()) {
        // Loaded once the window is on screen, so an error box has a parent to sit on.
        QTimer::singleShot(0, this, [this] { FileCommands->LoadStartFile(Options.StartFile); });
    }
}

void MainWindow::RefreshTitleAndTextColour() {
    setWindowTitle(QString::fromStdString(Session().Title(TextEditor->document()->isModified())));
    const QColor colour =
        ToQColor(TextEditor->isReadOnly() ? ReadOnlyTextColour : EditableTextColour);
    if (TextEditor->TextColour() != colour) {
        TextEditor->SetTextColour(colour);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!CloseAgreed && !FileCommands->MayDropText()) {
        event->ignore();
        EditorParts->FocusEditor();
        return;
    }
    if (Tracker.InCommand()) {
        // Asked while a run lets the interface work: the run stops at once
        // and the window closes when its loop has returned, so the engine is
        // never destroyed under a running loop.
        CloseAgreed = true;
        RunCommands->StopRun();
        event->ignore();
        return;
    }
    RunCommands->StopRun();
    RunCommands->StopTimers();
    event->accept();
}

void MainWindow::CloseWithoutAsking() {
    CloseAgreed = true;
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::ModelChanged() {
    const CommandStates& states = Logic.Commands();
    if (!(states == ShownCommands)) {
        ShownCommands = states;
        ShowCommandStates(states);
    }
    if (Logic.ActivityFrame() != ShownFrame) {
        ShownFrame = Logic.ActivityFrame();
        Reporter->DrawActivity(ShownFrame);
    }
    RunCommands->FollowModel();
    StateDiagram->SetFollowsSteps(Logic.RefreshWindows());
}

void MainWindow::ShowCommandStates(const CommandStates& states) {
    const auto enable = [](std::initializer_list<QAction*> actions, bool enabled) {
        for (QAction* action : actions) {
            action->setEnabled(enabled);
        }
    };
    enable({Tools.EventByEvent, Menu.EventByEvent}, states.EventByEvent);
    enable({Tools.StepByStep, Menu.StepByStep}, states.StepByStep);
    enable({Tools.Execute, Menu.Execute}, states.Execute);
    enable({Tools.Pause, Menu.Pause}, states.Pause);
    enable({Tools.SpeedRun}, states.SpeedRunButton);
    enable({Menu.SpeedRun}, states.SpeedRunItem);
    enable({Tools.Reset, Menu.Reset}, states.Reset);
    enable({Menu.ShowExecPoint}, states.ShowExecPoint);
    enable({Menu.Search, Menu.Replace, Tools.Search}, states.Search);
    enable({Tools.SaveProgram}, states.SaveFileButton);
    enable({Menu.SaveProgram, Menu.SaveProgramAs}, states.SaveItems);
    TextEditor->setReadOnly(!states.EditorWritable);
    EditorFrame->setEnabled(states.EditorWritable);
    Boxes->SetBoxesEnabled(states.GutterBoxes);
}

void MainWindow::CommandEnded(bool outermost) {
    Reporter->RefreshDisplays();
    if (outermost && CloseAgreed) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

} // namespace scanbench
