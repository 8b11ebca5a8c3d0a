#include "ui/main_window/readout_panel.h"

#include "engine/feed/status_colour.h"
#include "ui/appearance/window_colours.h"
#include "ui/appearance/window_fonts.h"
#include "ui/artwork/artwork.h"
#include "ui/main_window/main_layout.h"
#include "ui/views/picture_view.h"
#include "window_logic/main_window/font_choice.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>

namespace scanbench {

namespace {

double DigitAdvance(const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
}

// "Arial" 16 pixels bold, or the largest size whose digits fit the 9-pixel
// slots of the flag marker picture, spaced so that each digit sits exactly
// over its slot.
QFont ChosenReadoutFont() {
    QFont font = ReadoutFontOfSize(
        ChooseReadoutPixelSize([](int size) { return DigitAdvance(ReadoutFontOfSize(size)); }));
    font.setLetterSpacing(QFont::AbsoluteSpacing, ReadoutFont::DigitSlot - DigitAdvance(font));
    return font;
}

QGroupBox* MakeGroup(QWidget& client, const char* name, const QString& title, const QRect& at) {
    auto* group = new QGroupBox(title, &client);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(at);
    // A frame whose top line runs through the middle of the caption, so the
    // read-out below the caption sits inside it.
    group->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    return group;
}

QLabel* MakeLabel(QGroupBox& group, const char* name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, &group);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->move(Layout::ReadoutLabel);
    label->resize(group.width() - Layout::ReadoutLabel.x() - 2, 16);
    return label;
}

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette shades = widget.palette();
    shades.setColor(QPalette::WindowText, colour);
    shades.setColor(QPalette::Text, colour);
    widget.setPalette(shades);
}

void Emphasise(QGroupBox& group, QLabel& label, bool selected) {
    QFont caption = group.font();
    caption.setBold(selected);
    group.setFont(caption);
    SetTextColour(group, ToQColor(selected ? StatusColour::Blue : StatusColour::Navy));
    SetTextColour(label, ToQColor(selected ? StatusColour::Red : StatusColour::Grey));
}

} // namespace

ReadoutPanel::ReadoutPanel(QWidget& client) : QObject(&client) {
    const QFont font = ChosenReadoutFont();
    const QString noFlags = QStringLiteral("00000000b");
    const QString noCount = QStringLiteral("00000000h");
    FlagGroups = {MakeGroup(client, "GroupBox1", QStringLiteral("Flags TAP0"), Layout::FlagsTap0),
                  MakeGroup(client, "GroupBox2", QStringLiteral("Flags TAP1"), Layout::FlagsTap1)};
    CounterGroups = {
        MakeGroup(client, "GroupBox3", QStringLiteral("Counter TAP0"), Layout::CounterTap0),
        MakeGroup(client, "GroupBox4", QStringLiteral("Counter TAP1"), Layout::CounterTap1)};
    Flags = {MakeLabel(*FlagGroups[0], "Flag0", noFlags, font),
             MakeLabel(*FlagGroups[1], "Flag1", noFlags, font)};
    Counters = {MakeLabel(*CounterGroups[0], "cnt0", noCount, font),
                MakeLabel(*CounterGroups[1], "cnt1", noCount, font)};
    for (std::size_t tap = 0; tap < 2; ++tap) {
        Markers[tap] = new PictureView(FlagGroups[tap]);
        Markers[tap]->setObjectName(QStringLiteral("FlagImg%1").arg(tap));
        Markers[tap]->setGeometry(Layout::FlagMarkers);
    }
    HighlightTap(0);
    DrawFlagMarkers({0, 0});
}

void ReadoutPanel::ShowFlags(std::uint8_t tap, const QString& text) {
    Flags[tap & 1]->setText(text);
}

void ReadoutPanel::ShowCounter(std::uint8_t tap, const QString& text) {
    Counters[tap & 1]->setText(text);
}

void ReadoutPanel::HighlightTap(std::uint8_t tap) {
    for (std::size_t t = 0; t < 2; ++t) {
        const bool selected = t == (tap & 1U);
        Emphasise(*FlagGroups[t], *Flags[t], selected);
        Emphasise(*CounterGroups[t], *Counters[t], selected);
    }
}

void ReadoutPanel::DrawFlagMarkers(const std::array<int, 2>& bits) {
    for (std::size_t tap = 0; tap < 2; ++tap) {
        const QColor background = Markers[tap]->palette().color(QPalette::Window);
        Markers[tap]->SetPicture(
            FlagMarkerPicture(Layout::FlagMarkers.size(), bits[tap], background));
    }
}

QString ReadoutPanel::FlagsText(std::uint8_t tap) const {
    return Flags[tap & 1]->text();
}

QString ReadoutPanel::CounterText(std::uint8_t tap) const {
    return Counters[tap & 1]->text();
}

} // namespace scanbench
