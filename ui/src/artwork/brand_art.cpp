#include "ui/artwork/brand_art.h"

#include <QLinearGradient>
#include <QPainter>

namespace scanbench {

QPixmap BlankPicture(const QSizeF& size, qreal pixelRatio, const QColor& fill) {
    QPixmap picture((size * pixelRatio).toSize());
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(fill);
    return picture;
}

void SmoothDrawing(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void DrawNightSky(QPainter& painter, const QRectF& area, double radius) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(36, 70, 140));
    sky.setColorAt(1.0, QColor(12, 30, 80));
    painter.setPen(QPen(QColor(8, 20, 50), 1.0));
    painter.setBrush(sky);
    painter.drawRoundedRect(area, radius, radius);
}

void DrawWordmark(QPainter& painter, const Wordmark& wordmark) {
    QFont title = painter.font();
    title.setPixelSize(wordmark.TitlePixels);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(wordmark.Title, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Scanbench"));
    QFont subtitle = painter.font();
    subtitle.setPixelSize(wordmark.SubtitlePixels);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.setPen(QColor(190, 205, 235));
    painter.drawText(wordmark.Subtitle, Qt::AlignLeft | Qt::AlignVCenter, wordmark.SubtitleText);
}

} // namespace scanbench
