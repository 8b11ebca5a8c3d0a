#pragma once

// Qt: it connects the editor's widgets to one another.
#include <QObject>

#include <cstdint>

class QFrame;
class QScrollBar;

namespace scanbench {

class BreakpointFlags;
class BreakpointGutter;
class ProgramEditor;
class StatusLine;

// The program editor in its frame, with the breakpoint gutter beside it, the
// scroll bar that moves the caret line by line, and the caret position in
// the status line. The gutter's boxes follow the editor's first visible line
// however it moves and are the breakpoint flags of the lines on screen.
class EditorArea : public QObject {
    Q_OBJECT
public:
    // The widgets and the flags must outlive the area.
    EditorArea(ProgramEditor& editor, QFrame& frame, BreakpointGutter& gutter,
               QScrollBar& scrollBar, StatusLine& status, BreakpointFlags& breakpoints);
    ~EditorArea() override;
    EditorArea(const EditorArea&) = delete;
    EditorArea& operator=(const EditorArea&) = delete;

    [[nodiscard]] ProgramEditor& Editor() const { return TextEditor; }
    [[nodiscard]] QFrame& Frame() const { return EditorFrame; }
    [[nodiscard]] BreakpointGutter& Gutter() const { return Boxes; }
    [[nodiscard]] QScrollBar& ScrollBar() const { return EditorScroll; }
    // Whether the text may be typed into (not while a program runs).
    [[nodiscard]] bool Writable() const;

    // Loads the gutter boxes from the breakpoint flags of the lines on screen.
    void SyncBoxes();
    // Gives the editor the keyboard focus when it can be typed into (after
    // the commands and dialogs that took it away).
    void FocusEditor();
    // Writes the caret position into the status line.
    void ShowCaretPos();
    // Moves the scroll bar without treating it as the user's scroll.
    void SetScrollBarPosition(int position);
    // The text now has `lines` lines (at least one).
    void LinesChanged(std::int32_t lines);

private:
    void KeyReleased();
    void ScrollBarMoved(int position);
    void BoxesChanged();
    void UpdateRequested(int dy);

    ProgramEditor& TextEditor;
    QFrame& EditorFrame;
    BreakpointGutter& Boxes;
    QScrollBar& EditorScroll;
    StatusLine& Status;
    BreakpointFlags& Breakpoints;
    bool ScrollBarByProgram = false;
    std::int32_t SyncedFirstLine = -1;
};

} // namespace scanbench
