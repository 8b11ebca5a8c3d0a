#pragma once

// Qt: the simulated board window is a top-level QWidget.
#include "board/net_faults.h"
#include "ui/artwork/board_art.h"
#include "ui/views/view_window.h"
#include "window_logic/views/board_layout.h"
#include "window_logic/views/board_view.h"
#include "window_logic/views/pin_view.h"

#include <QString>

#include <optional>
#include <vector>

namespace scanbench {

class ChipBoard;
class FaultsPanel;
class ImageView;
class NetStrip;
class PinPanel;
class PortConnection;

// The simulated board of chips (the demo board or a board file's): each
// chip with its IDCODE, TAP state, instruction, selected data register,
// LEDs and switches named after it, each TAP's chain from TDI to TDO, and
// the SIA and SIB switches; below, the list of every chip's pins from its
// BSDL description (see PinPanel). A click on a switch, in the picture or
// the list, flips it on the board; the program sees the new level at its
// next sample. A click on an output pin whose chip is in EXTEST (or has its
// boundary register selected otherwise) offers its update latch for the
// next scan (see LatchDialog).
//
// A board with named nets shows them under the picture (see NetStrip) and
// offers the Faults panel, which puts faults on them through the port
// connection; FaultsChosen passes each choice taken on, to be stored.
//
// It follows the engine's view feed while it is shown and asks the port for
// its chips each time, so it follows the port when Setup opens another one.
// The picture is drawn off screen and only the parts whose view changed are
// drawn again. On any other port it says that no board of chips is in use,
// or why the board file chosen cannot be.
class SimulatedBoardWindow : public ViewWindow {
    Q_OBJECT
public:
    SimulatedBoardWindow(PortConnection& port, ViewFeed& views, QWidget* parent);

    // Brings the picture up to date with the board.
    void ShowBoard();

    // What the picture shows: the board's view, or nothing and a notice.
    [[nodiscard]] const std::optional<BoardView>& Shown() const { return ShownView; }
    [[nodiscard]] const QString& Notice() const { return ShownNotice; }
    [[nodiscard]] const BoardLayout& Layout() const { return Places; }
    [[nodiscard]] const ImageView& Picture() const { return *Board; }
    [[nodiscard]] PinPanel& Pins() const { return *PinList; }
    [[nodiscard]] NetStrip& NetDrawing() const { return *NetList; }
    [[nodiscard]] FaultsPanel& Faults() const { return *FaultsBox; }
    // The update latches planned for the next scans.
    [[nodiscard]] const std::vector<PlannedLatch>& Planned() const { return Plan; }

    void RefreshView(ViewChanges changes) override;

signals:
    void FaultsChosen(const FaultChoice& choice);

protected:
    void Opened() override;
    void DensityChanged() override;

private:
    // Lays the picture out for `chips` and sizes the window to it.
    void Arrange(std::span<const BoardChip> chips);
    void DrawView(const BoardView& view, bool everything);
    void ShowNotice();
    void FlipSwitchAt(QPoint where);
    void ClickedPin(const PinRow& row);
    void ChooseFaults(const FaultChoice& choice);
    void ShowNets(const ChipBoard* chips);
    [[nodiscard]] ChipBoard* Chips() const;

    PortConnection& Port;
    ViewFeed& Views;
    BoardFonts Fonts;
    BoardLayout Places;
    ImageView* Board = nullptr;
    PinPanel* PinList = nullptr;
    NetStrip* NetList = nullptr;
    FaultsPanel* FaultsBox = nullptr;
    std::vector<PlannedLatch> Plan;
    std::optional<BoardView> ShownView;
    QString ShownNotice;
    qreal PixelRatio = 0;
};

} // namespace scanbench
