#include "ui/artwork/waveform_pictures.h"

#include "settings/display_colours.h"
#include "ui/appearance/window_colours.h"

#include <QPainter>

#include <algorithm>

namespace scanbench {

namespace {

constexpr Rgb Lime{0, 255, 0};
constexpr Rgb Aqua{0, 255, 255};
constexpr Rgb Grey{128, 128, 128};
constexpr Rgb Silver{192, 192, 192};
constexpr Rgb Teal{0, 128, 128};

// Runs are filled pixel rectangles rather than stroked lines: each covers
// exactly its logical pixels at any screen density.
void HorizontalRun(QPainter& painter, int x1, int x2, int y, const QColor& colour) {
    painter.fillRect(QRect(std::min(x1, x2), y, std::abs(x2 - x1) + 1, 1), colour);
}

void VerticalRun(QPainter& painter, int x, int y1, int y2, const QColor& colour) {
    painter.fillRect(QRect(x, std::min(y1, y2), 1, std::abs(y2 - y1) + 1), colour);
}

void DottedRun(QPainter& painter, int x1, int x2, int y, const QColor& colour) {
    for (int x = x1 + (x1 & 1); x <= x2; x += 2) {
        painter.fillRect(QRect(x, y, 1, 1), colour);
    }
}

// One row as a connected line: at each column's left edge from the last y to
// the column's y, then level across the column.
void PaintRow(QPainter& painter, const TraceRow& row, int columns) {
    int y = row.StartY;
    for (int c = 0; c < columns; ++c) {
        const TraceStep& step = row.Steps[static_cast<std::size_t>(c)];
        const QColor colour = TraceColour(step.Pen);
        const int left = ColumnLeft(c);
        const int right = left + Waveform::ColumnWidth;
        if (step.Pen == TracePen::RxFloating) {
            DottedRun(painter, left, right, step.Y, colour);
        } else {
            VerticalRun(painter, left, y, step.Y, colour);
            HorizontalRun(painter, left, right, step.Y, colour);
        }
        y = step.Y;
    }
}

QFont LineNumberFont() {
    // "Courier New" 8 pt, or the monospace font the system offers for it.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    return font;
}

// The statement's line number in its box, turned to read upward.
void PaintLineNumber(QPainter& painter, int column, std::int32_t line) {
    const PicturePoint corner = LineNumberPixel(column, 0, 0);
    painter.save();
    painter.translate(corner.X, corner.Y + 1);
    painter.rotate(-90);
    const QRect box(0, 0, Waveform::LineNumberLength, Waveform::LineNumberThickness);
    painter.fillRect(box, WaveBackground());
    painter.setPen(ToQColor(Aqua));
    painter.drawText(box.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(line));
    painter.restore();
}

// The statement's dot: a lime outline round a lime cross-hatch, with hard
// edges (a blended edge would turn the tiny dot a dim green).
void PaintDot(QPainter& painter, int column) {
    const QColor lime = ToQColor(Lime);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(lime, 1.0));
    painter.setBrush(QBrush(lime, Qt::DiagCrossPattern));
    // The hatch's crossing on the dot, so that its inside shows the cross.
    painter.setBrushOrigin(ColumnLeft(column), Waveform::DotTop);
    // The outline covers the box's pixels from its left and top edges up to,
    // not including, its right and bottom edges.
    painter.drawEllipse(
        QRect(ColumnLeft(column), Waveform::DotTop, Waveform::DotSize - 1, Waveform::DotSize - 1));
    painter.restore();
}

void HideStartingStubs(QPainter& painter, int height) {
    VerticalRun(painter, 0, 0, height - 1, WaveBackground());
}

} // namespace

QColor TraceColour(TracePen pen) {
    switch (pen) {
    case TracePen::Tck:
        return ToQColor(TckColor);
    case TracePen::TckAhead:
        return ToQColor(TckColorAhead);
    case TracePen::Tms:
        return ToQColor(TmsColor);
    case TracePen::TmsAhead:
        return ToQColor(TmsColorAhead);
    case TracePen::Rx:
        return ToQColor(RxColor);
    case TracePen::RxIdle:
        return ToQColor(Silver);
    case TracePen::RxFloating:
        return ToQColor(Grey);
    case TracePen::Tx:
        return ToQColor(TxColor);
    case TracePen::Sync:
        return ToQColor(Teal);
    }
    return Qt::white;
}

QColor WaveBackground() {
    return ToQColor(WaveBackColor);
}

QColor MarkerLineColour() {
    return ToQColor(MarkerColor);
}

void PaintTapTraces(QImage& picture, const TapTraces& traces) {
    picture.fill(WaveBackground());
    QPainter painter(&picture);
    painter.setFont(LineNumberFont());
    for (int c = 0; c < traces.Columns; ++c) {
        if (traces.Dots[static_cast<std::size_t>(c)]) {
            PaintDot(painter, c);
        }
    }
    for (const TraceRow& row : traces.Rows) {
        PaintRow(painter, row, traces.Columns);
    }
    for (int c = 0; c < traces.Columns; ++c) {
        if (traces.Numbered[static_cast<std::size_t>(c)]) {
            PaintLineNumber(painter, c, traces.LineNumbers[static_cast<std::size_t>(c)]);
        }
    }
    HideStartingStubs(painter, Waveform::TapPictureHeight);
}

void PaintSyncTraces(QImage& picture, const SyncTraces& traces) {
    picture.fill(WaveBackground());
    QPainter painter(&picture);
    for (const TraceRow& row : traces.Rows) {
        PaintRow(painter, row, traces.Columns);
    }
    HideStartingStubs(painter, Waveform::SyncPictureHeight);
}

} // namespace scanbench
