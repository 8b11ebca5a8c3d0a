#pragma once

#include <QPlainTextEdit>

#include <cstdint>

namespace scanbench {

// The program editor (Memo1): plain text in rows of exactly 16 pixels, no
// word wrap and no scroll bars of its own. The window scrolls it with its
// own scroll bar; the breakpoint gutter follows its first visible line.
class ProgramEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ProgramEditor(QWidget* parent);

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
    void SetTextColour(const QColor& colour);
    [[nodiscard]] QColor TextColour() const;

signals:
    void KeyReleased();
    void MousePressed();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace scanbench
