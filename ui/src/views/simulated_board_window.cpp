#include "ui/views/simulated_board_window.h"

#include "board/demo_board.h"
#include "port/port_connection.h"
#include "ui/appearance/window_colours.h"
#include "ui/dialogs/latch_dialog.h"
#include "ui/views/board_faults_panel.h"
#include "ui/views/image_view.h"
#include "ui/views/pin_panel.h"

#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace scanbench {

namespace {

QPainter& Smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    return painter;
}

// The pin list's height under the picture: at least a few rows, more at first.
constexpr int PinListLeast = 150;
constexpr int PinListFirst = 240;

} // namespace

SimulatedBoardWindow::SimulatedBoardWindow(PortConnection& port, ViewFeed& views, QWidget* parent)
    : ViewWindow(views, parent, Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint,
                 "StayonTopBoard1"),
      Port(port), Views(views), Fonts(BoardFonts::Standard()) {
    setObjectName(QStringLiteral("FormBoard"));
    setWindowTitle(QStringLiteral("Simulated board"));
    Board = new ImageView(this, "Image1", QSize(1, 1));
    Board->setToolTip(QStringLiteral("Click a switch to flip it"));
    connect(Board, &ImageView::PressedAt, this, &SimulatedBoardWindow::FlipSwitchAt);
    PinList = new PinPanel(this);
    connect(PinList, &PinPanel::RowClicked, this, &SimulatedBoardWindow::ClickedPin);
    NetList = new NetStrip(this);
    FaultsBox = new FaultsPanel(this);
    connect(FaultsBox, &FaultsPanel::FaultsChosen, this, &SimulatedBoardWindow::ChooseFaults);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Board, 0, Qt::AlignHCenter);
    layout->addWidget(NetList);
    layout->addWidget(FaultsBox);
    layout->addWidget(PinList, 1);
    // Sized for the demo board whatever the port, so that the window keeps
    // its size when Setup brings the board in.
    const std::vector<BoardChip> demo = DemoBoard().Chips;
    Arrange(demo);
}

ChipBoard* SimulatedBoardWindow::Chips() const {
    return Port.Access().Chips();
}

void SimulatedBoardWindow::Arrange(std::span<const BoardChip> chips) {
    Places = LayOutBoard(chips, MeasureBoardText(Fonts));
    const QSize size(Places.Width, Places.Height);
    Board->setFixedSize(size);
    setMinimumSize(size.width(), size.height() + PinListLeast);
    resize(std::max(width(), size.width()), size.height() + PinListFirst);
    PixelRatio = 0; // drawn afresh
}

void SimulatedBoardWindow::ShowBoard() {
    const ChipBoard* chips = Chips();
    if (chips == nullptr) {
        ShowNotice();
        return;
    }
    // A plan the scans have carried out is done with.
    std::erase_if(Plan, [chips](const PlannedLatch& planned) {
        return planned.Chip >= chips->ChipCount() ||
               planned.Cell >= chips->Description(planned.Chip).BoundaryLength ||
               chips->Part(planned.Chip).Latch(planned.Cell) == planned.Value;
    });
    PinList->ShowPins(DescribePins(*chips));
    ShowNets(chips);
    BoardView view = DescribeBoard(*chips);
    bool everything = PixelRatio != devicePixelRatioF() || !ShownView;
    if (!LayoutFits(Places, view)) {
        Arrange(ChipsOnBoard(*chips));
        Plan.clear(); // another board
        everything = true;
    }
    if (!everything && *ShownView == view) {
        return;
    }
    DrawView(view, everything);
    ShownView = std::move(view);
    ShownNotice.clear();
}

void SimulatedBoardWindow::DrawView(const BoardView& view, bool everything) {
    if (everything) {
        PixelRatio = devicePixelRatioF();
        Board->Reset(PixelRatio, ToQColor(BoardColours::Board));
    }
    QPainter painter(&Board->Image());
    Smooth(painter);
    if (everything) {
        DrawBoardStatic(painter, Places, Fonts);
    }
    for (std::size_t i = 0; i < view.Chips.size(); ++i) {
        if (everything || view.Chips[i] != ShownView->Chips[i]) {
            DrawChip(painter, Places.Chips[i], view.Chips[i], Fonts);
        }
    }
    if (everything || view.Sia != ShownView->Sia || view.Sib != ShownView->Sib) {
        DrawSyncSwitches(painter, Places.Sync, view.Sia, view.Sib, Fonts);
    }
    painter.end();
    Board->Changed();
}

void SimulatedBoardWindow::ShowNotice() {
    // A board file that cannot be used says why; any other board has no chips.
    const std::string problem = Port.Access().Problem();
    const QString notice =
        Port.Kind() == PortKind::Board && !problem.empty()
            ? QString::fromStdString(problem)
            : QString::fromUtf8(NotDemoBoardMessage.data(),
                                static_cast<qsizetype>(NotDemoBoardMessage.size()));
    if (ShownView || ShownNotice != notice || PixelRatio != devicePixelRatioF()) {
        ShownView.reset();
        Plan.clear();
        PinList->ShowPins({});
        ShowNets(nullptr);
        ShownNotice = notice;
        PixelRatio = devicePixelRatioF();
        Board->Reset(PixelRatio, ToQColor(BoardColours::Board));
        QPainter painter(&Board->Image());
        DrawNotice(Smooth(painter), Places.Width, Places.Height, ShownNotice, Fonts);
        painter.end();
        Board->Changed();
    }
}

void SimulatedBoardWindow::FlipSwitchAt(QPoint where) {
    ChipBoard* chips = Chips();
    const std::optional<SwitchHit> hit = SwitchAt(Places, where.x(), where.y());
    if (chips == nullptr || !ShownView || !hit) {
        return;
    }
    if (hit->Sync) {
        const SyncSwitch which = hit->Index == 0 ? SyncSwitch::A : SyncSwitch::B;
        chips->SetSyncSwitch(which, !chips->SyncSwitchHigh(which));
    } else if (hit->Chip < chips->ChipCount() && ShownView->Chips[hit->Chip].HasSwitches) {
        const std::uint8_t levels = chips->Chip(hit->Chip).Switches;
        chips->SetSwitches(hit->Chip, static_cast<std::uint8_t>(levels ^ (1U << hit->Index)));
    }
    ShowBoard();
    // SIA and SIB are pins of the port: its windows follow.
    Views.Notify(ViewChange::PinLevels);
}

void SimulatedBoardWindow::ClickedPin(const PinRow& row) {
    ChipBoard* chips = Chips();
    if (chips == nullptr || row.Chip >= chips->ChipCount()) {
        return;
    }
    if (row.Switch) {
        const std::uint64_t value = chips->SwitchValue(row.Switch->Switch);
        chips->SetSwitch(row.Switch->Switch, value ^ (std::uint64_t{1} << row.Switch->Bit));
        ShowBoard();
        Views.Notify(ViewChange::PinLevels);
        return;
    }
    if (row.Settable) {
        LatchDialog offer(*chips, row, Plan, this);
        offer.exec();
    }
}

void SimulatedBoardWindow::ShowNets(const ChipBoard* chips) {
    const bool nets = chips != nullptr && !chips->NamedNets().empty();
    NetList->setVisible(nets);
    FaultsBox->setVisible(nets);
    if (!nets) {
        NetList->ShowNets({});
        return;
    }
    const bool revealed = Port.Faults().Revealed;
    NetList->ShowNets(DescribeNets(*chips, revealed));
    FaultsBox->ShowChoice(Port.Faults(), QString::fromStdString(FaultSummary(*chips, revealed)));
}

void SimulatedBoardWindow::ChooseFaults(const FaultChoice& choice) {
    const FaultChoice before = Port.Faults();
    if (const std::optional<std::string> problem = Port.SetFaults(choice)) {
        (void)Port.SetFaults(before); // the board stays as it was
        FaultsBox->ShowProblem(QString::fromStdString(*problem));
        return;
    }
    emit FaultsChosen(choice);
    ShowBoard();
    Views.Notify(ViewChange::PinLevels);
}

void SimulatedBoardWindow::RefreshView(ViewChanges changes) {
    (void)changes; // every change may have moved the chips or replaced the port
    ShowBoard();
}

void SimulatedBoardWindow::Opened() {
    ShowBoard();
}

void SimulatedBoardWindow::DensityChanged() {
    ShowBoard();
}

} // namespace scanbench
