#pragma once

#include <QDialog>

class QLineEdit;

namespace scanbench {

// "Goto line number...": the number field (it keeps its text between
// uses) with the buttons "&Goto" and "&Cancel". Both buttons and Enter in the
// field close the dialog with the OK result; only Escape cancels.
class GotoLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit GotoLineDialog(QWidget* parent);

    [[nodiscard]] QString Entry() const;
    [[nodiscard]] QLineEdit& NumberField() const { return *NumberEdit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* NumberEdit;
};

} // namespace scanbench
