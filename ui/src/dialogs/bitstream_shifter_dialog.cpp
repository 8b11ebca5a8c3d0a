#include "ui/dialogs/bitstream_shifter_dialog.h"

#include "engine/run/engine.h"
#include "ui/appearance/window_placement.h"
#include "ui/main_window/command_scope.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace scanbench {

namespace {

QPushButton* Command(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

BitstreamShifterDialog::BitstreamShifterDialog(Engine& engine, CommandTracker& commands,
                                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Eng(engine), Commands(commands), Shifter(engine) {
    setObjectName(QStringLiteral("BitStreamShifter"));
    setWindowTitle(QStringLiteral("Bitstream shifter"));
    CentreWhenFirstShown(*this);
    BuildLayout();

    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        connect(Taps[tap], &QRadioButton::clicked, this, [this, tap] { ChooseTap(tap); });
    }
    connect(ResetCommand, &QPushButton::clicked, this, &BitstreamShifterDialog::ResetTap);
    connect(Tms0Command, &QPushButton::clicked, this, [this] { ClockTms(0); });
    connect(Tms1Command, &QPushButton::clicked, this, [this] { ClockTms(1); });
    connect(StateCommand, &QPushButton::clicked, this, &BitstreamShifterDialog::MoveToDestination);
    connect(ShiftCommand, &QPushButton::clicked, this, &BitstreamShifterDialog::ShiftBits);
}

void BitstreamShifterDialog::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* top = new QHBoxLayout;
    auto* tapGroup = new QGroupBox(QStringLiteral("TAP"), this);
    auto* tapColumn = new QVBoxLayout(tapGroup);
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        Taps[tap] = new QRadioButton(QStringLiteral("TAP %1").arg(tap), tapGroup);
        Taps[tap]->setObjectName(QStringLiteral("Tap%1").arg(tap));
        tapColumn->addWidget(Taps[tap]);
    }
    tapColumn->addStretch();
    Taps[0]->setChecked(true);
    top->addWidget(tapGroup);

    auto* commands = new QGridLayout;
    Tms0Command = Command(QStringLiteral("TMS0"), "Tms0", this);
    Tms1Command = Command(QStringLiteral("TMS1"), "Tms1", this);
    ShiftCommand = Command(QStringLiteral("Shift"), "Shift", this);
    ResetCommand = Command(QStringLiteral("Reset"), "Reset", this);
    StateCommand = Command(QStringLiteral("State"), "State", this);
    commands->addWidget(Tms0Command, 0, 0);
    commands->addWidget(Tms1Command, 1, 0);
    commands->addWidget(ShiftCommand, 2, 0);
    commands->addWidget(ResetCommand, 0, 1);
    commands->addWidget(StateCommand, 1, 1);
    commands->setRowStretch(3, 1);
    top->addLayout(commands);

    auto* destinationGroup = new QGroupBox(QStringLiteral("Destination State"), this);
    auto* destinationColumn = new QVBoxLayout(destinationGroup);
    const std::array<const char*, 4> destinations{"Reset", "Idle", "Shift DR", "Shift IR"};
    for (std::size_t i = 0; i < destinations.size(); ++i) {
        Destinations[i] = new QRadioButton(QString::fromLatin1(destinations[i]), destinationGroup);
        Destinations[i]->setObjectName(QStringLiteral("Destination%1").arg(i));
        destinationColumn->addWidget(Destinations[i]);
    }
    Destinations[0]->setChecked(true);
    top->addWidget(destinationGroup);
    layout->addLayout(top);

    const QFont bits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const int fieldWidth = QFontMetrics(bits).horizontalAdvance(QString(48, QLatin1Char('0')));
    const auto rows = [&](const QString& title, const char* name,
                          std::array<QRadioButton*, Rows>& buttons,
                          std::array<QLineEdit*, Rows>& fields) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        for (int row = 0; row < Rows; ++row) {
            buttons[row] = new QRadioButton(group);
            buttons[row]->setObjectName(
                QStringLiteral("%1Row%2").arg(QLatin1String(name)).arg(row));
            fields[row] = new QLineEdit(group);
            fields[row]->setObjectName(
                QStringLiteral("%1Bits%2").arg(QLatin1String(name)).arg(row));
            fields[row]->setFont(bits);
            fields[row]->setMinimumWidth(fieldWidth);
            grid->addWidget(buttons[row], row, 0);
            grid->addWidget(fields[row], row, 1);
        }
        buttons[0]->setChecked(true);
        layout->addWidget(group);
    };
    rows(QStringLiteral("TX (leftmost bit shifted out first)"), "Tx", TxRows, TxFields);
    rows(QStringLiteral("RX (leftmost bit is the first received)"), "Rx", RxRows, RxFields);
    Notice = new QLabel(this);
    Notice->setObjectName(QStringLiteral("Notice"));
    Notice->setWordWrap(true);
    QPalette red = Notice->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    Notice->setPalette(red);
    Notice->hide();
    layout->addWidget(Notice);
    for (int row = 0; row < Rows; ++row) {
        TxRows[row]->setToolTip(QStringLiteral("Shift sends this row"));
        RxRows[row]->setToolTip(QStringLiteral("Shift writes the received bits into this row"));
    }
}

void BitstreamShifterDialog::ChooseTap(std::uint8_t tap) {
    const CommandScope scope(Commands);
    Shifter.SelectTap(tap);
}

void BitstreamShifterDialog::ResetTap() {
    const CommandScope scope(Commands);
    Shifter.Reset(ChosenTap());
    EnableCommands(true);
}

void BitstreamShifterDialog::ClockTms(std::uint8_t level) {
    const CommandScope scope(Commands);
    Shifter.Tms(ChosenTap(), level);
}

void BitstreamShifterDialog::MoveToDestination() {
    const CommandScope scope(Commands);
    auto destination = ShifterDestination::Reset;
    for (std::size_t i = 0; i < Destinations.size(); ++i) {
        if (Destinations[i]->isChecked()) {
            destination = static_cast<ShifterDestination>(i);
        }
    }
    Shifter.MoveTo(ChosenTap(), destination);
}

void BitstreamShifterDialog::ShiftBits() {
    const CommandScope scope(Commands);
    const int row = ChosenRow(TxRows);
    QLineEdit& field = *TxFields[row];
    const TxBits tx = ReadTxBits(field.text().toStdString());
    if (!tx.Refused.empty()) {
        // Nothing is sent; the character is picked out for the correction.
        Notice->setText(QString::fromStdString(TxRefusal(row + 1, tx)));
        Notice->show();
        const QString text = field.text();
        const auto units = [&text](qsizetype at) { return text.at(at).isHighSurrogate() ? 2 : 1; };
        qsizetype start = 0;
        for (std::size_t seen = 1; seen < tx.Position; ++seen) {
            start += units(start);
        }
        field.setFocus();
        field.setSelection(static_cast<int>(start), units(start));
        return;
    }
    Notice->hide();
    Notice->clear();
    const std::string received = Shifter.Shift(ChosenTap(), tx.Bits);
    RxFields[ChosenRow(RxRows)]->setText(QString::fromStdString(received));
}

std::uint8_t BitstreamShifterDialog::ChosenTap() const {
    return Taps[1]->isChecked() ? 1 : 0;
}

int BitstreamShifterDialog::ChosenRow(const std::array<QRadioButton*, Rows>& rows) const {
    for (int row = 0; row < Rows; ++row) {
        if (rows[row]->isChecked()) {
            return row;
        }
    }
    return 0;
}

void BitstreamShifterDialog::EnableCommands(bool enabled) {
    for (QPushButton* command : {Tms0Command, Tms1Command, ShiftCommand, StateCommand}) {
        command->setEnabled(enabled);
    }
    for (QRadioButton* destination : Destinations) {
        destination->setEnabled(enabled);
    }
}

void BitstreamShifterDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    const CommandScope scope(Commands);
    for (QLineEdit* field : TxFields) {
        field->clear();
    }
    for (QLineEdit* field : RxFields) {
        field->clear();
    }
    Notice->hide();
    Notice->clear();
    Taps[Eng.Registers().SelectedTap == 1 ? 1 : 0]->setChecked(true);
    EnableCommands(false);
    Shifter.ResetBothTaps();
}

void BitstreamShifterDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) {
        return;
    }
    const CommandScope scope(Commands);
    Shifter.ResetBothTaps();
}

} // namespace scanbench
