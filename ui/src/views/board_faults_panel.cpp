#include "ui/views/board_faults_panel.h"

#include "ui/appearance/window_colours.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>

#include <algorithm>

namespace scanbench {

namespace {

// Room for each net: its name, LED and fault, in units of the font's height.
constexpr int CellLines = 4;
constexpr int CellWidthInHeights = 6;

} // namespace

NetStrip::NetStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NetStrip"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void NetStrip::ShowNets(std::vector<NetView> nets) {
    if (nets == Shown) {
        return;
    }
    const bool resized = nets.size() != Shown.size();
    Shown = std::move(nets);
    QString pins;
    for (const NetView& net : Shown) {
        pins += QStringLiteral("%1%2: %3")
                    .arg(pins.isEmpty() ? QString() : QStringLiteral("\n"),
                         QString::fromStdString(net.Name), QString::fromStdString(net.Pins));
    }
    setToolTip(pins);
    if (resized) {
        updateGeometry();
    }
    update();
}

QSize NetStrip::sizeHint() const {
    const int line = fontMetrics().height();
    const int cells = static_cast<int>(Shown.size());
    return {line * (2 + CellWidthInHeights * cells), Shown.empty() ? 0 : line * CellLines};
}

void NetStrip::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), ToQColor(BoardColours::Board));
    if (Shown.empty()) {
        return;
    }
    const int line = fontMetrics().height();
    const int cell =
        std::max(line * CellWidthInHeights, (width() - 2 * line) / static_cast<int>(Shown.size()));
    const QColor wire(QStringLiteral("#f0e68c"));
    const QColor fault(QStringLiteral("#ff6b6b"));
    for (std::size_t i = 0; i < Shown.size(); ++i) {
        const NetView& net = Shown[i];
        const int left = line + static_cast<int>(i) * cell;
        const QRect name(left, 0, cell, line);
        painter.setPen(Qt::white);
        painter.drawText(name, Qt::AlignCenter, QString::fromStdString(net.Name));
        // The wire from the driver (left) to the receiver (right), the LED on it.
        const int y = line + line / 2 + line / 4;
        const int radius = line / 3 + 1;
        const int middle = left + cell / 2;
        painter.setPen(QPen(net.Fault.empty() ? wire : fault, 2));
        if (net.Fault == "open") {
            painter.drawLine(left + line / 2, y, middle - radius - line / 2, y);
            painter.drawLine(middle - radius - line / 4, y, middle - radius, y);
        } else {
            painter.drawLine(left + line / 2, y, middle - radius, y);
        }
        painter.drawLine(middle + radius, y, left + cell - line / 2, y);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(net.Level == '1' ? QColor(Qt::red) : QColor(QStringLiteral("#5a1010")));
        painter.drawEllipse(QPoint(middle, y), radius, radius);
        if (!net.Fault.empty()) {
            painter.setPen(fault);
            painter.drawText(QRect(left, y + radius + 2, cell, line), Qt::AlignCenter,
                             QString::fromStdString(net.Fault));
        }
    }
}

FaultsPanel::FaultsPanel(QWidget* parent) : QGroupBox(QStringLiteral("Faults"), parent) {
    setObjectName(QStringLiteral("FaultsPanel"));
    Choice = new QLineEdit(this);
    Choice->setObjectName(QStringLiteral("FaultChoice"));
    Choice->setPlaceholderText(QStringLiteral("N3=stuck0, N5+N6=short  or  random:SEED"));
    Choice->setToolTip(QStringLiteral(
        "Faults on the nets: NET=stuck0, NET=stuck1, NET=open, NET+NET=short (a wired AND), "
        "separated by commas; random:SEED chooses one or two from the seed"));
    Set = new QPushButton(QStringLiteral("Set"), this);
    NewSeed = new QPushButton(QStringLiteral("Mystery board"), this);
    NewSeed->setToolTip(QStringLiteral("One or two hidden faults from a new seed"));
    Clear = new QPushButton(QStringLiteral("Clear"), this);
    Reveal = new QPushButton(QStringLiteral("Reveal"), this);
    Reveal->setCheckable(true);
    Reveal->setToolTip(QStringLiteral("Show the faults on the nets"));
    Said = new QLabel(this);
    Said->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Choice, 0, 0);
    layout->addWidget(Set, 0, 1);
    layout->addWidget(NewSeed, 0, 2);
    layout->addWidget(Clear, 0, 3);
    layout->addWidget(Reveal, 0, 4);
    layout->addWidget(Said, 1, 0, 1, 5);
    layout->setColumnStretch(0, 1);

    connect(Set, &QPushButton::clicked, this, [this] { Choose(Choice->text()); });
    connect(Choice, &QLineEdit::returnPressed, this, [this] { Choose(Choice->text()); });
    connect(NewSeed, &QPushButton::clicked, this, [this] {
        const quint32 seed = QRandomGenerator::global()->bounded(1U, 1000000U);
        Choose(QStringLiteral("random:%1").arg(seed));
    });
    connect(Clear, &QPushButton::clicked, this, [this] { Choose({}); });
    connect(Reveal, &QPushButton::toggled, this, [this](bool on) {
        if (on != Revealed) {
            Revealed = on;
            Choose(Choice->text());
        }
    });
}

void FaultsPanel::Choose(const QString& text) {
    auto parsed = ParseFaultChoice(text.toStdString());
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        ShowProblem(QString::fromStdString(*problem));
        return;
    }
    FaultChoice choice = std::get<FaultChoice>(std::move(parsed));
    choice.Revealed = Revealed;
    emit FaultsChosen(choice);
}

void FaultsPanel::ShowChoice(const FaultChoice& choice, const QString& summary) {
    Revealed = choice.Revealed;
    {
        const QSignalBlocker quiet(Reveal);
        Reveal->setChecked(choice.Revealed);
    }
    const QString text = QString::fromStdString(FaultChoiceText(choice));
    if (Choice->text() != text && !Choice->hasFocus()) {
        Choice->setText(text);
    }
    Said->setStyleSheet({});
    Said->setText(summary);
}

void FaultsPanel::ShowProblem(const QString& problem) {
    Said->setStyleSheet(QStringLiteral("color: #c00000"));
    Said->setText(problem);
}

} // namespace scanbench
