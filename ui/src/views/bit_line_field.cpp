#include "ui/views/bit_line_field.h"

#include "ui/appearance/courier_font.h"
#include "ui/appearance/window_colours.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace scanbench {

namespace {

constexpr int Margin = 3;
// The desktop's colour behind the white bits: dark enough for every marking
// colour to stand out.
const QColor Desktop(16, 40, 72);

} // namespace

BitLineField::BitLineField(int tap, bool backspaceRemoves, QWidget* parent)
    : QWidget(parent), Tap(tap), BackspaceRemoves(backspaceRemoves) {
    setObjectName(tap == 0 ? QStringLiteral("Tap0bitS") : QStringLiteral("Tap1bitS"));
    setFont(CourierFont(13, true));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
}

void BitLineField::SetText(const std::string& text) {
    Bits.SetText(text);
    FirstShown = 0;
    Moved();
}

void BitLineField::ColourCurrent(BitColour colour) {
    Bits.ColourCurrent(colour);
    update();
}

void BitLineField::ResetColours() {
    Bits.ResetColours();
    update();
}

int BitLineField::CharWidth() const {
    return std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')));
}

std::size_t BitLineField::VisibleChars() const {
    return static_cast<std::size_t>(std::max(1, (width() - 2 * Margin) / CharWidth()));
}

void BitLineField::Moved() {
    // The current bit stays in view.
    const std::size_t cursor = Bits.Cursor();
    const std::size_t visible = VisibleChars();
    if (cursor < FirstShown) {
        FirstShown = cursor;
    } else if (cursor >= FirstShown + visible) {
        FirstShown = cursor - visible + 1;
    }
    update();
    emit PositionChanged(QString::fromStdString(Bits.PositionText(Tap)));
}

void BitLineField::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter p(this);
    const QRect box = rect();
    p.fillRect(box, Desktop);
    p.setPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(96, 96, 96));
    p.drawRect(box.adjusted(0, 0, -1, -1));

    const std::string& text = Bits.Text();
    const int w = CharWidth();
    const QFontMetrics metrics(font());
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const std::size_t last = std::min(text.size(), FirstShown + VisibleChars() + 1);
    p.setClipRect(box.adjusted(1, 1, -1, -1));
    for (std::size_t i = FirstShown; i < last; ++i) {
        const int x = Margin + static_cast<int>(i - FirstShown) * w;
        const QColor colour = ToQColor(ToRgb(Bits.ColourAt(i)));
        const QString ch(QChar::fromLatin1(text[i]));
        if (i == Bits.Cursor()) {
            const QRect cell(x - 1, 2, w + 1, height() - 4);
            if (hasFocus()) {
                p.fillRect(cell, colour);
                p.setPen(Desktop);
            } else {
                p.setPen(colour);
                p.drawRect(cell.adjusted(0, 0, -1, -1));
            }
        } else {
            p.setPen(colour);
        }
        p.drawText(QPoint(x, baseline), ch);
    }
    if (!Bits.HasCurrentBit() && hasFocus()) {
        // After the last bit: a caret.
        const int x = Margin + static_cast<int>(Bits.Cursor() - FirstShown) * w;
        p.fillRect(QRect(x, 3, 2, height() - 6), Qt::white);
    }
}

void BitLineField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        Bits.MoveLeft();
        break;
    case Qt::Key_Right:
        Bits.MoveRight();
        break;
    case Qt::Key_Home:
        Bits.MoveHome();
        break;
    case Qt::Key_End:
        Bits.MoveEnd();
        break;
    case Qt::Key_Delete:
        Bits.DeleteCurrent();
        break;
    case Qt::Key_Backspace:
        if (BackspaceRemoves) {
            Bits.DeleteBackward();
        }
        break;
    default: {
        const QString typed = event->text();
        if (typed.size() != 1 || !typed[0].isPrint() || typed[0].unicode() > 0x7E ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        Bits.Type(typed[0].toLatin1());
    }
    }
    Moved();
}

void BitLineField::mouseReleaseEvent(QMouseEvent* event) {
    const int column = (static_cast<int>(event->position().x()) - Margin) / CharWidth();
    Bits.MoveTo(FirstShown + static_cast<std::size_t>(std::max(column, 0)));
    Moved();
}

void BitLineField::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        Moved();
    }
    update();
}

void BitLineField::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace scanbench
