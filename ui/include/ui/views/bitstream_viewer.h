#pragma once

// Qt: the viewer is a modal QDialog.
#include "window_logic/views/received_bits.h"

#include <QDialog>

#include <array>

class QLabel;
class QToolButton;

namespace scanbench {

class BitLineField;
class Engine;

// The received bitstream viewer: the bits received on RX at every falling
// TCK edge, one line per TAP, aligned in time. The user moves a cursor along
// each line, reads its position and marks bits in colour. The lines are
// built from the event store each time the viewer is shown; the viewer
// changes nothing in the engine.
class BitstreamViewer final : public QDialog {
    Q_OBJECT
public:
    BitstreamViewer(const Engine& engine, QWidget* parent);

    // Builds both lines from the store, all white, the first bit current.
    void BuildLines();
    // Gives the current bit of each line the colour.
    void ColourCurrentBits(BitColour colour);
    // Makes every bit white again; the cursors stay.
    void ResetColours();

    [[nodiscard]] BitLineField& Line(int tap) const { return *Lines[tap & 1]; }
    [[nodiscard]] QString PositionText() const;
    // The colour buttons in their order (red, yellow, lime, aqua, white),
    // then "Reset Colors".
    [[nodiscard]] QToolButton& Button(int index) const { return *Buttons[index]; }

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();

    const Engine& Eng;
    std::array<BitLineField*, 2> Lines{};
    std::array<QToolButton*, 6> Buttons{};
    QLabel* PositionLabel = nullptr;
    bool Centred = false;
};

} // namespace scanbench
