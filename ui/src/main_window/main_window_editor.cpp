#include "ui/editor/editor_area.h"
#include "ui/editor/editor_program_text.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/main_window.h"

namespace scanbench {

void MainWindow::ConnectEditor() {
    connect(TextEditor, &QPlainTextEdit::textChanged, this, &MainWindow::TextChanged);
}

void MainWindow::TextChanged() {
    const std::int32_t lines = EditorLines->LineCount();
    EditorParts->LinesChanged(lines);
    Logic.TextChanged(lines);
}

} // namespace scanbench
