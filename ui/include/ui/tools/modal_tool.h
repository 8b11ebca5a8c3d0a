#pragma once

class QAction;
class QDialog;

namespace scanbench {

class CommandTracker;
class Engine;
class MainWindowModel;
class ProgramEditor;
class RunController;

// What a modal tool of the main window works with: the run it holds, the
// run commands it remembers, the Reset button it clicks afterwards and the
// editor that gets the focus back.
struct ModalToolParts {
    Engine& Eng;
    CommandTracker& Commands;
    MainWindowModel& Model;
    RunController& Runs;
    QAction& ResetButton;
    ProgramEditor& Editor;
};

// How a modal tool begins: with a reset (the shifter drives the TAPs from
// their reset state), or with a running program paused (it would drive the
// port under the user's hands).
enum class ModalToolStart : bool { PauseRun, Reset };

// Shows `tool` modally. The run commands' states are remembered around it
// and the simulation reset after it, as after the received bitstream
// viewer; then Reset is clicked once more, and the editor gets the focus
// with no selection left, the caret where the selection began.
void RunModalTool(QDialog& tool, ModalToolStart start, const ModalToolParts& parts);

} // namespace scanbench
