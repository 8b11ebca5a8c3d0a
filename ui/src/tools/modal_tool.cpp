#include "ui/tools/modal_tool.h"

#include "engine/run/engine.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/run_controller.h"
#include "window_logic/main_window/main_window_model.h"

#include <QAction>
#include <QDialog>

namespace scanbench {

void RunModalTool(QDialog& tool, ModalToolStart start, const ModalToolParts& parts) {
    CommandStates remembered;
    {
        const CommandScope scope(parts.Commands);
        remembered = parts.Model.Commands();
        if (start == ModalToolStart::Reset) {
            parts.Eng.ResetSimulation();
        } else if (parts.Runs.Running()) {
            parts.Runs.Pause();
        }
    }
    tool.exec();
    {
        const CommandScope scope(parts.Commands);
        parts.Eng.ResetSimulation();
        parts.Model.RestoreRunCommands(remembered);
    }
    // A disabled button takes no click.
    if (parts.ResetButton.isEnabled()) {
        parts.ResetButton.trigger();
    }
    ProgramEditor& editor = parts.Editor;
    QTextCursor caret = editor.textCursor();
    caret.setPosition(caret.selectionStart());
    editor.setTextCursor(caret);
    editor.setFocus();
}

} // namespace scanbench
