#include "engine/run/engine.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_program_text.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/status_line.h"
#include "window_logic/editor/caret_position.h"

#include <QFrame>
#include <QScrollBar>

namespace scanbench {

void MainWindow::ConnectEditor() {
    connect(TextEditor, &QPlainTextEdit::textChanged, this, &MainWindow::TextChanged);
    connect(TextEditor, &ProgramEditor::KeyReleased, this, &MainWindow::EditorKeyReleased);
    connect(TextEditor, &ProgramEditor::MousePressed, this, &MainWindow::ShowCaretPos);
    // The boxes follow the editor's first visible line however it moves.
    connect(TextEditor, &QPlainTextEdit::updateRequest, this,
            [this](const QRect&, int dy) { EditorUpdateRequest(dy); });
    connect(EditorScroll, &QScrollBar::valueChanged, this, [this](int position) {
        // Any move of the scroll bar takes the marker away; only the user's
        // moves take the caret along.
        Boxes->ClearMarkers();
        if (!ScrollBarByProgram) {
            ScrollBarMoved(position);
        }
    });
    connect(Boxes, &BreakpointGutter::BoxesChanged, this, &MainWindow::BoxesChanged);
}

void MainWindow::TextChanged() {
    const std::int32_t lines = EditorLines->LineCount();
    if (lines >= 1) {
        SetScrollBarMaximum(lines - 1);
    }
    ShowCaretPos();
    Logic.TextChanged(lines);
}

void MainWindow::EditorKeyReleased() {
    SetScrollBarPosition(TextEditor->CaretLine());
    ShowCaretPos();
}

void MainWindow::ScrollBarMoved(int position) {
    TextEditor->PutCaretAtLineStart(position);
    ShowCaretPos();
    if (EditorFrame->isEnabled()) {
        TextEditor->setFocus();
    }
    SyncBoxes();
}

void MainWindow::SyncBoxes() {
    SyncedFirstLine = TextEditor->FirstVisibleLine();
    Boxes->ShowStates(LoadGutterBoxes(Eng.State().Breakpoints, SyncedFirstLine));
}

void MainWindow::FocusEditor() {
    if (EditorFrame->isEnabled()) {
        TextEditor->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::ShowCaretPos() {
    StatusBar->ShowCaretPosition(QString::fromStdString(
        CaretPositionText(TextEditor->CaretLine(), TextEditor->CaretColumn())));
}

void MainWindow::BoxesChanged() {
    StoreGutterBoxes(Eng.State().Breakpoints, TextEditor->FirstVisibleLine(), Boxes->States());
    // Lines beyond the flagged range show no breakpoint.
    SyncBoxes();
}

void MainWindow::EditorUpdateRequest(int dy) {
    if (dy != 0 || TextEditor->FirstVisibleLine() != SyncedFirstLine) {
        SyncBoxes();
    }
}

void MainWindow::SetScrollBarPosition(int position) {
    ScrollBarByProgram = true;
    EditorScroll->setValue(position);
    ScrollBarByProgram = false;
}

void MainWindow::SetScrollBarMaximum(int maximum) {
    ScrollBarByProgram = true;
    EditorScroll->setMaximum(maximum);
    ScrollBarByProgram = false;
}

} // namespace scanbench
