#pragma once

// Qt: the main window is a QMainWindow.
#include "engine/feed/engine_listener.h"
#include "ui/main_window/classroom_options.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/menu_items.h"
#include "ui/main_window/tool_buttons.h"
#include "ui/main_window/workbench.h"
#include "ui/tools/modal_tool.h"
#include "window_logic/main_window/main_window_model.h"

#include <QMainWindow>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QFrame;
class QScrollBar;
class QTimer;

namespace scanbench {

class AboutCommands;
class BitstreamShifterDialog;
class BitstreamViewer;
class BreakpointGutter;
class EditorArea;
class GotoLineCommand;
class EditorProgramText;
class EventListWindow;
class ExamplesMenu;
class ExecutePaceMenu;
class HelpWindow;
class Engine;
class MainWindowReporter;
class PictureView;
class JtagTools;
class LineNumbersItem;
class MessagesTool;
class ParallelPortTool;
class PortSignalsWindow;
class ProgramEditor;
class ProgramFileController;
class ProgramSession;
class ProgramText;
class ReadoutPanel;
class RunController;
class SearchCommands;
class SessionRestart;
class SplashControl;
class SetupCommand;
class SimulatedBoardWindow;
class StateDiagramWindow;
class StatusLine;
class UserInteraction;
class WaveformWindow;
class ZoomControl;

// What the program tells the main window at start.
struct MainWindowOptions {
    bool PortAvailable = true;
    std::string PortProblem;               // why the port cannot be reached, if it cannot
    QString StartFile;                     // loaded when the window first shows
    std::string InstallDir;                // the InstallDir setting
    std::filesystem::path InstalledDocDir; // the manual's installed folder
    std::filesystem::path SourceDocDir;    // the manual in the source tree
    bool ShowSplash = false;               // the splash window while the program starts
    QString Handover;                      // a session handed over by a restart, loaded
                                           // instead of StartFile
    ClassroomOptions Classroom;            // the examples' folders, the restart
    ExampleFolders Boards;                 // the shipped boards' folders, looked for as
                                           // the examples' are
};

// The main window: program editor with its breakpoint gutter and scroll bar,
// read-outs, status line, menus and tool buttons. It presents and forwards:
// what may be used and what runs is its MainWindowModel's, the file
// commands are a ProgramFileController's, the run commands and timers a
// RunController's, and the engine's reports reach the widgets through a
// MainWindowReporter.
class MainWindow : public QMainWindow, private MainWindowModelListener {
    Q_OBJECT
public:
    // Subscribes its reporter to `engine` and makes the editor the engine's
    // program text. The engine and the workbench must outlive the window.
    MainWindow(Engine& engine, UserInteraction& user, Workbench bench, MainWindowOptions options);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    [[nodiscard]] ProgramFileController& Files() const { return *FileCommands; }
    [[nodiscard]] RunController& Runs() const { return *RunCommands; }
    [[nodiscard]] PortSignalsWindow& PortSignals() const { return *Signals; }
    [[nodiscard]] ParallelPortTool& ParallelPort() const { return *PortTool; }
    [[nodiscard]] BitstreamShifterDialog& Shifter() const { return *ShifterWindow; }
    [[nodiscard]] SetupCommand& Setup() const { return *SetupCommands; }
    [[nodiscard]] const ProgramSession& Session() const;
    [[nodiscard]] MainWindowModel& Model() { return Logic; }

    [[nodiscard]] ProgramEditor& Editor() const { return *TextEditor; }
    [[nodiscard]] QFrame& EditorPanel() const { return *EditorFrame; }
    [[nodiscard]] QScrollBar& EditorScrollBar() const { return *EditorScroll; }
    [[nodiscard]] BreakpointGutter& Gutter() const { return *Boxes; }
    [[nodiscard]] EditorArea& Area() const { return *EditorParts; }
    [[nodiscard]] StatusLine& Status() const { return *StatusBar; }
    [[nodiscard]] ReadoutPanel& Readouts() const { return *ReadoutBoxes; }
    [[nodiscard]] PictureView& ActivityIndicator() const { return *ActivityView; }
    [[nodiscard]] const MenuItems& Items() const { return Menu; }
    [[nodiscard]] const ToolButtons& Buttons() const { return Tools; }
    [[nodiscard]] ProgramText& ProgramLines() const;
    [[nodiscard]] QTimer& ExecuteTimer() const;
    [[nodiscard]] QTimer& ActivityTimer() const;
    [[nodiscard]] CommandTracker& Commands() { return Tracker; }
    [[nodiscard]] StateDiagramWindow& StateDiagrams() const { return *StateDiagram; }
    [[nodiscard]] WaveformWindow& Waveforms() const { return *Waves; }
    [[nodiscard]] EventListWindow& EventList() const { return *EventListView; }
    [[nodiscard]] SimulatedBoardWindow& SimulatedBoard() const { return *BoardView; }
    [[nodiscard]] BitstreamViewer& ReceivedBits() const { return *BitsViewer; }
    [[nodiscard]] SearchCommands& Searches() const { return *Searching; }
    [[nodiscard]] GotoLineCommand& Goto() const { return *GotoLine; }
    [[nodiscard]] AboutCommands& AboutItems() const { return *AboutAndLabels; }
    [[nodiscard]] SplashControl& Splash() const { return *SplashShown; }
    [[nodiscard]] ExamplesMenu& Examples() const { return *ExampleItems; }
    [[nodiscard]] ZoomControl& Zoom() const { return *Zooms; }
    [[nodiscard]] LineNumbersItem& LineNumbers() const { return *LineNumberItem; }
    [[nodiscard]] ExecutePaceMenu& PaceMenu() const { return *PaceItems; }
    [[nodiscard]] MessagesTool& Messages() const { return *MessagesItems; }
    [[nodiscard]] SessionRestart& Restart() const { return *Restarts; }
    [[nodiscard]] MainWindowReporter& Reports() const { return *Reporter; }

    // Closes the window without the question about unsaved text: the text
    // went to a restarted program.
    void CloseWithoutAsking();

    // The interface language: 0 English, 1 Portuguese, 2 French, 3 German.
    [[nodiscard]] std::uint8_t LanguageIndex() const { return Language; }
    // Sets the menu captions from the language table in the current
    // language; with `notifyViews`, then tells the views (LanguageChanged).
    void ApplyLanguage(bool notifyViews);
    // The command of the Language submenu's items.
    void ChooseLanguage(std::uint8_t language);

    // Editor commands.
    void Copy();
    void Paste();
    void Cut();
    void Undo();
    // The title and the editor's text colour, refreshed every 500 ms.
    void RefreshTitleAndTextColour();
    // Opens the user manual in the desktop's browser, or in a help window of
    // the program's own when no browser opens it.
    void ShowHelp();
    // The help window, once the manual was shown in it.
    [[nodiscard]] HelpWindow* ManualWindow() const { return Manual; }
    // Shows the event list (non-modal).
    void ShowEventList();
    // Shows the received bitstream viewer modally and resets the simulation
    // when it closes.
    void OpenBitstreamViewer();

    // Brings every display up to date with what the engine reported.
    void RefreshDisplays();
    // The program in the editor, just `opened` or about to run from its
    // first line, runs on the board its Board line names, or on Setup's
    // board when it names none; the status line and the log tell.
    void FollowProgramBoard(bool opened);

signals:
    // The interface language changed; views show their captions in it.
    void LanguageChanged(int language);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildClient();
    void ConnectCommands();
    void BuildEventViews();
    // View > Zoom and Line Numbers, Run > Execute Pace, Windows > Messages,
    // File > Examples and the restart for a new zoom.
    void BuildClassroom(Workbench bench);
    // The port signals window, the Parallel Port tool, the Bitstream
    // shifter and Setup.
    void BuildPortTools(Workbench bench);
    [[nodiscard]] ModalToolParts ModalParts();
    // The simulated board window with its menu item and tool button.
    void BuildBoardView(PortConnection& port);
    void ConnectEditor();
    void FirstShown();
    void CommandEnded(bool outermost);
    // Shows what the model holds now.
    void ModelChanged() override;
    void ShowCommandStates(const CommandStates& states);
    // Shows a view window, non-modally, in front.
    void ShowView(QWidget& view);

    // The editor's text changed.
    void TextChanged();

    Engine& Eng;
    UserInteraction& User;
    MainWindowOptions Options;
    MainWindowModel Logic;
    CommandTracker Tracker;

    MenuItems Menu;
    ToolButtons Tools;
    QWidget* Client = nullptr;
    ReadoutPanel* ReadoutBoxes = nullptr;
    QFrame* EditorFrame = nullptr;
    ProgramEditor* TextEditor = nullptr;
    QScrollBar* EditorScroll = nullptr;
    BreakpointGutter* Boxes = nullptr;
    std::unique_ptr<EditorArea> EditorParts;
    StatusLine* StatusBar = nullptr;
    PictureView* ActivityView = nullptr;
    StateDiagramWindow* StateDiagram = nullptr;
    WaveformWindow* Waves = nullptr;
    EventListWindow* EventListView = nullptr;
    BitstreamViewer* BitsViewer = nullptr;
    SimulatedBoardWindow* BoardView = nullptr;
    HelpWindow* Manual = nullptr;

    std::unique_ptr<RunController> RunCommands;
    std::unique_ptr<ProgramFileController> FileCommands;
    PortSignalsWindow* Signals = nullptr;
    ParallelPortTool* PortTool = nullptr;
    BitstreamShifterDialog* ShifterWindow = nullptr;
    SetupCommand* SetupCommands = nullptr;
    JtagTools* Jtag = nullptr;
    std::unique_ptr<MainWindowReporter> Reporter;
    EngineSubscription Reporting;
    EngineSubscription ModelFollowing;
    ListenerList<MainWindowModelListener>::Subscription ModelShown;
    // What the widgets show of the model; they are built with the commands
    // as a model starts.
    CommandStates ShownCommands;
    int ShownFrame = -1;
    std::unique_ptr<EditorProgramText> EditorLines;
    std::unique_ptr<SearchCommands> Searching;
    std::unique_ptr<GotoLineCommand> GotoLine;
    std::unique_ptr<AboutCommands> AboutAndLabels;
    std::unique_ptr<SplashControl> SplashShown;
    // Teaching in a room: after the reporter, which logs into the messages
    // until they are gone.
    std::unique_ptr<ExamplesMenu> ExampleItems;
    std::unique_ptr<ZoomControl> Zooms;
    std::unique_ptr<LineNumbersItem> LineNumberItem;
    std::unique_ptr<ExecutePaceMenu> PaceItems;
    std::unique_ptr<MessagesTool> MessagesItems;
    std::unique_ptr<SessionRestart> Restarts;
    std::uint8_t Language = 0;

    bool FirstShow = true;
    bool CloseAgreed = false;
};

} // namespace scanbench
