#include "engine/engine.h"
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
    connect(Memo1, &QPlainTextEdit::textChanged, this, &MainWindow::TextChanged);
    connect(Memo1, &ProgramEditor::KeyReleased, this, &MainWindow::EditorKeyReleased);
    connect(Memo1, &ProgramEditor::MousePressed, this, &MainWindow::ShowCaretPos);
    // The boxes follow the editor's first visible line however it moves.
    connect(Memo1, &QPlainTextEdit::updateRequest, this,
            [this](const QRect&, int dy) { EditorUpdateRequest(dy); });
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int position) {
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
    SetScrollBarPosition(Memo1->CaretLine());
    ShowCaretPos();
}

void MainWindow::ScrollBarMoved(int position) {
    Memo1->PutCaretAtLineStart(position);
    ShowCaretPos();
    if (Panel1->isEnabled()) {
        Memo1->setFocus();
    }
    SyncBoxes();
}

void MainWindow::SyncBoxes() {
    SyncedFirstLine = Memo1->FirstVisibleLine();
    Boxes->ShowStates(LoadGutterBoxes(Eng.State().Breakpoints, SyncedFirstLine));
}

void MainWindow::FocusEditor() {
    if (Panel1->isEnabled()) {
        Memo1->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::ShowCaretPos() {
    StatusBar->ShowCaretPosition(
        QString::fromStdString(CaretPositionText(Memo1->CaretLine(), Memo1->CaretColumn())));
}

void MainWindow::BoxesChanged() {
    StoreGutterBoxes(Eng.State().Breakpoints, Memo1->FirstVisibleLine(), Boxes->States());
    // Lines beyond the flagged range show no breakpoint.
    SyncBoxes();
}

void MainWindow::EditorUpdateRequest(int dy) {
    if (dy != 0 || Memo1->FirstVisibleLine() != SyncedFirstLine) {
        SyncBoxes();
    }
}

void MainWindow::SetScrollBarPosition(int position) {
    ScrollBarByProgram = true;
    ScrollBar1->setValue(position);
    ScrollBarByProgram = false;
}

void MainWindow::SetScrollBarMaximum(int maximum) {
    ScrollBarByProgram = true;
    ScrollBar1->setMaximum(maximum);
    ScrollBarByProgram = false;
}

} // namespace scanbench
