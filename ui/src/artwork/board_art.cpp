#include "ui/artwork/board_art.h"

#include "ui/appearance/window_colours.h"
#include "ui/appearance/window_fonts.h"
#include "window_logic/views/board_view.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace scanbench {

namespace {

QRectF ToRectF(BoardRect r) {
    return {static_cast<qreal>(r.X), static_cast<qreal>(r.Y), static_cast<qreal>(r.Width),
            static_cast<qreal>(r.Height)};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void DrawText(QPainter& painter, BoardRect box, std::string_view text, const QFont& font,
              Rgb colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    painter.setFont(font);
    painter.setPen(ToQColor(colour));
    painter.drawText(ToRectF(box), static_cast<int>(align), Text(text));
}

BoardTextMetrics::Measure WidthIn(const QFont& font) {
    return [metrics = QFontMetricsF(font)](std::string_view text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(Text(text))));
    };
}

int HeightOf(const QFont& font) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).height()));
}

void DrawArrow(QPainter& painter, BoardPoint from, BoardPoint to) {
    const QColor colour = ToQColor(BoardColours::Wire);
    const QPointF tip(to.X, to.Y + 0.5);
    const QPointF start(from.X, from.Y + 0.5);
    const double direction = to.X >= from.X ? 1.0 : -1.0;
    const QPointF base = tip - QPointF(8.0 * direction, 0);
    painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({tip, base + QPointF(0, 4.5), base - QPointF(0, 4.5)}));
}

void DrawLed(QPainter& painter, BoardRect r, bool lit) {
    const QRectF disc = ToRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    if (lit) {
        // A soft halo, then the lens with a bright centre.
        QRadialGradient halo(disc.center(), disc.width());
        halo.setColorAt(0.0, QColor(255, 90, 60, 150));
        halo.setColorAt(1.0, QColor(255, 90, 60, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(halo);
        painter.drawEllipse(disc.center(), disc.width(), disc.height());
        QRadialGradient lens(disc.center() - QPointF(2, 2), disc.width() * 0.6);
        lens.setColorAt(0.0, QColor(255, 225, 200));
        lens.setColorAt(1.0, ToQColor(BoardColours::LedLit));
        painter.setBrush(lens);
    } else {
        painter.setBrush(ToQColor(BoardColours::LedDark));
    }
    painter.setPen(QPen(ToQColor(BoardColours::ChipEdge), 1.0));
    painter.drawEllipse(disc);
}

void DrawSwitch(QPainter& painter, BoardRect r, bool high) {
    const QRectF slot = ToRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(ToQColor(BoardColours::ChipEdge), 1.0));
    painter.setBrush(ToQColor(high ? BoardColours::SwitchHigh : BoardColours::SwitchSlot));
    painter.drawRoundedRect(slot, 3, 3);
    const double knobHeight = slot.height() / 2 - 1;
    const QRectF knob(slot.left() + 2, high ? slot.top() + 2 : slot.bottom() - 2 - knobHeight,
                      slot.width() - 4, knobHeight);
    painter.setBrush(ToQColor(BoardColours::SwitchKnob));
    painter.drawRoundedRect(knob, 2, 2);
}

} // namespace

BoardFonts BoardFonts::Standard() {
    return {ReadoutFontOfSize(16), LabelFontOfSize(13), EditorFontOfSize(14)};
}

BoardTextMetrics MeasureBoardText(const BoardFonts& fonts) {
    return {WidthIn(fonts.Title),  HeightOf(fonts.Title), WidthIn(fonts.Label),
            HeightOf(fonts.Label), WidthIn(fonts.Value),  HeightOf(fonts.Value)};
}

void DrawBoardStatic(QPainter& painter, const BoardLayout& layout, const BoardFonts& fonts) {
    painter.fillRect(QRectF(0, 0, layout.Width, layout.Height), ToQColor(BoardColours::Board));
    for (const TapRowLayout& row : layout.Rows) {
        DrawText(painter, row.Title, TapTitle(row.Tap), fonts.Title, BoardColours::BoardText);
        DrawText(painter, row.TdiName, BoardCaption::Tdi, fonts.Label, BoardColours::Wire,
                 Qt::AlignCenter);
        DrawText(painter, row.TdoName, BoardCaption::Tdo, fonts.Label, BoardColours::Wire,
                 Qt::AlignCenter);
        for (const auto& wire : row.Wires) {
            DrawArrow(painter, wire[0], wire[1]);
        }
    }
    const SyncPanelLayout& sync = layout.Sync;
    painter.setPen(QPen(ToQColor(BoardColours::Board).lighter(140), 1.0));
    painter.setBrush(ToQColor(BoardColours::Panel));
    painter.drawRoundedRect(ToRectF(sync.Panel).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    DrawText(painter, sync.Title, BoardCaption::SyncTitle, fonts.Label, BoardColours::BoardText,
             Qt::AlignCenter);
    for (std::size_t i = 0; i < 2; ++i) {
        DrawText(painter, sync.Names[i], BoardCaption::SyncNames[i], fonts.Label,
                 BoardColours::BoardText, Qt::AlignCenter);
    }
}

void DrawChip(QPainter& painter, const ChipLayout& chip, const ChipView& view,
              const BoardFonts& fonts) {
    const QRectF body = ToRectF(chip.Body);
    painter.fillRect(body, ToQColor(BoardColours::Board));
    painter.setPen(QPen(ToQColor(BoardColours::ChipEdge), 1.0));
    painter.setBrush(ToQColor(BoardColours::ChipBody));
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    // The pin-1 mark in the corner.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(BoardColours::ChipBody).lighter(180));
    painter.drawEllipse(QPointF(body.left() + 7, body.bottom() - 7), 2.5, 2.5);

    DrawText(painter, chip.Name, view.Name, fonts.Title, BoardColours::ChipName);
    DrawText(painter, chip.IdCode, view.IdCode, fonts.Label, BoardColours::FieldName,
             Qt::AlignRight | Qt::AlignVCenter);
    const std::array<std::string_view, 3> fields{BoardCaption::State, BoardCaption::Instruction,
                                                 BoardCaption::Register};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        DrawText(painter, chip.FieldNames[i], fields[i], fonts.Label, BoardColours::FieldName);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(BoardColours::StateBox));
    painter.drawRoundedRect(ToRectF(chip.StateBox), 4, 4);
    DrawText(painter, chip.StateBox, view.State, fonts.Value, BoardColours::StateText,
             Qt::AlignCenter);
    DrawText(painter, chip.Instruction, view.Instruction, fonts.Value, BoardColours::Value);
    DrawText(painter, chip.Register, view.Register, fonts.Value, BoardColours::Value);

    if (!view.HasLeds && !view.HasSwitches) {
        // A chip of a board file: its LEDs and switches are in the pin list.
        const BoardRect rows{chip.LedsName.X, chip.LedsName.Y,
                             chip.LedsValue.Right() - chip.LedsName.X,
                             chip.SwitchesName.Bottom() - chip.LedsName.Y};
        DrawText(painter, rows,
                 view.HasPins ? "Pins, switches and LEDs: in the list below"
                              : "No pins besides its TAP",
                 fonts.Label, BoardColours::FieldName, Qt::AlignCenter);
        return;
    }
    for (int column = 0; column < BoardColumns; ++column) {
        const auto c = static_cast<std::size_t>(column);
        const int bit = BitOfColumn(column);
        if (view.HasLeds) {
            DrawLed(painter, chip.Leds[c], ((view.Leds >> bit) & 1U) != 0);
            DrawText(painter, chip.LedNames[c], LedName(bit), fonts.Label, BoardColours::FieldName,
                     Qt::AlignCenter);
        }
        if (view.HasSwitches) {
            DrawSwitch(painter, chip.Switches[c], ((view.Switches >> bit) & 1U) != 0);
            DrawText(painter, chip.SwitchNames[c], SwitchName(bit), fonts.Label,
                     BoardColours::FieldName, Qt::AlignCenter);
        }
    }
    if (view.HasLeds) {
        DrawText(painter, chip.LedsName, BoardCaption::Leds, fonts.Label, BoardColours::FieldName);
        DrawText(painter, chip.LedsValue, LevelsText(view.Leds), fonts.Value, BoardColours::Value);
    }
    if (view.HasSwitches) {
        DrawText(painter, chip.SwitchesName, BoardCaption::Switches, fonts.Label,
                 BoardColours::FieldName);
        DrawText(painter, chip.SwitchesValue, LevelsText(view.Switches), fonts.Value,
                 BoardColours::Value);
    }
}

void DrawSyncSwitches(QPainter& painter, const SyncPanelLayout& sync, bool sia, bool sib,
                      const BoardFonts& fonts) {
    const std::array<bool, 2> levels{sia, sib};
    for (std::size_t i = 0; i < 2; ++i) {
        painter.fillRect(ToRectF(sync.Switches[i]), ToQColor(BoardColours::Panel));
        painter.fillRect(ToRectF(sync.Levels[i]), ToQColor(BoardColours::Panel));
        DrawSwitch(painter, sync.Switches[i], levels[i]);
        DrawText(painter, sync.Levels[i], levels[i] ? BoardCaption::High : BoardCaption::Low,
                 fonts.Label, BoardColours::FieldName, Qt::AlignCenter);
    }
}

void DrawNotice(QPainter& painter, int width, int height, const QString& notice,
                const BoardFonts& fonts) {
    painter.fillRect(QRectF(0, 0, width, height), ToQColor(BoardColours::Board));
    painter.setFont(fonts.Title);
    const QRectF area(24, 0, width - 48, height);
    const QRectF text = painter.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, notice);
    painter.setPen(QPen(ToQColor(BoardColours::Board).lighter(140), 1.0));
    painter.setBrush(ToQColor(BoardColours::Panel));
    painter.drawRoundedRect(text.adjusted(-16, -12, 16, 12), 8, 8);
    painter.setPen(ToQColor(BoardColours::BoardText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, notice);
}

} // namespace scanbench
