#pragma once

// Qt: a dialog of buttons, radio buttons and text fields.
#include "window_logic/dialogs/bitstream_shifter.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace scanbench {

class CommandTracker;
class Engine;

// The Bitstream shifter: drives one TAP by hand (reset, single TMS clocks,
// Idle, Shift-DR or Shift-IR, and the shift of a typed bit string), showing
// the bits that come back. Showing it resets both TAPs and leaves only
// "Reset" and the TAP choice usable; hiding it resets both TAPs again.
class BitstreamShifterDialog : public QDialog {
    Q_OBJECT
public:
    BitstreamShifterDialog(Engine& engine, CommandTracker& commands, QWidget* parent);

    void ChooseTap(std::uint8_t tap);
    void ResetTap();
    void ClockTms(std::uint8_t level);
    void MoveToDestination();
    void ShiftBits();

    [[nodiscard]] QRadioButton& TapButton(std::uint8_t tap) const { return *Taps[tap & 1]; }
    [[nodiscard]] QRadioButton& DestinationButton(ShifterDestination d) const {
        return *Destinations[static_cast<std::size_t>(d)];
    }
    [[nodiscard]] QPushButton& ResetButton() const { return *ResetCommand; }
    [[nodiscard]] QPushButton& Tms0Button() const { return *Tms0Command; }
    [[nodiscard]] QPushButton& Tms1Button() const { return *Tms1Command; }
    [[nodiscard]] QPushButton& ShiftButton() const { return *ShiftCommand; }
    [[nodiscard]] QPushButton& StateButton() const { return *StateCommand; }
    [[nodiscard]] QRadioButton& TxRowButton(int row) const { return *TxRows[row]; }
    [[nodiscard]] QLineEdit& TxField(int row) const { return *TxFields[row]; }
    [[nodiscard]] QRadioButton& RxRowButton(int row) const { return *RxRows[row]; }
    [[nodiscard]] QLineEdit& RxField(int row) const { return *RxFields[row]; }
    // Why the last Shift sent nothing (hidden when it sent its row).
    [[nodiscard]] const QLabel& NoticeLabel() const { return *Notice; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static constexpr int Rows = 4;
    void BuildLayout();
    [[nodiscard]] std::uint8_t ChosenTap() const;
    [[nodiscard]] int ChosenRow(const std::array<QRadioButton*, Rows>& rows) const;
    void EnableCommands(bool enabled);
    // Plays `script` through the engine; the bits its receiving step
    // received, first received leftmost.
    std::string Play(const ShifterScript& script);

    Engine& Eng;
    CommandTracker& Commands;
    std::array<QRadioButton*, 2> Taps{};
    std::array<QRadioButton*, 4> Destinations{};
    QPushButton* Tms0Command = nullptr;
    QPushButton* Tms1Command = nullptr;
    QPushButton* ShiftCommand = nullptr;
    QPushButton* ResetCommand = nullptr;
    QPushButton* StateCommand = nullptr;
    std::array<QRadioButton*, Rows> TxRows{};
    std::array<QLineEdit*, Rows> TxFields{};
    std::array<QRadioButton*, Rows> RxRows{};
    std::array<QLineEdit*, Rows> RxFields{};
    QLabel* Notice = nullptr;
};

} // namespace scanbench
