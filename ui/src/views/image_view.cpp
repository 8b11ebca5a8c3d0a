#include "ui/views/image_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>
#include <cstring>

namespace scanbench {

namespace {

// Device columns [first, last) under logical column x, one more on each side
// for scales that do not divide pixels evenly.
std::pair<int, int> DeviceColumns(const QImage& image, int x) {
    const qreal ratio = image.devicePixelRatio();
    const int first = std::max(0, static_cast<int>(std::floor(x * ratio)) - 1);
    const int last = std::min(image.width(), static_cast<int>(std::ceil((x + 1) * ratio)) + 1);
    return {first, std::max(first, last)};
}

} // namespace

ImageView::ImageView(QWidget* parent, const char* name, QSize size) : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(size);
}

void ImageView::Reset(qreal pixelRatio, const QColor& colour) {
    Shown = NewPicture(size(), pixelRatio, colour);
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), Shown);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Pressed(qFloor(event->position().x()));
        emit PressedAt(QPoint(qFloor(event->position().x()), qFloor(event->position().y())));
    }
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0) {
        emit Dragged(qFloor(event->position().x()));
    }
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Released();
    }
}

QImage NewPicture(QSize size, qreal pixelRatio, const QColor& colour) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(colour);
    return image;
}

QImage SaveColumn(const QImage& image, int x) {
    const auto [first, last] = DeviceColumns(image, x);
    return image.copy(first, 0, last - first, image.height());
}

void RestoreColumn(QImage& image, int x, const QImage& saved) {
    const auto [first, last] = DeviceColumns(image, x);
    if (saved.width() == last - first && saved.height() == image.height()) {
        PastePixels(image, QPoint(first, 0), saved);
    }
}

void PastePixels(QImage& target, QPoint at, const QImage& source) {
    if (source.format() != target.format() || source.depth() != 32) {
        return;
    }
    const QRect area = QRect(at, source.size()).intersected(target.rect());
    if (area.isEmpty()) {
        return;
    }
    const auto bytes = static_cast<std::size_t>(area.width()) * 4;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* from = source.constScanLine(y - at.y()) + (area.left() - at.x()) * 4;
        std::memcpy(target.scanLine(y) + area.left() * 4, from, bytes);
    }
}

} // namespace scanbench
