#pragma once

#include "window_logic/editor/editor_search_rules.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace scanbench {

// The editor's find dialog ("Find") or replace dialog ("Replace"):
// non-modal, with the search text, the replace text (replace only), whole
// word, match case and the direction. Its buttons only ask; the search
// component does the searching.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };
    SearchDialog(Mode mode, QWidget* parent);

    [[nodiscard]] Mode DialogMode() const { return Kind; }
    [[nodiscard]] QString FindText() const;
    void SetFindText(const QString& text);
    [[nodiscard]] QString ReplaceText() const;
    [[nodiscard]] SearchOptions Options() const;
    void SetOptions(const SearchOptions& options);

signals:
    void FindNextRequested();
    void ReplaceRequested();
    void ReplaceAllRequested();

private:
    void FindTextEdited();

    Mode Kind;
    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QCheckBox* WholeWord = nullptr;
    QCheckBox* MatchCase = nullptr;
    QRadioButton* Up = nullptr;
    QRadioButton* Down = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
};

} // namespace scanbench
