#include "ui/dialogs/latch_dialog.h"

#include "board/chip_board.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace scanbench {

namespace {

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LatchDialog::LatchDialog(const ChipBoard& board, const PinRow& pin, std::vector<PlannedLatch>& plan,
                         QWidget* parent)
    : QDialog(parent), Board(board), Pin(pin), Planned(plan) {
    setObjectName(QStringLiteral("LatchDialog"));
    const QString name = Text(Pin.ChipName + "." + Pin.Name);
    setWindowTitle(QStringLiteral("Update latch of %1").arg(name));
    const auto output = static_cast<std::uint32_t>(Pin.OutputCell);
    const std::optional<ScanBit> bit = ScanBitOf(Board, Pin.Chip, output);

    setMinimumWidth(fontMetrics().averageCharWidth() * 56);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize); // the wrapped texts get their lines
    auto* about =
        new QLabel(QStringLiteral("Output cell %1 of %2 drives %3. Its update latch holds %4.")
                       .arg(output)
                       .arg(Text(Pin.ChipName), Text(Pin.Name), Text(Pin.Latch)),
                   this);
    about->setWordWrap(true);
    layout->addWidget(about);
    auto* where = new QLabel(bit ? Text(ScanBitText(*bit) + ", counted from 0 for the first bit "
                                                            "shifted in.")
                                 : QString(),
                             this);
    where->setObjectName(QStringLiteral("ScanBit"));
    where->setWordWrap(true);
    layout->addWidget(where);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("After the next scan it holds"), this));
    Low = new QRadioButton(QStringLiteral("0"), this);
    High = new QRadioButton(QStringLiteral("1"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(Low);
    group->addButton(High);
    choice->addWidget(Low);
    choice->addWidget(High);
    choice->addStretch();
    layout->addLayout(choice);
    // A pin clicked is one to change: the other value is offered first,
    // unless a value is planned already.
    const auto planned = std::ranges::find_if(
        Planned, [&](const PlannedLatch& p) { return p.Chip == Pin.Chip && p.Cell == output; });
    const bool high = planned != Planned.end() ? planned->Value != 0 : Pin.Latch != "1";
    (high ? High : Low)->setChecked(true);

    Enable = new QCheckBox(this);
    const bool controlled = Pin.ControlCell >= 0 && Pin.ControlCell != Pin.OutputCell;
    const bool released =
        controlled &&
        Board.Part(Pin.Chip).Latch(static_cast<std::uint32_t>(Pin.ControlCell)) != Pin.EnableValue;
    Enable->setText(QStringLiteral("Enable the pin too: control cell %1 to %2")
                        .arg(Pin.ControlCell)
                        .arg(Pin.EnableValue));
    Enable->setChecked(released);
    Enable->setVisible(released);
    layout->addWidget(Enable);

    layout->addWidget(new QLabel(QStringLiteral("NSHFCP operand for this scan"), this));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    OperandField = new QLineEdit(this);
    OperandField->setObjectName(QStringLiteral("Operand"));
    OperandField->setReadOnly(true);
    OperandField->setFont(fixed);
    layout->addWidget(OperandField);
    StatementsField = new QLabel(this);
    StatementsField->setObjectName(QStringLiteral("Statements"));
    StatementsField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatementsField->setFrameShape(QFrame::StyledPanel);
    StatementsField->setMargin(6);
    StatementsField->setFont(fixed);
    layout->addWidget(StatementsField);
    auto* note = new QLabel(QStringLiteral("From Run-Test/Idle; every other latch of the chain "
                                           "keeps its value."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("CopyStatements"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Statements()); });
    auto* forget = new QPushButton(QStringLiteral("Forget the plan"), this);
    forget->setObjectName(QStringLiteral("ForgetPlan"));
    connect(forget, &QPushButton::clicked, this, [this] {
        Planned.clear();
        Plan();
    });
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(copy);
    buttons->addWidget(forget);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(group, &QButtonGroup::buttonToggled, this, [this] { Plan(); });
    connect(Enable, &QCheckBox::toggled, this, [this] { Plan(); });
    Plan();
}

void LatchDialog::Forget(std::uint32_t cell) {
    std::erase_if(Planned,
                  [&](const PlannedLatch& p) { return p.Chip == Pin.Chip && p.Cell == cell; });
}

void LatchDialog::Plan() {
    const auto output = static_cast<std::uint32_t>(Pin.OutputCell);
    Forget(output);
    Planned.push_back({Pin.Chip, output, static_cast<std::uint8_t>(High->isChecked() ? 1 : 0)});
    if (Pin.ControlCell >= 0 && Pin.ControlCell != Pin.OutputCell) {
        Forget(static_cast<std::uint32_t>(Pin.ControlCell));
        if (Enable->isChecked()) {
            Planned.push_back(
                {Pin.Chip, static_cast<std::uint32_t>(Pin.ControlCell), Pin.EnableValue});
        }
    }
    const std::uint8_t tap = Board.Chip(Pin.Chip).Tap;
    const std::string bits = NextScanBits(Board, tap, Planned);
    OperandField->setText(Text(NshfcpOperand(bits)));
    StatementsField->setText(QStringLiteral("SELTAP%1;\nSTATE DRSHIFT;\n%2\nSTATE IDLE;")
                                 .arg(tap)
                                 .arg(Text(ScanStatements(bits))));
}

QString LatchDialog::Operand() const {
    return OperandField->text();
}

QString LatchDialog::Statements() const {
    return StatementsField->text();
}

} // namespace scanbench
