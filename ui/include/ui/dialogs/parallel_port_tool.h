#pragma once

// Qt: a dialog of check boxes and buttons.
#include <QDialog>

#include <array>
#include <cstdint>

class QAbstractButton;
class QCheckBox;

namespace scanbench {

class CommandTracker;
class SignalPort;
class ViewFeed;

// The Parallel Port tool: sets TCK, TMS and TX of both TAPs by hand, pulses
// TCK of one TAP and shows the RX levels. Every write drives SOA and SOB low
// and tells the views that the pins changed. The boxes keep their states
// from one opening to the next.
class ParallelPortTool : public QDialog {
    Q_OBJECT
public:
    ParallelPortTool(SignalPort& port, ViewFeed& views, CommandTracker& commands, QWidget* parent);

    // "&Write": the six boxes onto the port, then Refresh.
    void Write();
    // "Refresh": the RX boxes from the port.
    void Refresh();
    // TCK of `tap` low, high, low, the other lines as the boxes say.
    void PulseTck(std::uint8_t tap);

    [[nodiscard]] QCheckBox& TckBox(std::uint8_t tap) const { return *Boxes[tap & 1][Tck]; }
    [[nodiscard]] QCheckBox& TmsBox(std::uint8_t tap) const { return *Boxes[tap & 1][Tms]; }
    [[nodiscard]] QCheckBox& TxBox(std::uint8_t tap) const { return *Boxes[tap & 1][Tx]; }
    [[nodiscard]] QCheckBox& RxBox(std::uint8_t tap) const { return *Boxes[tap & 1][Rx]; }
    [[nodiscard]] QAbstractButton& PulseButton(std::uint8_t tap) const { return *Pulse[tap & 1]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum Line : std::uint8_t { Tck, Tms, Tx, Rx };
    // Writes the boxes' levels with TCK of `pulsedTap` (0 or 1) replaced by
    // `tck`; a pulsedTap above 1 replaces nothing.
    void WriteLevels(std::uint8_t pulsedTap, std::uint8_t tck);
    [[nodiscard]] std::uint8_t Ticked(std::uint8_t tap, Line line) const;

    SignalPort& Port;
    ViewFeed& Views;
    CommandTracker& Commands;
    std::array<std::array<QCheckBox*, 4>, 2> Boxes{};
    std::array<QAbstractButton*, 2> Pulse{};
};

} // namespace scanbench
