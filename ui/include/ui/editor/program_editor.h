#pragma once

#include "window_logic/editor/gutter_geometry.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <optional>
#include <vector>

namespace scanbench {

// The program editor: plain text in rows of 16 pixels where the font
// allows, no word wrap and no scroll bars of its own. It shows whole rows
// only, at most as many as the gutter has boxes. The window scrolls it with
// its own scroll bar; the breakpoint gutter follows its rows.
class ProgramEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ProgramEditor(QWidget* parent);
    ~ProgramEditor() override;

    [[nodiscard]] std::int32_t FirstVisibleLine() const;
    [[nodiscard]] std::int32_t MaxFirstVisibleLine() const;
    void SetFirstVisibleLine(std::int32_t line);
    [[nodiscard]] std::int32_t CaretLine() const;
    [[nodiscard]] std::int32_t CaretColumn() const;
    // The last line the caret can reach (block count - 1).
    [[nodiscard]] std::int32_t LastLine() const;
    // Puts the caret at the start of `line` and scrolls it into view.
    void PutCaretAtLineStart(std::int32_t line);
    // Height of one row as the editor lays it out.
    [[nodiscard]] double RowHeight() const;
    // Top of the first visible row in the coordinates of `widget`.
    [[nodiscard]] int FirstRowTop(const QWidget* widget) const;
    // The rows from the first visible line on, `count` of them, in the
    // coordinates of `widget` (an ancestor); rows below the end of the text
    // continue at the height of the last one.
    [[nodiscard]] std::vector<RowSpan> VisibleRows(const QWidget& widget, int count) const;
    // How many whole rows the editor shows.
    [[nodiscard]] int WholeRows() const;
    // Where the editor lays out `line` now, in viewport coordinates.
    [[nodiscard]] QRectF BlockGeometry(std::int32_t line) const;
    void SetTextColour(const QColor& colour);
    [[nodiscard]] QColor TextColour() const;

    // Gives `line` (0-based) a soft background across the whole width, the
    // statement a run fetched last; nothing takes it away.
    void SetRunningLine(std::optional<std::int32_t> line);
    [[nodiscard]] std::optional<std::int32_t> RunningLine() const { return Running; }
    // Line numbers in a column at the left edge; the text moves right.
    void SetLineNumbersShown(bool shown);
    [[nodiscard]] bool LineNumbersShown() const { return NumbersShown; }
    [[nodiscard]] const QWidget* LineNumberColumn() const { return NumberColumn; }

signals:
    void KeyReleased();
    void MousePressed();
    // The rows may have moved: scrolled, laid out anew or resized.
    void RowsMoved();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Keeps the bottom margin that leaves whole rows only, and the left one
    // for the line numbers.
    void FitWholeRows();
    [[nodiscard]] int NumberColumnWidth() const;
    void PaintLineNumbers(QWidget& column);

    std::optional<std::int32_t> Running;
    bool NumbersShown = false;
    bool FittedAboveScrollBar = false; // the rows were fitted above the long lines' bar
    QWidget* NumberColumn = nullptr;
};

} // namespace scanbench
