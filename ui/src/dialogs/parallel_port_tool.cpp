#include "ui/dialogs/parallel_port_tool.h"

#include "engine/feed/signal_port.h"
#include "engine/feed/view_feed.h"
#include "ui/appearance/window_placement.h"
#include "ui/artwork/brand_art.h"
#include "ui/main_window/command_scope.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace scanbench {

namespace {

constexpr std::uint8_t NoTap = 2;

// One clock pulse: low, a rising edge, high, a falling edge, low; drawn
// sharp for ordinary and for doubled screens.
QIcon PulseIcon() {
    QIcon icon;
    for (const int ratio : {1, 2}) {
        QPixmap picture = BlankPicture(QSizeF(32, 16), ratio);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(46, 139, 61), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({QPointF(2, 13), QPointF(10, 13), QPointF(10, 3), QPointF(22, 3),
                                  QPointF(22, 13), QPointF(30, 13)}));
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace

ParallelPortTool::ParallelPortTool(SignalPort& port, ViewFeed& views, CommandTracker& commands,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Port(port), Views(views), Commands(commands) {
    setObjectName(QStringLiteral("ParPort"));
    setWindowTitle(QStringLiteral("Parallel Port"));
    CentreWhenFirstShown(*this);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(12);
    const QIcon pulse = PulseIcon();
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        auto* group = new QGroupBox(QStringLiteral("TAP %1").arg(tap), this);
        group->setObjectName(QStringLiteral("GroupTap%1").arg(tap));
        auto* column = new QVBoxLayout(group);
        const std::array<const char*, 4> names{"TCK", "TMS", "TX", "RX"};
        for (std::size_t line = 0; line < names.size(); ++line) {
            auto* box = new QCheckBox(QString::fromLatin1(names[line]), group);
            box->setObjectName(QString::fromLatin1(names[line]) + QString::number(tap));
            column->addWidget(box);
            Boxes[tap][line] = box;
        }
        Boxes[tap][Rx]->setEnabled(false); // shows RX, the user cannot set it
        grid->addWidget(group, tap, 0);

        auto* button = new QPushButton(pulse, QStringLiteral("BitBtn1"), this);
        button->setObjectName(QStringLiteral("Pulse%1").arg(tap));
        button->setToolTip(QStringLiteral("Pulse TCK of TAP %1: low, high, low").arg(tap));
        button->setLayoutDirection(Qt::RightToLeft); // the picture right of the text
        button->setIconSize(QSize(32, 16));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, tap] { PulseTck(tap); });
        grid->addWidget(button, tap, 1, Qt::AlignVCenter);
        Pulse[tap] = button;
    }

    auto* write = new QPushButton(QStringLiteral("&Write"), this);
    write->setObjectName(QStringLiteral("WriteButton"));
    connect(write, &QPushButton::clicked, this, &ParallelPortTool::Write);
    auto* refresh = new QPushButton(QStringLiteral("Refresh"), this);
    refresh->setObjectName(QStringLiteral("RefreshButton"));
    refresh->setAutoDefault(false);
    connect(refresh, &QPushButton::clicked, this, &ParallelPortTool::Refresh);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(write);
    buttons->addWidget(refresh);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

void ParallelPortTool::Write() {
    const CommandScope scope(Commands);
    WriteLevels(NoTap, 0);
    Refresh();
}

void ParallelPortTool::Refresh() {
    const CommandScope scope(Commands);
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        Boxes[tap][Rx]->setChecked(Port.ReadRx(tap) == 1);
    }
}

void ParallelPortTool::PulseTck(std::uint8_t tap) {
    const CommandScope scope(Commands);
    for (const std::uint8_t tck : {0, 1, 0}) {
        WriteLevels(tap, tck);
        Refresh();
    }
}

void ParallelPortTool::WriteLevels(std::uint8_t pulsedTap, std::uint8_t tck) {
    const auto tckOf = [&](std::uint8_t tap) { return tap == pulsedTap ? tck : Ticked(tap, Tck); };
    Port.WritePortSignals(tckOf(0), Ticked(0, Tms), Ticked(0, Tx), tckOf(1), Ticked(1, Tms),
                          Ticked(1, Tx), 0, 0);
    Views.Notify(ViewChange::PinLevels);
}

std::uint8_t ParallelPortTool::Ticked(std::uint8_t tap, Line line) const {
    return Boxes[tap][line]->isChecked() ? 1 : 0;
}

void ParallelPortTool::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Refresh();
}

} // namespace scanbench
