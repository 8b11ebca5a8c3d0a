#include "ui/artwork/artwork.h"
#include "ui/artwork/brand_art.h"

#include <QPainter>
#include <QPainterPath>

namespace scanbench {

namespace {

// A chip with pins on both sides and the scan path running through the
// boundary cells along its edge, in at the lower left and out at the lower right.
void DrawChip(QPainter& painter, const QRectF& body) {
    painter.setPen(QPen(QColor(200, 208, 225), 1.5));
    const int pins = 4;
    for (int i = 0; i < pins; ++i) {
        const double y = body.top() + body.height() * (i + 0.5) / pins;
        painter.drawLine(QPointF(body.left() - 5, y), QPointF(body.left(), y));
        painter.drawLine(QPointF(body.right(), y), QPointF(body.right() + 5, y));
    }
    painter.setPen(QPen(QColor(20, 30, 60), 1.0));
    painter.setBrush(QColor(40, 48, 70));
    painter.drawRoundedRect(body, 3, 3);

    const QColor scan(255, 200, 60);
    const double inner = 6;
    const double yIn = body.top() + body.height() * 3.5 / pins;
    const QPointF corners[] = {{body.left() + inner, yIn},
                               {body.left() + inner, body.top() + inner},
                               {body.right() - inner, body.top() + inner},
                               {body.right() - inner, yIn}};
    QPainterPath path;
    path.moveTo(body.left() - 5, yIn);
    for (const QPointF& corner : corners) {
        path.lineTo(corner);
    }
    path.lineTo(body.right() + 4, yIn);
    painter.setPen(QPen(scan, 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    // Cells on the left, top and right legs of the path.
    const double middleY = (body.top() + inner + yIn) / 2;
    const double width = body.right() - body.left() - 2 * inner;
    const QPointF cells[] = {{body.left() + inner, middleY},
                             {body.left() + inner + width / 4, body.top() + inner},
                             {body.left() + inner + width / 2, body.top() + inner},
                             {body.left() + inner + width * 3 / 4, body.top() + inner},
                             {body.right() - inner, middleY}};
    painter.setPen(QPen(QColor(20, 30, 60), 0.8));
    painter.setBrush(scan);
    for (const QPointF& cell : cells) {
        painter.drawRect(QRectF(cell.x() - 2.5, cell.y() - 2.5, 5, 5));
    }
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(
        QPolygonF({QPointF(body.right() + 7, yIn), QPointF(body.right() + 3, yIn - 3),
                   QPointF(body.right() + 3, yIn + 3)}));
}

} // namespace

QPixmap LogoPicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    SmoothDrawing(painter);
    DrawNightSky(painter, QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6);
    DrawChip(painter, QRectF(12, 15, 30, 33));
    DrawWordmark(painter,
                 {QRectF(54, 7, size.width() - 58, 30), 21, QRectF(55, 35, size.width() - 58, 18),
                  10, QStringLiteral("IEEE 1149.1 boundary scan")});
    return picture;
}

} // namespace scanbench
