#pragma once

#include <cstdint>
#include <optional>

namespace scanbench {

// Collects what the engine asks of the program editor's view between two
// refreshes of the window. The line fetch shows every statement and the step
// shows the execution point after every event; moving the real editor each
// time would lay out and repaint it per event. The window starts a batch from
// the view as it is, records the requests here and applies the outcome once.
// The outcome equals applying the requests one by one.
class EditorViewUpdates {
public:
    struct View {
        std::int32_t FirstLine = 0;    // first visible line
        std::int32_t MaxFirstLine = 0; // largest first visible line the editor allows
        std::int32_t CaretLine = 0;
        std::int32_t LastLine = 0; // last line the caret can reach
        int Rows = 23;             // whole rows on screen
    };
    enum class Arrow { Unchanged, Cleared, Drawn };
    struct Outcome {
        std::int32_t FirstLine = 0;
        std::int32_t CaretLine = 0;
        bool MoveCaret = false;    // put the caret at the start of CaretLine
        bool RefreshShown = false; // caret position text and gutter boxes are due
        std::optional<std::int32_t> ScrollBarPosition;
        Arrow ArrowState = Arrow::Unchanged;
        std::int32_t ArrowRow = 0; // row of a drawn arrow: caret line - first line
    };

    [[nodiscard]] bool Pending() const { return Active; }
    // Starts a batch from the editor's present view.
    void Begin(const View& now);
    // Caret to the start of `line`, scrolled into view; caret text and boxes
    // refreshed. A negative line means the caret's own line; a line past the
    // last leaves the caret where it is.
    void ShowLine(std::int32_t line);
    // The window's scroll bar to `currentLine`, then ShowLine(currentLine - 1)
    // and the execution arrow beside the caret's row.
    void ShowExecPoint(std::int32_t currentLine);
    // Scrolls `line` into view as ShowLine does, leaving the caret and the
    // arrow on their line (a breakpoint stop shows its line beside the
    // arrow of the statement just run).
    void RevealLine(std::int32_t line);
    // Removes the arrow from the gutter.
    void ClearArrow();
    // The outcome of the batch; afterwards nothing is pending.
    [[nodiscard]] Outcome Take();

private:
    View Now;
    Outcome Result;
    std::optional<std::int32_t> LastExecPoint; // when it was the last request
    bool Active = false;
};

} // namespace scanbench
