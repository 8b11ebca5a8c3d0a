#pragma once

#include <QAction>

class QMenuBar;
class QMenu;
class QToolBar;

namespace scanbench {

// The menu items of the main window. Each is a QAction whose object name is
// the item's name; commands that come with later windows are present and
// do nothing yet.
struct MenuItems {
    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Exit1 = nullptr;

    QMenu* Edit2 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Past1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Search1 = nullptr;
    QAction* Replace1 = nullptr;
    QAction* Goto1 = nullptr;
    QAction* ClearallBreakpoints1 = nullptr;

    QMenu* Run2 = nullptr;
    QAction* StepbyStep1 = nullptr;   // "Event-by-Event"
    QAction* EventbyEvent1 = nullptr; // "Step-by-Step"
    QAction* Run1 = nullptr;          // "Execute"
    QAction* Pause1 = nullptr;
    QAction* ShowExec1 = nullptr;
    QAction* SpeedRunTM1 = nullptr;
    QAction* Reset1 = nullptr;
    QMenu* Language1 = nullptr;
    QAction* English1 = nullptr;
    QAction* Portuguese1 = nullptr;
    QAction* French1 = nullptr;
    QAction* German1 = nullptr;
    QAction* Setup1 = nullptr;

    QMenu* Windows1 = nullptr;
    QAction* StateDiagram01 = nullptr;
    QAction* Waveforms1 = nullptr;
    QAction* Labels1 = nullptr;
    QAction* EventList1 = nullptr;
    QAction* ShowParallelPortSignals1 = nullptr;

    QMenu* Utilities1 = nullptr;
    QAction* BitstreamShifter1 = nullptr;
    QAction* Inputbitstreamviewer1 = nullptr;
    QAction* ParallelPort1 = nullptr;

    QAction* N9 = nullptr; // the notice on the menu bar

    QMenu* Help1 = nullptr;
    QAction* HelpTopics1 = nullptr;
    QAction* About1 = nullptr;
};

// The tool buttons, left to right, each a QAction named after its button
// with its hint as tool tip.
struct ToolButtons {
    QAction* ToolButton1 = nullptr;  // New File
    QAction* ToolButton2 = nullptr;  // Open File
    QAction* ToolButton3 = nullptr;  // Save File
    QAction* ToolButton5 = nullptr;  // Search
    QAction* ToolButton11 = nullptr; // Clear all Breakpoints
    QAction* ToolButton27 = nullptr; // Goto line number...
    QAction* ToolButton12 = nullptr; // Run: Event-by-Event
    QAction* ToolButton17 = nullptr; // Run: Step-by-Step
    QAction* ToolButton6 = nullptr;  // Run: Execute Code
    QAction* ToolButton20 = nullptr; // Run: Pause
    QAction* ToolButton14 = nullptr; // Reset
    QAction* ToolButton18 = nullptr; // Speed Run
    QAction* ToolButton22 = nullptr; // State diagram
    QAction* ToolButton28 = nullptr; // Waveforms
    QAction* ToolButton21 = nullptr; // Bitstream shifter
    QAction* ToolButton7 = nullptr;  // Run: Setup
    QAction* ToolButton9 = nullptr;  // About
    QAction* ToolButton10 = nullptr; // Help
    QAction* ToolButton16 = nullptr; // Use parallel port
};

// The fixed notice the menu bar shows when the port driver did not start.
inline constexpr const char* DriverErrorNotice =
    "              ERROR STARTING DRIVER.        The program will not function correctly."
    "              ";

// Builds the menus with their shortcuts and start states into `bar`.
[[nodiscard]] MenuItems BuildMenuItems(QMenuBar& bar, QObject& owner);
// Builds the tool buttons, 24 pixels wide, with their hints and start states.
[[nodiscard]] ToolButtons BuildToolButtons(QToolBar& bar);

} // namespace scanbench
