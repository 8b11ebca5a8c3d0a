#pragma once

// Qt: a widget that shows an off-screen image.
#include <QImage>
#include <QWidget>

namespace scanbench {

// A picture of a view window, kept as an image at the screen's pixel
// density so that it stays sharp when the desktop is scaled. The owner draws
// into Image() and calls Changed(); painting only copies it. Mouse presses,
// drags with the left button held and releases are passed on with the
// picture x (presses also with the whole point).
class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(QWidget* parent, const char* name, QSize size);

    [[nodiscard]] QImage& Image() { return Shown; }
    [[nodiscard]] const QImage& Image() const { return Shown; }
    // A fresh image of the widget's size at `pixelRatio`, filled with `colour`.
    void Reset(qreal pixelRatio, const QColor& colour);
    void Changed() { update(); }

signals:
    void Pressed(int x);
    void PressedAt(QPoint where); // the same press, with its picture y
    void Dragged(int x);
    void Released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage Shown;
};

// An image of `size` logical pixels at `pixelRatio`, filled with `colour`.
[[nodiscard]] QImage NewPicture(QSize size, qreal pixelRatio, const QColor& colour);

// The device pixels behind logical pixel column x of an image, from top to
// bottom, and putting them back: what a line drawn over the column covers.
[[nodiscard]] QImage SaveColumn(const QImage& image, int x);
void RestoreColumn(QImage& image, int x, const QImage& saved);

// Copies the device pixels of `source` into `target` with their top-left
// corner at device pixel `at`; what does not fit is left out.
void PastePixels(QImage& target, QPoint at, const QImage& source);

} // namespace scanbench
