#pragma once

// Qt: the main window's tool buttons as QActions.
#include <QAction>

class QToolBar;

namespace scanbench {

// The tool buttons, left to right, each a QAction whose object name is its
// name in the window's layout ("ToolButton17", ...), with its hint as tool tip.
struct ToolButtons {
    QAction* NewProgram = nullptr;
    QAction* OpenProgram = nullptr;
    QAction* SaveProgram = nullptr;
    QAction* Search = nullptr;
    QAction* ClearAllBreakpoints = nullptr;
    QAction* GotoLine = nullptr;
    QAction* EventByEvent = nullptr;
    QAction* StepByStep = nullptr;
    QAction* Execute = nullptr;
    QAction* Pause = nullptr;
    QAction* Reset = nullptr;
    QAction* SpeedRun = nullptr;
    QAction* StateDiagram = nullptr;
    QAction* Waveforms = nullptr;
    QAction* SimulatedBoard = nullptr; // added with its window
    QAction* BitstreamShifter = nullptr;
    QAction* Setup = nullptr;
    QAction* About = nullptr;
    QAction* Help = nullptr;
    QAction* UseParallelPort = nullptr;
};

// Builds the tool buttons, 24 pixels wide, with their hints and start states.
[[nodiscard]] ToolButtons BuildToolButtons(QToolBar& bar);

} // namespace scanbench
