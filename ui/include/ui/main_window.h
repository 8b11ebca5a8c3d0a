#pragma once

#include "engine/engine_reporter.h"
#include "ui/main_actions.h"
#include "window_logic/editor_view_updates.h"
#include "window_logic/program_session.h"

#include <QMainWindow>
#include <QPixmap>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QFrame;
class QScrollBar;
class QTimer;

namespace scanbench {

class BreakpointGutter;
class EditorProgramText;
class Engine;
class PictureView;
class ProgramEditor;
class ReadoutPanel;
class ReporterRelay;
class StatusLine;
class UserInteraction;

// What the program tells the main window at start.
struct MainWindowOptions {
    bool PortAvailable = true;
    QString StartFile;                     // loaded when the window first shows
    std::string InstallDir;                // the InstallDir setting
    std::filesystem::path InstalledDocDir; // the manual's installed folder
    std::filesystem::path SourceDocDir;    // the manual in the source tree
};

// The main window: program editor with its breakpoint gutter and scroll bar,
// read-outs, status line, menus, tool buttons and the three timers. It shows
// what the engine reports and forwards the user's commands to the engine.
//
// The engine reports on every step; the window records those reports and
// brings its displays up to date once at the end of each command and
// whenever a run lets the interface handle its messages, so that a run never
// lays out or repaints the window per event.
class MainWindow : public QMainWindow, public EngineReporter {
    Q_OBJECT
public:
    // Attaches itself to `relay`, through which `engine` reports, and makes
    // the editor the engine's program text. The engine must outlive the window.
    MainWindow(Engine& engine, ReporterRelay& relay, UserInteraction& user,
               MainWindowOptions options);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    [[nodiscard]] ProgramEditor& Editor() const { return *Memo1; }
    [[nodiscard]] QFrame& EditorPanel() const { return *Panel1; }
    [[nodiscard]] QScrollBar& EditorScrollBar() const { return *ScrollBar1; }
    [[nodiscard]] BreakpointGutter& Gutter() const { return *Boxes; }
    [[nodiscard]] StatusLine& Status() const { return *StatusBar; }
    [[nodiscard]] ReadoutPanel& Readouts() const { return *ReadoutBoxes; }
    [[nodiscard]] const PictureView& ActivityIndicator() const { return *CircDrwImg; }
    [[nodiscard]] const MenuItems& Items() const { return Menu; }
    [[nodiscard]] const ToolButtons& Buttons() const { return Tools; }
    [[nodiscard]] const ProgramSession& Session() const { return FileSession; }
    [[nodiscard]] QTimer& ExecuteTimer() const { return *Timer1; }
    [[nodiscard]] QTimer& ActivityTimer() const { return *TimCirc; }

    // File commands.
    void ToolButton1Click(); // New
    void ToolButton2Click(); // Open
    void ToolButton3Click(); // Save
    void SaveAs1Click();
    void Exit1Click();
    // Writes the program to its file, asking for one when it has none.
    // False when nothing was written.
    bool SaveProg();

    // Run commands.
    void StepBtnClick();      // Event-by-Event
    void ToolButton17Click(); // Step-by-Step
    void Run_Test();          // Execute
    void Pause1Click();
    void ToolButton18Click(); // Speed Run
    void ResetSimulation();
    void ShowExec1Click();
    void ClearallBreakpoints1Click();

    // Timers: Timer1 1 ms (Execute), tim_circ 100 ms (activity indicator),
    // Timer2 500 ms (Speed Run button, title, editor colour).
    void Timer1Timer();
    void tim_circTimer();
    void Timer2Timer();

    // Editor.
    void MemoChange();
    void MemoKeyUp();
    void MemoMouseDown();
    void ScrollBar1Scroll(int position);
    void ScrollBar1Change();
    void Copy1Click();
    void Past1Click();
    void Cut1Click();
    void Undo1Click();
    // Loads the gutter boxes from the breakpoint flags of the lines on screen.
    void SyncBoxes();
    // Writes the caret position into the status line.
    void ShowCaretPos();

    // Help: opens the user manual in the desktop's browser.
    void HelpTopics1Click();
    void ToolButton10Click() { HelpTopics1Click(); }

    // Brings every display up to date with what the engine reported.
    void RefreshDisplays();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Marks a command of the window: displays are refreshed when the
    // outermost one ends; a close asked for during a run happens then.
    class CommandScope {
    public:
        explicit CommandScope(MainWindow& window, bool clearsAboutClicks = true);
        ~CommandScope();
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

    private:
        MainWindow& Window;
    };

    // Reports of the engine.
    void ShowStatus(std::string_view text, StatusColour colour) override;
    void ShowExecPoint(std::int32_t currentLine) override;
    void ClearExecPoint() override;
    void DrawFlagMarkers(const std::array<int, 2>& selectedBits) override;
    void ShowCounter(std::uint8_t tap, std::string_view text) override;
    void ShowFlags(std::uint8_t tap, std::string_view text) override;
    void HighlightSelectedTap(std::uint8_t tap) override;
    void ApplyCommandStates(const CommandStates& states) override;
    void DrawActivity(int frame) override;
    void SetExecuteTimer(bool running) override;
    void SetActivityTimer(bool running) override;
    void ProcessPendingMessages() override;

    void BuildClient();
    void BuildTimers();
    void ConnectCommands();
    void ConnectEditor();
    void FormShow();
    void LoadStartFile();

    // The program editor's line show, from the line fetch.
    void ShowLine(std::int32_t line);
    [[nodiscard]] EditorViewUpdates& ViewBatch();
    void ApplyView(const EditorViewUpdates::Outcome& outcome);
    void RefreshIfIdle();
    void SetScrollBarPosition(int position);
    void SetScrollBarMaximum(int maximum);
    void BoxesChanged();
    void EditorUpdateRequest(int dy);

    // Asks about unsaved text; true when the command may go on.
    [[nodiscard]] bool MayDropText();
    // A file command that arrives while a run lets the interface work ends
    // that run first, as a reset would.
    void StopRunningLoop();
    bool WriteProgram(const QString& path);

    Engine& Eng;
    ReporterRelay& Relay;
    UserInteraction& User;
    MainWindowOptions Options;
    ProgramSession FileSession;

    MenuItems Menu;
    ToolButtons Tools;
    QWidget* Client = nullptr;
    ReadoutPanel* ReadoutBoxes = nullptr;
    QFrame* Panel1 = nullptr;
    ProgramEditor* Memo1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    BreakpointGutter* Boxes = nullptr;
    StatusLine* StatusBar = nullptr;
    PictureView* CircDrwImg = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* TimCirc = nullptr;
    QTimer* Timer2 = nullptr;
    std::unique_ptr<EditorProgramText> ProgramLines;
    std::array<QPixmap, 9> ActivityFrames;
    QPixmap ExecArrow;

    // Reports waiting for the next refresh.
    struct PendingReadouts {
        std::optional<std::pair<QString, StatusColour>> Status;
        std::array<std::optional<QString>, 2> Counters;
        std::array<std::optional<QString>, 2> Flags;
        std::optional<std::uint8_t> HighlightedTap;
    };
    PendingReadouts Pending;
    EditorViewUpdates ViewUpdates;

    int CommandDepth = 0;
    bool ScrollBarByProgram = false;
    bool FirstShow = true;
    bool CloseAgreed = false;
    std::int32_t SyncedFirstLine = -1;
};

} // namespace scanbench
