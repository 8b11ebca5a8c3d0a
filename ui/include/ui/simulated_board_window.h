#pragma once

// Qt: the simulated board window is a top-level QWidget.
#include "ui/board_art.h"
#include "ui/view_window.h"
#include "window_logic/board_layout.h"
#include "window_logic/board_view.h"

#include <QString>

#include <optional>

namespace scanbench {

class ChipBoard;
class ImageView;
class PortConnection;

// The simulated demo board: each chip with its IDCODE, TAP state,
// instruction, selected data register, LEDs and switches, each TAP's chain
// from TDI to TDO, and the SIA and SIB switches. A click on a switch flips
// it on the board; the program sees the new level at its next sample.
//
// It follows the engine's view feed while it is shown and asks the port for
// its chips each time, so it follows the port when Setup opens another one.
// The picture is drawn off screen and only the parts whose view changed are
// drawn again. On any other port it says that the demo board is not in use.
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

    void RefreshView(ViewChanges changes) override;

protected:
    void Opened() override;
    void DensityChanged() override;

private:
    // Lays the picture out for `chips` and sizes the window to it.
    void Arrange(std::span<const BoardChip> chips);
    void DrawView(const BoardView& view, bool everything);
    void ShowNotice();
    void FlipSwitchAt(QPoint where);
    [[nodiscard]] ChipBoard* Chips() const;

    PortConnection& Port;
    ViewFeed& Views;
    BoardFonts Fonts;
    BoardLayout Places;
    ImageView* Board = nullptr;
    std::optional<BoardView> ShownView;
    QString ShownNotice;
    qreal PixelRatio = 0;
};

} // namespace scanbench
