#include "ui/views/bitstream_viewer.h"

#include "engine/run/engine.h"
#include "ui/appearance/window_colours.h"
#include "ui/appearance/window_placement.h"
#include "ui/views/bit_line_field.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace scanbench {

namespace {

constexpr QSize Client(382, 146);
constexpr QRect ToolBarArea(0, 0, 382, 26);
constexpr QSize ButtonSize(23, 22);
constexpr int Gap = 12;
constexpr int LabelWidth = 213;
constexpr QRect Field(16, 16, 323, 21);
// The classic colour of an active window's border.
const QColor ActiveBorder(212, 208, 200);
const QColor Maroon(128, 0, 0);

struct ColourButton {
    const char* Name;
    BitColour Colour;
};
constexpr std::array<ColourButton, 5> ColourButtons = {{
    {"ToolButton6", BitColour::Red},
    {"ToolButton5", BitColour::Yellow},
    {"ToolButton4", BitColour::Lime},
    {"ToolButton8", BitColour::Aqua},
    {"ToolButton3", BitColour::White},
}};

// A 16 x 16 picture drawn by `draw`, sharp on screens of any scale.
template <typename Draw>
QIcon DrawnIcon(Draw draw) {
    QIcon icon;
    for (const int scale : {1, 2, 3}) {
        QPixmap picture(16 * scale, 16 * scale);
        picture.setDevicePixelRatio(scale);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

const QColor IconOutline(48, 48, 56);

// A colour button's picture: a rounded swatch of the colour.
QIcon SwatchIcon(const QColor& colour) {
    return DrawnIcon([&colour](QPainter& p) {
        p.setPen(QPen(IconOutline, 1));
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2.5, 2.5);
    });
}

// "Reset Colors": four small swatches turned white.
QIcon ResetIcon() {
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(IconOutline, 1));
        p.setBrush(Qt::white);
        for (const QPointF at :
             {QPointF(1.5, 1.5), QPointF(8.5, 1.5), QPointF(1.5, 8.5), QPointF(8.5, 8.5)}) {
            p.drawRoundedRect(QRectF(at, QSizeF(6, 6)), 1.5, 1.5);
        }
    });
}

QToolButton* MakeButton(QWidget* bar, const char* name, const QIcon& icon, const QString& hint,
                        int x) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(
        QRect(QPoint(x, (ToolBarArea.height() - ButtonSize.height()) / 2), ButtonSize));
    return button;
}

} // namespace

BitstreamViewer::BitstreamViewer(const Engine& engine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Eng(engine) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Received bitstream viewer"));
    setModal(true);
    setFixedSize(Client);
    Build();
}

void BitstreamViewer::Build() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(ToolBarArea);
    bar->setAutoFillBackground(true);
    QPalette barColours = bar->palette();
    barColours.setColor(QPalette::Window, ActiveBorder);
    bar->setPalette(barColours);

    int x = Gap;
    for (std::size_t i = 0; i < ColourButtons.size(); ++i) {
        const BitColour colour = ColourButtons[i].Colour;
        Buttons[i] = MakeButton(bar, ColourButtons[i].Name, SwatchIcon(ToQColor(ToRgb(colour))),
                                QStringLiteral("Change current bit color"), x);
        connect(Buttons[i], &QToolButton::clicked, this,
                [this, colour] { ColourCurrentBits(colour); });
        x += ButtonSize.width();
    }
    Buttons[5] =
        MakeButton(bar, "ToolButton11", ResetIcon(), QStringLiteral("Reset Colors"), x + Gap);
    connect(Buttons[5], &QToolButton::clicked, this, &BitstreamViewer::ResetColours);

    PositionLabel = new QLabel(QStringLiteral("00000000"), bar);
    PositionLabel->setObjectName(QStringLiteral("Label1"));
    QFont labelFont = PositionLabel->font();
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    PositionLabel->setFont(labelFont);
    QPalette labelColours = PositionLabel->palette();
    labelColours.setColor(QPalette::WindowText, Maroon);
    PositionLabel->setPalette(labelColours);
    PositionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PositionLabel->setGeometry(ToolBarArea.width() - LabelWidth - 6, 0, LabelWidth,
                               ToolBarArea.height());

    for (int tap = 0; tap < 2; ++tap) {
        auto* group =
            new QGroupBox(tap == 0 ? QStringLiteral("TAP 0") : QStringLiteral("TAP 1"), this);
        group->setObjectName(tap == 0 ? QStringLiteral("GroupBox1") : QStringLiteral("GroupBox2"));
        group->setGeometry(15, tap == 0 ? 37 : 87, 356, 47);
        // The frame's top line runs through the caption, so the line sits
        // inside the frame.
        group->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
        // In the TAP 0 line Backspace does nothing; in the TAP 1 line it
        // removes the current bit.
        Lines[tap] = new BitLineField(tap, tap == 1, group);
        Lines[tap]->setGeometry(Field);
        connect(Lines[tap], &BitLineField::PositionChanged, PositionLabel, &QLabel::setText);
    }
    setTabOrder(Lines[0], Lines[1]);
}

void BitstreamViewer::BuildLines() {
    const RxStrings lines = BuildRxStrings(Eng.State().Events, Eng.State().Switches.ShowZ);
    Lines[0]->SetText(lines.Tap0);
    Lines[1]->SetText(lines.Tap1);
}

void BitstreamViewer::ColourCurrentBits(BitColour colour) {
    Lines[0]->ColourCurrent(colour);
    Lines[1]->ColourCurrent(colour);
}

void BitstreamViewer::ResetColours() {
    Lines[0]->ResetColours();
    Lines[1]->ResetColours();
}

QString BitstreamViewer::PositionText() const {
    return PositionLabel->text();
}

void BitstreamViewer::setVisible(bool visible) {
    // The lines are built once the dialog has given the focus to the first
    // one, so that the position shown is the one the building left.
    QDialog::setVisible(visible);
    if (visible) {
        BuildLines();
    }
}

void BitstreamViewer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Centred) {
        Centred = true;
        CentreOnScreen(*this);
    }
}

} // namespace scanbench
