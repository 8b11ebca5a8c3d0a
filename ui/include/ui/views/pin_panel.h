#pragma once

// Qt: a filter field over a table of pins.
#include "window_logic/views/pin_view.h"

#include <QWidget>

#include <vector>

class QLineEdit;
class QTableView;

namespace scanbench {

class PinTableModel;
class PinFilterModel;

// The pin list of the Simulated board window: every pin of every chip with
// its cells, direction, level, update latch and what hangs on it, filtered
// by name as the user types, in a table that scrolls for chips with
// hundreds of cells. A click on a row is passed on; the window flips the
// row's switch or offers the row's update latch.
class PinPanel : public QWidget {
    Q_OBJECT
public:
    explicit PinPanel(QWidget* parent);

    // Shows the rows; only those that changed are drawn again.
    void ShowPins(std::vector<PinRow> rows);
    [[nodiscard]] const std::vector<PinRow>& Rows() const;
    // How many rows the filter lets through.
    [[nodiscard]] int ShownCount() const;
    // The row shown at table row `shown`.
    [[nodiscard]] const PinRow& ShownRow(int shown) const;
    [[nodiscard]] QLineEdit& Filter() const { return *FilterField; }
    [[nodiscard]] QTableView& Table() const { return *List; }

signals:
    void RowClicked(const PinRow& row);

private:
    PinTableModel* Pins = nullptr;
    PinFilterModel* Filtered = nullptr;
    QLineEdit* FilterField = nullptr;
    QTableView* List = nullptr;
};

} // namespace scanbench
