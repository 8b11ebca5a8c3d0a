#include "ui/artwork/state_diagram_art.h"

#include "ui/views/image_view.h"
#include "window_logic/views/state_diagram_layout.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace scanbench {

namespace {

constexpr double HeadLength = 6.0;
constexpr double HeadHalfWidth = 3.2;
constexpr double CornerRadius = 3.0;

QPointF Centre(DiagramPoint p) {
    // Lines sit on the middle of their pixels.
    return {p.X + 0.5, p.Y + 0.5};
}

QPointF Towards(QPointF from, QPointF to, double distance) {
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    return length > 0 ? from + d * (distance / length) : from;
}

// The arrow's runs with rounded corners, ending where its head begins, and
// the head itself.
void DrawArrow(QPainter& painter, const DiagramArrow& arrow) {
    const auto points = arrow.Points();
    const QColor colour = arrow.Tms == 1 ? DiagramColours::Tms1 : DiagramColours::Tms0;
    const QPointF tip = Centre(points.back());
    const QPointF before = Centre(points[points.size() - 2]);
    const QPointF base = Towards(tip, before, HeadLength);

    QPainterPath path(Centre(points.front()));
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const QPointF corner = Centre(points[i]);
        path.lineTo(Towards(corner, Centre(points[i - 1]), CornerRadius));
        path.quadTo(corner, Towards(corner, Centre(points[i + 1]), CornerRadius));
    }
    path.lineTo(base);
    painter.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    const QPointF along = (tip - base) / HeadLength;
    const QPointF across(-along.y(), along.x());
    const QPolygonF head({tip, base + across * HeadHalfWidth, base - across * HeadHalfWidth});
    painter.setPen(QPen(colour.darker(160), 0.8));
    painter.setBrush(colour);
    painter.drawPolygon(head);
}

void DrawBox(QPainter& painter, std::uint8_t state, const QColor& fill) {
    const DiagramRect box = StateBox(state);
    const QRectF frame(box.X + 0.5, box.Y + 0.5, box.Width, box.Height);
    painter.setPen(QPen(QColor(20, 40, 40), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(frame, 5, 5);
    painter.setPen(Qt::black);
    const std::string_view name = StateShortNames[state];
    painter.drawText(frame, Qt::AlignCenter,
                     QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

// The colours of the arrows, beside the Run-Test/Idle column.
void DrawKey(QPainter& painter) {
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(false);
    painter.setFont(font);
    const QPointF origin(DiagramKeyOrigin.X, DiagramKeyOrigin.Y);
    const std::array<std::pair<QColor, const char*>, 2> lines{
        {{DiagramColours::Tms0, "TMS=0"}, {DiagramColours::Tms1, "TMS=1"}}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QPointF at = origin + QPointF(0, 14.0 * static_cast<double>(i));
        painter.setPen(QPen(lines[i].first, 2.0));
        painter.drawLine(at + QPointF(0, 5), at + QPointF(7, 5));
        painter.setPen(Qt::white);
        painter.drawText(QRectF(at.x() + 9, at.y() - 1, 36, 12), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(lines[i].second));
    }
}

QImage DrawDiagram(qreal pixelRatio, const QColor& boxFill) {
    QImage image = NewPicture(QSize(StateDiagram::PictureWidth, StateDiagram::PictureHeight),
                              pixelRatio, DiagramColours::Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const DiagramArrow& arrow : DiagramArrows()) {
        DrawArrow(painter, arrow);
    }
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    for (std::uint8_t s = 0; s < TapStateCount; ++s) {
        DrawBox(painter, s, boxFill);
    }
    DrawKey(painter);
    return image;
}

QImage CutTile(const QImage& diagram, std::uint8_t state, qreal pixelRatio) {
    const QPoint corner = TileCorner(state, pixelRatio);
    QImage tile = diagram.copy(corner.x(), corner.y(), qRound(StateDiagram::TileWidth * pixelRatio),
                               qRound(StateDiagram::TileHeight * pixelRatio));
    tile.setDevicePixelRatio(pixelRatio);
    return tile;
}

} // namespace

QPoint TileCorner(std::uint8_t state, qreal pixelRatio) {
    const DiagramRect tile = StateTile(state);
    return {qRound(tile.X * pixelRatio), qRound(tile.Y * pixelRatio)};
}

StateDiagramArt DrawStateDiagramArt(qreal pixelRatio) {
    StateDiagramArt art;
    art.PixelRatio = pixelRatio;
    art.Diagram = DrawDiagram(pixelRatio, DiagramColours::Box);
    const QImage highlighted = DrawDiagram(pixelRatio, DiagramColours::Highlight);
    for (std::uint8_t s = 0; s < TapStateCount; ++s) {
        art.NormalTiles[s] = CutTile(art.Diagram, s, pixelRatio);
        art.HighlightTiles[s] = CutTile(highlighted, s, pixelRatio);
    }
    return art;
}

} // namespace scanbench
