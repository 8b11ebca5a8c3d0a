#include "ui/main_window.h"

#include "engine/engine.h"
#include "engine/reporter_relay.h"
#include "settings/display_colours.h"
#include "ui/artwork.h"
#include "ui/breakpoint_gutter.h"
#include "ui/editor_program_text.h"
#include "ui/main_layout.h"
#include "ui/picture_view.h"
#include "ui/program_editor.h"
#include "ui/readout_panel.h"
#include "ui/status_line.h"
#include "ui/window_colours.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

namespace scanbench {

MainWindow::MainWindow(Engine& engine, ReporterRelay& relay, UserInteraction& user,
                       MainWindowOptions options)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      Eng(engine), Relay(relay), User(user), Options(std::move(options)), FileSession(engine) {
    setObjectName(QStringLiteral("Form1"));
    BuildClient();
    BuildTimers();
    ConnectCommands();
    ConnectEditor();

    ProgramLines =
        std::make_unique<EditorProgramText>(*Memo1, [this](std::int32_t line) { ShowLine(line); });
    Eng.SetProgram(*ProgramLines);
    Relay.Attach(this);

    // FormCreate: the port status, the run state's start values, no
    // breakpoints, everything that needs a program disabled.
    const CommandScope scope(*this);
    FileSession.Start(Options.PortAvailable);
    if (!Options.PortAvailable) {
        Menu.N9->setText(QString::fromLatin1(DriverErrorNotice));
    }
    ScrollBar1->setMaximum(0);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->SetTextColour(ToQColor(EditableTextColour));
    Memo1->document()->setModified(false);
    SyncBoxes();
    setWindowTitle(QString::fromStdString(FileSession.Title(false)));
}

MainWindow::~MainWindow() {
    Relay.Attach(nullptr);
    // The children outlive this object's members: none of them may call back
    // into the window while they are destroyed.
    Memo1->disconnect(this);
    ScrollBar1->disconnect(this);
    Boxes->disconnect(this);
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
    const QColor face = Client->palette().color(QPalette::Window);

    Menu = BuildMenuItems(*menuBar(), *this);
    auto* bar = new QToolBar(Client);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(Layout::ToolBar1);
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    bar->setFloatable(false);
    Tools = BuildToolButtons(*bar);

    ReadoutBoxes = new ReadoutPanel(*Client);
    auto* logo = new PictureView(Client);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(Layout::Image1);
    logo->SetPicture(LogoPicture(Layout::Image1.size()));

    Panel1 = new QFrame(Client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(Layout::Panel1);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Memo1 = new ProgramEditor(Panel1);
    Memo1->setGeometry(Layout::Memo1);
    Boxes = new BreakpointGutter(*Client, *Memo1);

    ScrollBar1 = new QScrollBar(Qt::Vertical, Client);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(Layout::ScrollBar1);
    ScrollBar1->setRange(0, 0);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(23);

    StatusBar = new StatusLine(Client);
    CircDrwImg = new PictureView(Client);
    CircDrwImg->setObjectName(QStringLiteral("CircDrwImg"));
    CircDrwImg->setGeometry(Layout::CircDrwImg);
    for (int frame = 0; frame < ActivityFrameCount; ++frame) {
        ActivityFrames[static_cast<std::size_t>(frame)] = ActivityPicture(frame, face);
    }
    CircDrwImg->SetPicture(ActivityFrames[0]);
    ExecArrow = ArrowPicture(ToQColor(ArrowColor), face);
}

void MainWindow::BuildTimers() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);

    TimCirc = new QTimer(this);
    TimCirc->setObjectName(QStringLiteral("tim_circ"));
    TimCirc->setInterval(100);
    connect(TimCirc, &QTimer::timeout, this, &MainWindow::tim_circTimer);
    TimCirc->start(); // stopped again when the window first shows

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    Timer2->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FirstShow) {
        FirstShow = false;
        FormShow();
    }
}

void MainWindow::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    const CommandScope scope(*this);
    DrawActivity(Eng.State().Run.ActivityFrame);
    TimCirc->stop();
    Eng.Display().DisableRunCommands();
    if (!Options.StartFile.isEmpty()) {
        // Loaded once the window is on screen, so an error box has a parent to sit on.
        QTimer::singleShot(0, this, &MainWindow::LoadStartFile);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!CloseAgreed && !MayDropText()) {
        event->ignore();
        return;
    }
    if (CommandDepth > 0) {
        // Asked while a run lets the interface work: the run stops at once
        // and the window closes when its loop has returned, so the engine is
        // never destroyed under a running loop.
        CloseAgreed = true;
        StopRunningLoop();
        event->ignore();
        return;
    }
    Timer1->stop();
    TimCirc->stop();
    Timer2->stop();
    event->accept();
}

MainWindow::CommandScope::CommandScope(MainWindow& window, bool clearsAboutClicks)
    : Window(window) {
    ++Window.CommandDepth;
    if (clearsAboutClicks) {
        Window.Eng.State().Run.AboutClicks = 0;
    }
}

MainWindow::CommandScope::~CommandScope() {
    --Window.CommandDepth;
    Window.RefreshDisplays();
    if (Window.CommandDepth == 0 && Window.CloseAgreed) {
        QTimer::singleShot(0, &Window, &QWidget::close);
    }
}

} // namespace scanbench
