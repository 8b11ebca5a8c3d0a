#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace scanbench {

// The pieces the logo, the About dialog and the splash window share, so
// that they look like one brand.

// An empty picture of `size` at `pixelRatio` pixels per unit, filled with
// `fill`; drawn on in units, it stays sharp on dense screens.
[[nodiscard]] QPixmap BlankPicture(const QSizeF& size, qreal pixelRatio,
                                   const QColor& fill = Qt::transparent);

// Antialiased shapes and text.
void SmoothDrawing(QPainter& painter);

// The deep blue sky behind the name, a gradient from dusk at the top to
// night at the bottom, in a rectangle rounded by `radius`.
void DrawNightSky(QPainter& painter, const QRectF& area, double radius);

// "Scanbench" in bold white in `title`, `subtitle` below it in pale blue.
struct Wordmark {
    QRectF Title;
    int TitlePixels;
    QRectF Subtitle;
    int SubtitlePixels;
    QString SubtitleText;
};
void DrawWordmark(QPainter& painter, const Wordmark& wordmark);

} // namespace scanbench
