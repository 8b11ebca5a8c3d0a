#pragma once

#include "engine/feed/status_colour.h"

#include <QFrame>

class QLabel;

namespace scanbench {

// The status line: the caret position after "Line Pos:" and the
// engine's one status message, in its colour, after "Status:".
class StatusLine : public QFrame {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    void ShowStatus(const QString& text, StatusColour colour);
    void ShowCaretPosition(const QString& text);

    [[nodiscard]] QString StatusText() const;
    [[nodiscard]] QColor StatusColor() const;
    [[nodiscard]] QString CaretPositionText() const;

private:
    QLabel* Position;
    QLabel* Status;
};

} // namespace scanbench
