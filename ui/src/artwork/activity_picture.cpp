#include "ui/artwork/artwork.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace scanbench {

namespace {

constexpr int DotCount = 8;

// Centre of dot `index` on the ring, clockwise from the top.
QPointF DotCentre(int index) {
    const double angle = 2.0 * std::numbers::pi * index / DotCount;
    return {8.0 + 5.5 * std::sin(angle), 8.0 - 5.5 * std::cos(angle)};
}

} // namespace

QPixmap ActivityPicture(int frame, const QColor& face) {
    QPixmap picture(16, 16);
    picture.fill(face);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor idle(150, 150, 150);
    const QColor lit(0, 128, 0);
    for (int i = 0; i < DotCount; ++i) {
        QColor colour = idle;
        double radius = 1.4;
        if (frame > 0) {
            // The lit dot and a fading tail of two behind it.
            const int behind = ((frame - 1) - i + DotCount) % DotCount;
            if (behind < 3) {
                colour = lit;
                colour.setAlphaF(1.0 - 0.3 * behind);
                radius = 2.0 - 0.25 * behind;
            }
        }
        painter.setBrush(colour);
        painter.drawEllipse(DotCentre(i), radius, radius);
    }
    return picture;
}

} // namespace scanbench
