#include "ui/artwork/about_artwork.h"

#include "ui/artwork/brand_art.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <string_view>

namespace scanbench {

namespace {

const QColor ChipBody(40, 48, 70);
const QColor ChipEdge(20, 30, 60);
const QColor PinColour(200, 208, 225);
const QColor ScanColour(255, 200, 60);

// A picture of `size` at the screen's pixel density, filled with `fill`.
QPixmap Canvas(const QSize& size, const QColor& fill = Qt::transparent) {
    return BlankPicture(size, qApp != nullptr ? qApp->devicePixelRatio() : 1.0, fill);
}

// An upright chip with `pins` pins a side; the scan path enters at the
// lower left, runs through one boundary cell per pin round the edge and
// leaves at the lower right.
void DrawScanChip(QPainter& painter, const QRectF& body, int pins) {
    const double pinLength = body.width() / 6;
    painter.setPen(QPen(PinColour, body.width() / 20));
    std::array<double, 16> ys{};
    for (int i = 0; i < pins; ++i) {
        ys.at(static_cast<std::size_t>(i)) = body.top() + body.height() * (i + 0.5) / pins;
        const double y = ys.at(static_cast<std::size_t>(i));
        painter.drawLine(QPointF(body.left() - pinLength, y), QPointF(body.left(), y));
        painter.drawLine(QPointF(body.right(), y), QPointF(body.right() + pinLength, y));
    }
    painter.setPen(QPen(ChipEdge, 1.0));
    painter.setBrush(ChipBody);
    painter.drawRoundedRect(body, body.width() / 12, body.width() / 12);
    // The notch of pin 1.
    const double notch = body.width() / 8;
    painter.setBrush(ChipEdge);
    painter.drawChord(QRectF(body.center().x() - notch, body.top() - notch, 2 * notch, 2 * notch),
                      180 * 16, 180 * 16);

    const double inset = body.width() / 5;
    const double left = body.left() + inset;
    const double right = body.right() - inset;
    const double top = body.top() + inset;
    const double bottom = ys.at(static_cast<std::size_t>(pins - 1));
    QPainterPath path;
    path.moveTo(body.left() - pinLength, bottom);
    path.lineTo(left, bottom);
    path.lineTo(left, top);
    path.lineTo(right, top);
    path.lineTo(right, bottom);
    path.lineTo(body.right() + pinLength, bottom);
    painter.setPen(QPen(ScanColour, body.width() / 24));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    const double cell = body.width() / 7;
    painter.setPen(QPen(ChipEdge, 0.8));
    painter.setBrush(ScanColour);
    for (int i = 0; i < pins - 1; ++i) {
        const double y = ys.at(static_cast<std::size_t>(i));
        if (y - cell / 2 < top) {
            continue;
        }
        painter.drawRect(QRectF(left - cell / 2, y - cell / 2, cell, cell));
        painter.drawRect(QRectF(right - cell / 2, y - cell / 2, cell, cell));
    }
}

// Square waves of a few lines, as the waveform window shows them.
void DrawTraces(QPainter& painter, const QRectF& area, bool labelled) {
    struct Trace {
        const char* Name;
        QColor Colour;
        const char* Levels;
    };
    const std::array<Trace, 4> traces{{
        {"TCK", QColor(255, 255, 255), "0101010101010101010101010101"},
        {"TMS", QColor(255, 230, 80), "1111000000000000001111110000"},
        {"TDI", QColor(255, 110, 90), "0000001100110000110000000000"},
        {"TDO", QColor(90, 230, 240), "0000000011001100001100000000"},
    }};
    const double lane = area.height() / static_cast<double>(traces.size());
    const double textWidth = labelled ? 34.0 : 0.0;
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(lane * 0.55));
    font.setBold(true);
    painter.setFont(font);
    for (std::size_t i = 0; i < traces.size(); ++i) {
        const Trace& trace = traces[i];
        const double high = area.top() + lane * static_cast<double>(i) + lane * 0.2;
        const double low = high + lane * 0.6;
        if (labelled) {
            painter.setPen(trace.Colour);
            painter.drawText(QRectF(area.left(), high - lane * 0.1, textWidth, lane * 0.8),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(trace.Name));
        }
        const std::string_view levels(trace.Levels);
        const double step = (area.width() - textWidth) / static_cast<double>(levels.size());
        QPainterPath wave;
        double x = area.left() + textWidth;
        wave.moveTo(x, levels.front() == '1' ? high : low);
        for (std::size_t k = 0; k < levels.size(); ++k) {
            const double y = levels[k] == '1' ? high : low;
            wave.lineTo(x, y);
            x += step;
            wave.lineTo(x, y);
        }
        painter.setPen(QPen(trace.Colour, 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }
}

} // namespace

QPixmap AboutBannerPicture(const QSize& size) {
    QPixmap picture = Canvas(size);
    QPainter painter(&picture);
    SmoothDrawing(painter);
    const QRectF area = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    DrawNightSky(painter, area, 0);
    DrawScanChip(painter, QRectF(14, 6, 22, size.height() - 12.0), 4);
    painter.setOpacity(0.85);
    DrawTraces(painter, QRectF(54, 3, size.width() - 64.0, size.height() - 6.0), false);
    return picture;
}

QPixmap AuthorPicture(int which) {
    static const std::array<QColor, 3> shirts{QColor(47, 111, 181), QColor(46, 139, 61),
                                              QColor(192, 57, 43)};
    const QSize size(32, 32);
    QPixmap picture = Canvas(size);
    QPainter painter(&picture);
    SmoothDrawing(painter);
    painter.setPen(QPen(QColor(120, 120, 130), 1.0));
    painter.setBrush(QColor(236, 238, 244));
    painter.drawEllipse(QRectF(0.5, 0.5, 31, 31));
    QPainterPath clip;
    clip.addEllipse(QRectF(1, 1, 30, 30));
    painter.setClipPath(clip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shirts.at(static_cast<std::size_t>(which) % shirts.size()));
    painter.drawEllipse(QRectF(5, 19, 22, 20));
    painter.setBrush(QColor(232, 190, 150));
    painter.drawEllipse(QRectF(10.5, 6, 11, 12));
    return picture;
}

QPixmap ScanChipPicture(const QSize& size) {
    QPixmap picture = Canvas(size);
    QPainter painter(&picture);
    SmoothDrawing(painter);
    const double width = size.width() * 0.62;
    const QRectF body((size.width() - width) / 2, 10, width, size.height() - 26.0);
    DrawScanChip(painter, body, 6);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(40, 48, 70));
    painter.drawText(QRectF(0, size.height() - 14.0, size.width(), 14), Qt::AlignCenter,
                     QStringLiteral("1149.1"));
    return picture;
}

QPixmap SplashPicture(const QSize& size, const QString& version) {
    QPixmap picture = Canvas(size);
    QPainter painter(&picture);
    SmoothDrawing(painter);
    const QRectF area = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    DrawNightSky(painter, area, 0);

    DrawScanChip(painter, QRectF(44, 40, 76, 112), 5);

    DrawWordmark(painter, {QRectF(160, 44, size.width() - 176.0, 56), 46,
                           QRectF(162, 100, size.width() - 176.0, 24), 16,
                           QStringLiteral("IEEE 1149.1 boundary-scan trainer")});
    QFont small = painter.font();
    small.setPixelSize(12);
    painter.setFont(small);
    painter.drawText(QRectF(162, 126, size.width() - 176.0, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("version %1").arg(version));

    painter.setPen(QPen(QColor(70, 100, 160), 1.0));
    painter.drawLine(QPointF(24, 172), QPointF(size.width() - 24.0, 172));
    DrawTraces(painter, QRectF(30, 182, size.width() - 60.0, size.height() - 196.0), true);
    return picture;
}

} // namespace scanbench
