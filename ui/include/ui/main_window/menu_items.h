#pragma once

// Qt: the main window's menu items as QActions.
#include <QAction>

class QMenuBar;
class QMenu;

namespace scanbench {

class DriverNotice;

// The menu items of the main window. Each is a QAction whose object name is
// the item's name in the window's layout ("StepbyStep1", ...); commands that
// come with later windows are present and do nothing yet.
struct MenuItems {
    QMenu* FileMenu = nullptr;
    QAction* NewProgram = nullptr;
    QAction* OpenProgram = nullptr;
    QAction* SaveProgram = nullptr;
    QAction* SaveProgramAs = nullptr;
    QAction* ExportSvf = nullptr;
    QAction* Exit = nullptr;

    QMenu* EditMenu = nullptr;
    QAction* Copy = nullptr;
    QAction* Paste = nullptr;
    QAction* Cut = nullptr;
    QAction* Undo = nullptr;
    QAction* Search = nullptr;
    QAction* Replace = nullptr;
    QAction* GotoLine = nullptr;
    QAction* ClearAllBreakpoints = nullptr;

    QMenu* RunMenu = nullptr;
    QAction* EventByEvent = nullptr; // named "StepbyStep1" in the layout
    QAction* StepByStep = nullptr;   // named "EventbyEvent1" in the layout
    QAction* Execute = nullptr;
    QAction* Pause = nullptr;
    QAction* ShowExecPoint = nullptr;
    QAction* SpeedRun = nullptr;
    QAction* Reset = nullptr;
    QMenu* LanguageMenu = nullptr;
    QAction* English = nullptr;
    QAction* Portuguese = nullptr;
    QAction* French = nullptr;
    QAction* German = nullptr;
    QAction* Setup = nullptr;

    QMenu* WindowsMenu = nullptr;
    QAction* ServeBoard = nullptr; // checkable
    QAction* StateDiagram = nullptr;
    QAction* Waveforms = nullptr;
    QAction* Labels = nullptr;
    QAction* EventList = nullptr;
    QAction* PortSignals = nullptr;
    QAction* SimulatedBoard = nullptr; // added with its window

    QMenu* UtilitiesMenu = nullptr;
    QAction* BitstreamShifter = nullptr;
    QAction* BitstreamViewer = nullptr;
    QAction* ParallelPort = nullptr;

    DriverNotice* Notice = nullptr; // at the right end of the menu bar

    QMenu* HelpMenu = nullptr;
    QAction* HelpTopics = nullptr;
    QAction* About = nullptr;
};

// The notice the menu bar shows while the port can be reached.
inline constexpr const char* StandardNotice = "IEEE 1149.1 trainer";

// The fixed notice the menu bar shows when the port driver did not start.
inline constexpr const char* DriverErrorNotice =
    "              ERROR STARTING DRIVER.        The program will not function correctly."
    "              ";

// Builds the menus with their shortcuts and start states into `bar`.
[[nodiscard]] MenuItems BuildMenuItems(QMenuBar& bar, QObject& owner);

// Adds an item named `name` with `text` and `shortcut` to `menu`, enabled or not.
QAction* AddMenuItem(QMenu& menu, const char* name, const QString& text,
                     const QKeySequence& shortcut = {}, bool enabled = true);

} // namespace scanbench
