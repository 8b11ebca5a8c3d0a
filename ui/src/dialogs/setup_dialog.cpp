#include "ui/dialogs/setup_dialog.h"

#include "board/board_file.h"
#include "port/pin_settings.h"
#include "port/port_choice.h"
#include "settings/qt_paths.h"
#include "ui/appearance/window_placement.h"
#include "ui/artwork/brand_art.h"
#include "ui/main_window/user_interaction.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace scanbench {

namespace {

// The port addresses of LPT1, LPT2 and LPT3.
constexpr std::array<std::int32_t, 3> LptBases{888, 632, 956};

const QColor OutputCaption(0, 128, 0);
const QColor InputCaption(192, 0, 0);

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* Caption(const QString& text, bool input, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, input ? InputCaption : OutputCaption);
    label->setPalette(palette);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A 25-way connector seen from the front: 13 pins over 12.
QPixmap ConnectorPicture(qreal ratio) {
    const QSizeF size(84, 34);
    QPixmap picture = BlankPicture(size, ratio);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(48, 48, 56), 1.5));
    p.setBrush(QColor(176, 180, 188));
    p.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 4, 4);
    p.setBrush(QColor(40, 44, 52));
    p.drawPolygon(QPolygonF({QPointF(9, 7), QPointF(75, 7), QPointF(70, 27), QPointF(14, 27)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 190, 80));
    for (int pin = 0; pin < 13; ++pin) {
        p.drawEllipse(QPointF(15 + pin * 4.5, 12.5), 1.6, 1.6);
    }
    for (int pin = 0; pin < 12; ++pin) {
        p.drawEllipse(QPointF(17.25 + pin * 4.5, 21.5), 1.6, 1.6);
    }
    return picture;
}

} // namespace

SetupDialog::SetupDialog(const Settings& settings, std::function<void()> shown,
                         UserInteraction& user, Confirm confirm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      Current(settings), Shown(std::move(shown)), User(user), Apply(std::move(confirm)) {
    setObjectName(QStringLiteral("CfgForm"));
    setWindowTitle(QStringLiteral("Setup"));
    CentreWhenFirstShown(*this);
    BuildLayout();
}

void SetupDialog::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ConnectorPicture"));
    picture->setPixmap(ConnectorPicture(devicePixelRatioF()));
    top->addWidget(picture, 0, Qt::AlignTop);

    auto* portGroup = new QGroupBox(QStringLiteral("Port"), this);
    auto* portRow = new QHBoxLayout(portGroup);
    auto* lptGroup = new QButtonGroup(portGroup);
    for (std::size_t i = 0; i < Lpt.size(); ++i) {
        Lpt[i] = new QRadioButton(QStringLiteral("LPT%1").arg(i + 1), portGroup);
        Lpt[i]->setObjectName(QStringLiteral("Lpt%1").arg(i + 1));
        Lpt[i]->setToolTip(QStringLiteral("Port address %1h").arg(LptBases[i], 0, 16).toUpper());
        lptGroup->addButton(Lpt[i]);
        portRow->addWidget(Lpt[i]);
    }
    top->addWidget(portGroup);
    top->addWidget(BuildConnectionGroup());
    layout->addLayout(top);

    auto* taps = new QHBoxLayout;
    taps->addWidget(BuildTapGroup(0));
    taps->addWidget(BuildTapGroup(1));
    layout->addLayout(taps);
    layout->addWidget(BuildSyncGroup());

    auto* switchesRow = new QHBoxLayout;
    auto* viewerGroup = new QGroupBox(QStringLiteral("RX bitstream viewer"), this);
    auto* viewerColumn = new QVBoxLayout(viewerGroup);
    ShowZ = new QRadioButton(QStringLiteral("Show Z"), viewerGroup);
    ShowZ->setObjectName(QStringLiteral("ShowZ"));
    ShowValue = new QRadioButton(QStringLiteral("Show value"), viewerGroup);
    ShowValue->setObjectName(QStringLiteral("ShowValue"));
    viewerColumn->addWidget(ShowZ);
    viewerColumn->addWidget(ShowValue);
    switchesRow->addWidget(viewerGroup);
    auto* boxes = new QVBoxLayout;
    ActiveMode = new QCheckBox(QStringLiteral("Active Mode"), this);
    ActiveMode->setObjectName(QStringLiteral("ActiveMode"));
    ActiveMode->setToolTip(QStringLiteral("Keep every recorded event (off: only the latest)"));
    SpeedRun = new QCheckBox(QStringLiteral("Speed Run"), this);
    SpeedRun->setObjectName(QStringLiteral("SpeedRun"));
    SpeedRun->setToolTip(QStringLiteral("Offer the Speed Run command"));
    boxes->addWidget(ActiveMode);
    boxes->addWidget(SpeedRun);
    boxes->addStretch();
    switchesRow->addLayout(boxes);
    switchesRow->addStretch();
    layout->addLayout(switchesRow);

    auto* buttons = new QHBoxLayout;
    auto* defaults = new QPushButton(QStringLiteral("Load Defaults"), this);
    defaults->setObjectName(QStringLiteral("LoadDefaults"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, &SetupDialog::LoadDefaults);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SetupDialog::accept);
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
}

QWidget* SetupDialog::BuildConnectionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Connection"), this);
    auto* form = new QFormLayout(group);
    Device = new QComboBox(group);
    Device->setObjectName(QStringLiteral("PortDevice"));
    for (const NamedChoice<PortKind>& choice : PortKindChoices) {
        Device->addItem(Text(choice.Caption));
    }
    Board = new QComboBox(group);
    Board->setObjectName(QStringLiteral("BoardWiring"));
    for (const NamedChoice<BoardKind>& choice : BoardKindChoices) {
        Board->addItem(Text(choice.Caption));
    }
    RemoteHost = new QLineEdit(group);
    RemoteHost->setObjectName(QStringLiteral("RemoteHost"));
    RemoteHost->setToolTip(QStringLiteral("The remote_bitbang server's host name or address"));
    RemotePort = new QLineEdit(group);
    RemotePort->setObjectName(QStringLiteral("RemotePort"));
    RemotePort->setToolTip(QStringLiteral("The remote_bitbang server's port (1 to 65535)"));
    RemotePort->setMaxLength(5);
    RemotePort->setFixedWidth(
        RemotePort->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    auto* remote = new QHBoxLayout;
    remote->addWidget(RemoteHost, 1);
    remote->addWidget(new QLabel(QStringLiteral("Port"), group));
    remote->addWidget(RemotePort);
    FromFile = new QPushButton(QStringLiteral("Board from file..."), group);
    FromFile->setObjectName(QStringLiteral("BoardFromFile"));
    FromFile->setAutoDefault(false);
    connect(FromFile, &QPushButton::clicked, this, &SetupDialog::ChooseBoardFile);
    auto* board = new QHBoxLayout;
    board->addWidget(Board, 1);
    board->addWidget(FromFile);
    connect(Device, &QComboBox::currentIndexChanged, this, &SetupDialog::FollowDevice);
    form->addRow(QStringLiteral("Device"), Device);
    form->addRow(QStringLiteral("Board"), board);
    form->addRow(QStringLiteral("Host"), remote);
    return group;
}

int SetupDialog::BoardIndex(BoardKind kind) {
    for (std::size_t i = 0; i < BoardKindChoices.size(); ++i) {
        if (BoardKindChoices[i].Value == kind) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

void SetupDialog::ShowBoardFile() {
    const int index = BoardIndex(BoardKind::File);
    const QString name = ToQtPath(std::filesystem::path(BoardFile).filename());
    Board->setItemText(index, BoardFile.empty() ? QStringLiteral("Board file (none chosen)")
                                                : QStringLiteral("Board file: %1").arg(name));
    Board->setItemData(index, ToQtPath(BoardFile), Qt::ToolTipRole);
    if (auto* items = qobject_cast<QStandardItemModel*>(Board->model())) {
        items->item(index)->setEnabled(!BoardFile.empty());
    }
}

void SetupDialog::ChooseBoardFile() {
    const QString folder =
        BoardFile.empty() ? QString() : ToQtPath(std::filesystem::path(BoardFile).parent_path());
    const QString chosen = User.ChooseBoardFile(this, folder);
    if (chosen.isEmpty()) {
        return;
    }
    // A file that cannot be used is refused here, with its reason, and the
    // board chosen before stays.
    const std::filesystem::path file = FromQtPath(chosen);
    const auto board = LoadBoardFile(file);
    if (const auto* problem = std::get_if<std::string>(&board)) {
        User.ShowError(this, QString::fromStdString(*problem));
        return;
    }
    BoardFile = file.string();
    ShowBoardFile();
    Board->setCurrentIndex(BoardIndex(BoardKind::File));
}

QWidget* SetupDialog::BuildTapGroup(int tap) {
    auto* group = new QGroupBox(QStringLiteral("TAP %1").arg(tap), this);
    auto* grid = new QGridLayout(group);
    const std::size_t first = static_cast<std::size_t>(tap) * 4;
    const std::array<const char*, 4> captions{"TMS", "TCK", "TX", "RX"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::size_t field = first + i;
        const int row = static_cast<int>(i % 2);
        const int column = static_cast<int>(i / 2) * 2;
        grid->addWidget(
            Caption(QString::fromLatin1(captions[i]), SetupPinFields[field].Input, group), row,
            column);
        grid->addWidget(NewPinField(field, group), row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 36);
    return group;
}

QWidget* SetupDialog::BuildSyncGroup() {
    auto* group = new QGroupBox(QStringLiteral("Synchronisation pins"), this);
    auto* row = new QHBoxLayout(group);
    // Left to right SOA, SOB, SIA and SIB, whose field has no caption.
    const std::array<std::pair<std::size_t, const char*>, 4> fields{
        {{8, "SOA"}, {10, "SOB"}, {9, "SIA"}, {11, ""}}};
    for (const auto& [field, caption] : fields) {
        if (*caption != '\0') {
            row->addWidget(
                Caption(QString::fromLatin1(caption), SetupPinFields[field].Input, group));
        }
        row->addWidget(NewPinField(field, group));
        row->addSpacing(10);
    }
    row->addStretch();
    return group;
}

QComboBox* SetupDialog::NewPinField(std::size_t field, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("Pin") + Text(SetupPinFields[field].Name).remove(' '));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(Text(SetupPinFields[field].Name) + QStringLiteral(" pin"));
    if (SetupPinFields[field].Input) {
        for (const std::uint8_t pin : InputPins) {
            box->addItem(QString::number(pin));
        }
    } else {
        for (const std::uint8_t pin : OutputPins) {
            box->addItem(QString::number(pin));
        }
    }
    if (field == 0 || field == 4) {
        box->lineEdit()->setMaxLength(2); // the TMS fields
    }
    box->setMinimumContentsLength(3);
    Pins[field] = box;
    return box;
}

void SetupDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    Load(Current);
    Shown();
}

void SetupDialog::Load(const Settings& settings) {
    ShowPins(SetupPinsOf(settings.Pins));
    // A port address other than the three leaves no button chosen, and OK
    // then keeps it.
    auto* lpt = Lpt[0]->group();
    lpt->setExclusive(false);
    for (std::size_t i = 0; i < Lpt.size(); ++i) {
        Lpt[i]->setChecked(settings.Pins.PortBase == LptBases[i]);
    }
    lpt->setExclusive(true);
    for (std::size_t i = 0; i < PortKindChoices.size(); ++i) {
        if (PortKindChoices[i].Value == settings.Port) {
            Device->setCurrentIndex(static_cast<int>(i));
        }
    }
    BoardFile = settings.Board.File;
    ShowBoardFile();
    Board->setCurrentIndex(BoardIndex(settings.Board.Kind));
    RemoteHost->setText(QString::fromStdString(settings.Remote.Host));
    RemotePort->setText(QString::number(settings.Remote.Port));
    FollowDevice();
    ActiveMode->setChecked(settings.ActiveMode);
    SpeedRun->setChecked(settings.SpeedRun);
    (settings.ShowZ ? ShowZ : ShowValue)->setChecked(true);
}

void SetupDialog::ShowPins(const SetupPins& pins) {
    for (std::size_t i = 0; i < Pins.size(); ++i) {
        Pins[i]->setCurrentText(QString::number(pins[i]));
    }
}

void SetupDialog::LoadDefaults() {
    const Settings defaults;
    ShowPins(SetupPinsOf(defaults.Pins));
    ActiveMode->setChecked(true);
    SpeedRun->setChecked(false);
    ShowZ->setChecked(true);
    Shown();
}

void SetupDialog::FollowDevice() {
    // Only the simulated board has a wiring to choose, only the remote
    // server an address.
    const auto device = static_cast<std::size_t>(Device->currentIndex());
    const auto is = [device](PortKind kind) {
        return device < PortKindChoices.size() && PortKindChoices[device].Value == kind;
    };
    Board->setEnabled(is(PortKind::Board));
    FromFile->setEnabled(is(PortKind::Board));
    RemoteHost->setEnabled(is(PortKind::Remote));
    RemotePort->setEnabled(is(PortKind::Remote));
}

void SetupDialog::accept() {
    std::array<std::string, SetupPinFields.size()> texts;
    for (std::size_t i = 0; i < Pins.size(); ++i) {
        texts[i] = Pins[i]->currentText().toStdString();
    }
    const SetupPinCheck check = CheckSetupPins(texts);
    if (!check.Pins) {
        User.ShowError(this, QString::fromStdString(check.Error));
        return;
    }
    const RemoteCheck remote = CheckRemoteAddress(RemoteHost->text().trimmed().toStdString(),
                                                  RemotePort->text().trimmed().toStdString());
    if (!remote.Address) {
        User.ShowError(this, QString::fromStdString(remote.Error));
        return;
    }
    Settings chosen = Current;
    for (std::size_t i = 0; i < Lpt.size(); ++i) {
        if (Lpt[i]->isChecked()) {
            chosen.Pins.PortBase = LptBases[i];
        }
    }
    ApplySetupPins(*check.Pins, chosen.Pins);
    chosen.ActiveMode = ActiveMode->isChecked();
    chosen.ShowZ = ShowZ->isChecked();
    chosen.SpeedRun = SpeedRun->isChecked();
    chosen.Port = PortKindChoices[static_cast<std::size_t>(Device->currentIndex())].Value;
    chosen.Board = scanbench::BoardChoice(
        BoardKindChoices[static_cast<std::size_t>(Board->currentIndex())].Value, BoardFile);
    chosen.Remote = *remote.Address;
    if (Apply(chosen)) {
        QDialog::accept();
    }
}

} // namespace scanbench
