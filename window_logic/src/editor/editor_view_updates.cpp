#include "window_logic/editor/editor_view_updates.h"

#include "window_logic/editor/gutter_geometry.h"

#include <algorithm>

namespace scanbench {

void EditorViewUpdates::Begin(const View& now) {
    Now = now;
    Result = Outcome{};
    Result.FirstLine = now.FirstLine;
    Result.CaretLine = now.CaretLine;
    LastExecPoint.reset();
    Active = true;
}

void EditorViewUpdates::ShowLine(std::int32_t line) {
    LastExecPoint.reset();
    if (line < 0) {
        line = Result.CaretLine;
    }
    if (line <= Now.LastLine) {
        Result.CaretLine = line;
        Result.MoveCaret = true;
    }
    Result.FirstLine =
        FirstLineToShow(Result.FirstLine, Now.Rows, Result.CaretLine, Now.MaxFirstLine);
    Result.RefreshShown = true;
}

void EditorViewUpdates::ShowExecPoint(std::int32_t currentLine) {
    Result.ScrollBarPosition = currentLine;
    ShowLine(currentLine - 1);
    Result.ArrowState = Arrow::Drawn;
    Result.ArrowRow = Result.CaretLine - Result.FirstLine;
}

void EditorViewUpdates::RevealLine(std::int32_t line) {
    LastExecPoint.reset();
    Result.FirstLine =
        FirstLineToShow(Result.FirstLine, Now.Rows, std::min(line, Now.LastLine), Now.MaxFirstLine);
    if (Result.ArrowState == Arrow::Drawn) {
        Result.ArrowRow = Result.CaretLine - Result.FirstLine;
    }
    Result.RefreshShown = true;
}

void EditorViewUpdates::ClearArrow() {
    Result.ArrowState = Arrow::Cleared;
}

EditorViewUpdates::Outcome EditorViewUpdates::Take() {
    Active = false;
    return Result;
}

} // namespace scanbench
