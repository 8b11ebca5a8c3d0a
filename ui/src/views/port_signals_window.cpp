#include "ui/views/port_signals_window.h"

#include "port/pin_settings.h"
#include "port/port_connection.h"
#include "ui/appearance/window_placement.h"
#include "window_logic/views/pin_names.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

namespace scanbench {

namespace {

// The pin rows of the two groups, top to bottom.
constexpr std::array<std::uint8_t, 12> OutputRows{1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 16, 17};
constexpr std::array<std::uint8_t, 5> InputRows{10, 11, 12, 13, 15};

const QColor HighLevel(150, 222, 150);
const QColor LowLevel(244, 244, 244);

QString TwoDigits(std::uint8_t pin) {
    return QStringLiteral("%1").arg(pin, 2, 10, QLatin1Char('0'));
}

} // namespace

PortSignalsWindow::PortSignalsWindow(PortConnection& port, ViewFeed& views, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Port(port) {
    setObjectName(QStringLiteral("Mostra_Porta_Paralela"));
    setWindowTitle(QStringLiteral("Parallel Port Signals"));
    CentreWhenFirstShown(*this);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    OutputGroup = BuildGroup(QStringLiteral("Output Pins"), OutputRows, "Input");
    layout->addWidget(OutputGroup, 0, Qt::AlignTop);
    layout->addWidget(BuildGroup(QStringLiteral("Input Pins"), InputRows, "Output"), 0,
                      Qt::AlignTop);

    CloseItem = new QAction(QStringLiteral("Close Window"), this);
    connect(CloseItem, &QAction::triggered, this, &QWidget::close);
    StayOnTop = new QAction(QStringLiteral("Stay on Top"), this);
    StayOnTop->setCheckable(true);
    connect(StayOnTop, &QAction::toggled, this, &PortSignalsWindow::KeepOnTop);

    RelabelPins();
    Feed = views.Subscribe(*this);
}

QGroupBox* PortSignalsWindow::BuildGroup(const QString& title, std::span<const std::uint8_t> pins,
                                         const char* levelPrefix) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    QFont levelFont = font();
    levelFont.setBold(true);
    const int nameWidth = fontMetrics().horizontalAdvance(QStringLiteral("TAP0 - TMS")) + 16;
    const int levelWidth = fontMetrics().horizontalAdvance(QStringLiteral("00")) + 10;
    int row = 0;
    for (const std::uint8_t pin : pins) {
        grid->addWidget(new QLabel(TwoDigits(pin), group), row, 0);

        auto* name = new QLabel(group);
        name->setObjectName(QStringLiteral("Name%1").arg(pin));
        name->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        name->setMinimumWidth(nameWidth);
        name->setMargin(2);
        name->setBackgroundRole(QPalette::Base);
        name->setAutoFillBackground(true);
        grid->addWidget(name, row, 1);
        Names[pin] = name;

        auto* level = new QLabel(group);
        level->setObjectName(QString::fromLatin1(levelPrefix) + QString::number(pin));
        level->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        level->setMargin(2);
        level->setAlignment(Qt::AlignCenter);
        level->setFont(levelFont);
        level->setMinimumWidth(levelWidth);
        level->setAutoFillBackground(true);
        grid->addWidget(level, row, 2);
        Levels[pin] = level;
        ++row;
    }
    return group;
}

void PortSignalsWindow::RelabelPins() {
    const auto names = PinSignalNames(Port.Pins());
    for (std::uint8_t pin = 1; pin < Names.size(); ++pin) {
        if (Names[pin] != nullptr) {
            Names[pin]->setText(
                QString::fromLatin1(names[pin].data(), static_cast<qsizetype>(names[pin].size())));
        }
    }
}

void PortSignalsWindow::RefreshPinLevels() {
    const auto levels = Port.ReadPinLevels();
    for (std::uint8_t pin = 1; pin < Levels.size(); ++pin) {
        QLabel* label = Levels[pin];
        if (label == nullptr) {
            continue;
        }
        const bool high = levels[pin] == 1;
        const QString text = high ? QStringLiteral("1") : QStringLiteral("0");
        if (label->text() != text) {
            label->setText(text);
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, high ? HighLevel : LowLevel);
            label->setPalette(palette);
        }
    }
}

QString PortSignalsWindow::PinName(std::uint8_t pin) const {
    return pin < Names.size() && Names[pin] != nullptr ? Names[pin]->text() : QString();
}

QString PortSignalsWindow::PinLevelText(std::uint8_t pin) const {
    return pin < Levels.size() && Levels[pin] != nullptr ? Levels[pin]->text() : QString();
}

void PortSignalsWindow::RefreshView(ViewChanges changes) {
    // A hidden window reads the port when it is shown again.
    if (changes.Has(ViewChange::PinLevels) && isVisible()) {
        RefreshPinLevels();
    }
}

void PortSignalsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OutputGroup->setFocus();
    RelabelPins();
    RefreshPinLevels();
}

void PortSignalsWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(CloseItem);
    menu.addAction(StayOnTop);
    menu.exec(event->globalPos());
}

void PortSignalsWindow::KeepOnTop(bool onTop) {
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        show(); // changing the flags hides the window
    }
}

} // namespace scanbench
