#include "ui/artwork/artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace scanbench {

QPixmap ArrowPicture(const QColor& fill, const QColor& face) {
    QPixmap picture(16, 16);
    picture.fill(face);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1.5, 5.5);
    arrow.lineTo(7.5, 5.5);
    arrow.lineTo(7.5, 1.5);
    arrow.lineTo(14.5, 7.5);
    arrow.lineTo(7.5, 13.5);
    arrow.lineTo(7.5, 9.5);
    arrow.lineTo(1.5, 9.5);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawPath(arrow);
    return picture;
}

QPixmap FlagMarkerPicture(const QSize& size, int bit, const QColor& background) {
    QPixmap picture(size);
    picture.fill(background);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(255, 0, 255), 3, Qt::SolidLine, Qt::FlatCap));
    const int width = size.width();
    painter.drawLine(width - 9 * bit, 2, width - 9 * (bit + 1), 2);
    return picture;
}

} // namespace scanbench
