#pragma once

// Qt: a small dialog of radio buttons, a check box and read-only fields.
#include "window_logic/views/pin_view.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace scanbench {

class ChipBoard;

// Offered when the user clicks an output pin whose chip has its boundary
// register selected (EXTEST above all): the value its update latch should
// hold after the next scan, and, while its control cell keeps it released,
// whether to enable it too. The dialog says which bit of which scan that
// is and shows the "NSHFCP operand for this scan" with the statements
// around it; every other latch of the chain keeps its value. The choices
// go into `plan`, which the window keeps for later clicks until the scan
// has set them.
class LatchDialog : public QDialog {
    Q_OBJECT
public:
    LatchDialog(const ChipBoard& board, const PinRow& pin, std::vector<PlannedLatch>& plan,
                QWidget* parent);

    [[nodiscard]] QRadioButton& HighButton() const { return *High; }
    [[nodiscard]] QRadioButton& LowButton() const { return *Low; }
    [[nodiscard]] QCheckBox& EnableBox() const { return *Enable; }
    [[nodiscard]] QString Operand() const;
    [[nodiscard]] QString Statements() const;

private:
    void Plan();
    void Forget(std::uint32_t cell);

    const ChipBoard& Board;
    PinRow Pin;
    std::vector<PlannedLatch>& Planned;
    QRadioButton* Low = nullptr;
    QRadioButton* High = nullptr;
    QCheckBox* Enable = nullptr;
    QLineEdit* OperandField = nullptr;
    QLabel* StatementsField = nullptr;
};

} // namespace scanbench
