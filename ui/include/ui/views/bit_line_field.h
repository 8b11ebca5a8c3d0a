#pragma once

// Qt: a line of received bits is a QWidget of its own.
#include "window_logic/views/received_bits.h"

#include <QWidget>

namespace scanbench {

// One line of the received bitstream viewer: white bits on the desktop
// colour, each bit in its own colour once marked, and the current bit
// boxed, also while another widget has the focus. The arrow keys, Home and
// End move the current bit, a click makes the clicked bit current, typing
// replaces it and Delete removes it. Only the part of the line in view is
// drawn, so a line of millions of bits costs no more than a short one.
class BitLineField final : public QWidget {
    Q_OBJECT
public:
    // `backspaceRemoves`: Backspace removes the current bit (else it is ignored).
    BitLineField(int tap, bool backspaceRemoves, QWidget* parent);

    [[nodiscard]] BitLine& Line() { return Bits; }
    [[nodiscard]] const BitLine& Line() const { return Bits; }
    // New text, all white, the first bit current; tells its position.
    void SetText(const std::string& text);
    // Colours the current bit.
    void ColourCurrent(BitColour colour);
    void ResetColours();

signals:
    // "TAP 0, POS: 5/9" after every move of the current bit.
    void PositionChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    [[nodiscard]] int CharWidth() const;
    [[nodiscard]] std::size_t VisibleChars() const;
    void Moved();

    int Tap;
    bool BackspaceRemoves;
    BitLine Bits;
    std::size_t FirstShown = 0;
};

} // namespace scanbench
