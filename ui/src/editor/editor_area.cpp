#include "ui/editor/editor_area.h"

#include "engine/program/breakpoint_flags.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/status_line.h"
#include "window_logic/editor/caret_position.h"
#include "window_logic/editor/gutter_geometry.h"

#include <QFrame>
#include <QScrollBar>

namespace scanbench {

EditorArea::EditorArea(ProgramEditor& editor, QFrame& frame, BreakpointGutter& gutter,
                       QScrollBar& scrollBar, StatusLine& status, BreakpointFlags& breakpoints)
    : TextEditor(editor), EditorFrame(frame), Boxes(gutter), EditorScroll(scrollBar),
      Status(status), Breakpoints(breakpoints) {
    connect(&TextEditor, &ProgramEditor::KeyReleased, this, &EditorArea::KeyReleased);
    connect(&TextEditor, &ProgramEditor::MousePressed, this, &EditorArea::ShowCaretPos);
    // The boxes follow the editor's first visible line however it moves.
    connect(&TextEditor, &QPlainTextEdit::updateRequest, this,
            [this](const QRect&, int dy) { UpdateRequested(dy); });
    connect(&EditorScroll, &QScrollBar::valueChanged, this, [this](int position) {
        // Any move of the scroll bar takes the marker away; only the user's
        // moves take the caret along.
        Boxes.ClearMarkers();
        if (!ScrollBarByProgram) {
            ScrollBarMoved(position);
        }
    });
    connect(&Boxes, &BreakpointGutter::BoxesChanged, this, &EditorArea::BoxesChanged);
}

EditorArea::~EditorArea() {
    // The widgets outlive the area: none of them may call into it any more.
    TextEditor.disconnect(this);
    EditorScroll.disconnect(this);
    Boxes.disconnect(this);
}

bool EditorArea::Writable() const {
    return EditorFrame.isEnabled();
}

void EditorArea::LinesChanged(std::int32_t lines) {
    if (lines >= 1) {
        ScrollBarByProgram = true;
        EditorScroll.setMaximum(lines - 1);
        ScrollBarByProgram = false;
    }
    ShowCaretPos();
}

void EditorArea::KeyReleased() {
    SetScrollBarPosition(TextEditor.CaretLine());
    ShowCaretPos();
}

void EditorArea::ScrollBarMoved(int position) {
    TextEditor.PutCaretAtLineStart(position);
    ShowCaretPos();
    if (Writable()) {
        TextEditor.setFocus();
    }
    SyncBoxes();
}

void EditorArea::SyncBoxes() {
    SyncedFirstLine = TextEditor.FirstVisibleLine();
    Boxes.ShowStates(LoadGutterBoxes(Breakpoints, SyncedFirstLine));
}

void EditorArea::FocusEditor() {
    if (Writable()) {
        TextEditor.setFocus(Qt::OtherFocusReason);
    }
}

void EditorArea::ShowCaretPos() {
    Status.ShowCaretPosition(QString::fromStdString(
        CaretPositionText(TextEditor.CaretLine(), TextEditor.CaretColumn())));
}

void EditorArea::BoxesChanged() {
    StoreGutterBoxes(Breakpoints, TextEditor.FirstVisibleLine(), Boxes.States());
    // Lines beyond the flagged range show no breakpoint.
    SyncBoxes();
}

void EditorArea::UpdateRequested(int dy) {
    if (dy != 0 || TextEditor.FirstVisibleLine() != SyncedFirstLine) {
        SyncBoxes();
    }
}

void EditorArea::SetScrollBarPosition(int position) {
    ScrollBarByProgram = true;
    EditorScroll.setValue(position);
    ScrollBarByProgram = false;
}

} // namespace scanbench
