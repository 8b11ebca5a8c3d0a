#include "ui/artwork/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace scanbench {

namespace {

// One palette for every tool button picture.
const QColor Outline(48, 48, 56);
const QColor Paper(255, 255, 255);
const QColor Blue(47, 111, 181);
const QColor Green(46, 139, 61);
const QColor Red(192, 57, 43);
const QColor Yellow(229, 184, 0);
const QColor Grey(150, 150, 158);

QPen OutlinePen(const QColor& colour = Outline, double width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded corner.
void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10.5, 1.5);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(OutlinePen());
    p.setBrush(Paper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(10.5, 1.5), QPointF(10.5, 4.5), QPointF(13.5, 4.5)}));
}

void DrawNewFile(QPainter& p) {
    DrawPage(p);
    p.setPen(OutlinePen(Yellow, 1.5));
    p.drawLine(QPointF(8.5, 7), QPointF(8.5, 12));
    p.drawLine(QPointF(6, 9.5), QPointF(11, 9.5));
}

void DrawOpenFile(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Yellow.darker(115));
    p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(12.5, 5),
                             QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
    p.setBrush(Yellow);
    p.drawPolygon(
        QPolygonF({QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
}

void DrawSaveFile(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(Grey.lighter(130));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void DrawSearch(QPainter& p) {
    p.setPen(OutlinePen(Outline, 1.5));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(OutlinePen(Outline, 2.5));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
}

void DrawClearBreakpoints(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Paper);
    p.drawRect(QRectF(1.5, 1.5, 10, 10));
    p.setPen(OutlinePen(Green, 1.5));
    p.drawPolyline(QPolygonF({QPointF(3.5, 6.5), QPointF(5.5, 9), QPointF(9.5, 3.5)}));
    p.setPen(OutlinePen(Red, 2.0));
    p.drawLine(QPointF(9, 9), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 9), QPointF(9, 14.5));
}

void DrawGotoLine(QPainter& p) {
    p.setPen(OutlinePen(Grey, 1.0));
    for (const double y : {3.5, 8.5, 13.5}) {
        p.drawLine(QPointF(8.5, y), QPointF(14.5, y));
    }
    p.setPen(OutlinePen(Outline, 1.5));
    p.drawLine(QPointF(8.5, 8.5), QPointF(14.5, 8.5));
    p.setPen(OutlinePen());
    p.setBrush(Red);
    p.drawPolygon(
        QPolygonF({QPointF(1.5, 5.5), QPointF(4.5, 5.5), QPointF(4.5, 3), QPointF(7.5, 8.5),
                   QPointF(4.5, 14), QPointF(4.5, 11.5), QPointF(1.5, 11.5)}));
}

// A play triangle with its left edge at x.
void DrawTriangle(QPainter& p, double x, double width, const QColor& fill) {
    p.setPen(OutlinePen());
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({QPointF(x, 2.5), QPointF(x + width, 8), QPointF(x, 13.5)}));
}

void DrawEventByEvent(QPainter& p) {
    p.setPen(OutlinePen(Outline, 2.0));
    p.drawLine(QPointF(3, 2.5), QPointF(3, 13.5));
    DrawTriangle(p, 6.5, 7, Green);
}

void DrawStepByStep(QPainter& p) {
    p.setPen(OutlinePen(Outline, 2.0));
    p.drawLine(QPointF(2, 2.5), QPointF(2, 13.5));
    p.drawLine(QPointF(14, 2.5), QPointF(14, 13.5));
    DrawTriangle(p, 5, 6.5, Green);
}

void DrawExecute(QPainter& p) {
    DrawTriangle(p, 3.5, 10, Green);
}

void DrawPause(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Blue);
    p.drawRect(QRectF(3.5, 2.5, 3, 11));
    p.drawRect(QRectF(9.5, 2.5, 3, 11));
}

void DrawReset(QPainter& p) {
    p.setPen(OutlinePen(Red, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 290 * 16);
    p.setPen(OutlinePen());
    p.setBrush(Red);
    p.drawPolygon(QPolygonF({QPointF(5.5, 0.5), QPointF(9.5, 3.2), QPointF(5.5, 5.5)}));
}

void DrawSpeedRun(QPainter& p) {
    DrawTriangle(p, 1.5, 6.5, Red);
    DrawTriangle(p, 8, 6.5, Red);
}

void DrawStateDiagram(QPainter& p) {
    p.setPen(OutlinePen(Outline, 1.0));
    p.drawLine(QPointF(4, 4), QPointF(12, 4));
    p.drawLine(QPointF(4, 4), QPointF(8, 12));
    p.drawLine(QPointF(12, 4), QPointF(8, 12));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(4, 4), 2.5, 2.5);
    p.drawEllipse(QPointF(12, 4), 2.5, 2.5);
    p.setBrush(Yellow);
    p.drawEllipse(QPointF(8, 12), 2.5, 2.5);
}

void DrawWaveforms(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setPen(OutlinePen(QColor(255, 255, 255), 1.0));
    p.drawPolyline(
        QPolygonF({QPointF(1.5, 7.5), QPointF(4.5, 7.5), QPointF(4.5, 3.5), QPointF(8.5, 3.5),
                   QPointF(8.5, 7.5), QPointF(12.5, 7.5), QPointF(12.5, 3.5), QPointF(14.5, 3.5)}));
    p.setPen(OutlinePen(Yellow, 1.0));
    p.drawPolyline(QPolygonF({QPointF(1.5, 12.5), QPointF(6.5, 12.5), QPointF(6.5, 9.5),
                              QPointF(10.5, 9.5), QPointF(10.5, 12.5), QPointF(14.5, 12.5)}));
}

// A green board with a chip and a lit LED.
void DrawSimulatedBoard(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Green);
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 1.5, 1.5);
    p.setBrush(Outline);
    p.drawRect(QRectF(3.5, 5.5, 6, 5));
    p.setPen(OutlinePen(Paper, 1.0));
    for (const double x : {5.0, 8.0}) {
        p.drawLine(QPointF(x, 3.5), QPointF(x, 5));
        p.drawLine(QPointF(x, 11), QPointF(x, 12.5));
    }
    p.setPen(OutlinePen());
    p.setBrush(Red);
    p.drawEllipse(QPointF(12.5, 8), 1.8, 1.8);
}

void DrawBitstreamShifter(QPainter& p) {
    p.setPen(OutlinePen());
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == 1 ? Blue : Paper);
        p.drawRect(QRectF(1.5 + 4 * i, 2.5, 4, 5));
    }
    p.setPen(OutlinePen(Green, 1.5));
    p.drawLine(QPointF(2.5, 11.5), QPointF(12.5, 11.5));
    p.setPen(OutlinePen());
    p.setBrush(Green);
    p.drawPolygon(QPolygonF({QPointF(11.5, 8.5), QPointF(15, 11.5), QPointF(11.5, 14.5)}));
}

void DrawSetup(QPainter& p) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < 2 * teeth; ++i) {
        const double angle = std::numbers::pi * i / teeth;
        const double radius = (i % 2 == 0) ? 7.0 : 5.2;
        const QPointF point(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
    p.setPen(OutlinePen());
    p.setBrush(Grey);
    p.drawPath(gear);
}

// A coloured disc with a letter.
void DrawBadge(QPainter& p, const QColor& fill, const QString& letter) {
    p.setPen(OutlinePen());
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, letter);
}

void DrawParallelPort(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(Grey.lighter(120));
    p.drawPolygon(QPolygonF(
        {QPointF(0.5, 4.5), QPointF(15.5, 4.5), QPointF(13.5, 11.5), QPointF(2.5, 11.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    for (int i = 0; i < 6; ++i) {
        p.drawEllipse(QPointF(3 + 2 * i, 7), 0.7, 0.7);
    }
    for (int i = 0; i < 5; ++i) {
        p.drawEllipse(QPointF(4 + 2 * i, 9.5), 0.7, 0.7);
    }
}

void Draw(QPainter& p, ToolIcon icon) {
    switch (icon) {
    case ToolIcon::NewFile:
        return DrawNewFile(p);
    case ToolIcon::OpenFile:
        return DrawOpenFile(p);
    case ToolIcon::SaveFile:
        return DrawSaveFile(p);
    case ToolIcon::Search:
        return DrawSearch(p);
    case ToolIcon::ClearBreakpoints:
        return DrawClearBreakpoints(p);
    case ToolIcon::GotoLine:
        return DrawGotoLine(p);
    case ToolIcon::EventByEvent:
        return DrawEventByEvent(p);
    case ToolIcon::StepByStep:
        return DrawStepByStep(p);
    case ToolIcon::Execute:
        return DrawExecute(p);
    case ToolIcon::Pause:
        return DrawPause(p);
    case ToolIcon::Reset:
        return DrawReset(p);
    case ToolIcon::SpeedRun:
        return DrawSpeedRun(p);
    case ToolIcon::StateDiagram:
        return DrawStateDiagram(p);
    case ToolIcon::Waveforms:
        return DrawWaveforms(p);
    case ToolIcon::SimulatedBoard:
        return DrawSimulatedBoard(p);
    case ToolIcon::BitstreamShifter:
        return DrawBitstreamShifter(p);
    case ToolIcon::Setup:
        return DrawSetup(p);
    case ToolIcon::About:
        return DrawBadge(p, Blue, QStringLiteral("i"));
    case ToolIcon::Help:
        return DrawBadge(p, Green, QStringLiteral("?"));
    case ToolIcon::ParallelPort:
        return DrawParallelPort(p);
    }
}

} // namespace

QIcon ToolButtonIcon(ToolIcon icon) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Draw(painter, icon);
    painter.end();
    return QIcon(picture);
}

} // namespace scanbench
