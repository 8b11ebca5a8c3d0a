#pragma once

#include <QDialog>

class QListWidget;

namespace scanbench {

class LabelTable;

// "Labels": the names of the labels that the latest code check collected,
// in program order, or "No labels defined!" when it found none. The list is
// read each time the window is shown.
class LabelsWindow : public QDialog {
    Q_OBJECT
public:
    LabelsWindow(QWidget* parent, const LabelTable& labels);

    [[nodiscard]] QListWidget& List() const { return *LabelList; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const LabelTable& Labels;
    QListWidget* LabelList;
};

} // namespace scanbench
