#include "ui/dialogs/search_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace scanbench {

namespace {

QPushButton* AddButton(QVBoxLayout& column, const char* name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    column.addWidget(button);
    return button;
}

QLineEdit* AddTextRow(QGridLayout& grid, int row, const char* name, const QString& caption) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 28);
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    grid.addWidget(label, row, 0);
    grid.addWidget(edit, row, 1);
    return edit;
}

} // namespace

SearchDialog::SearchDialog(Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Kind(mode) {
    const bool replacing = mode == Mode::Replace;
    setObjectName(replacing ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(replacing ? QStringLiteral("Replace") : QStringLiteral("Find"));

    auto* fields = new QGridLayout;
    FindEdit = AddTextRow(*fields, 0, "FindText", QStringLiteral("Fi&nd what:"));
    if (replacing) {
        ReplaceEdit = AddTextRow(*fields, 1, "ReplaceText", QStringLiteral("Re&place with:"));
    }

    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"));
    WholeWord->setObjectName(QStringLiteral("WholeWord"));
    MatchCase = new QCheckBox(QStringLiteral("Match &case"));
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    auto* checks = new QVBoxLayout;
    checks->addStretch();
    checks->addWidget(WholeWord);
    checks->addWidget(MatchCase);

    auto* direction = new QGroupBox(QStringLiteral("Direction"));
    Up = new QRadioButton(QStringLiteral("&Up"));
    Up->setObjectName(QStringLiteral("Up"));
    Down = new QRadioButton(QStringLiteral("&Down"));
    Down->setObjectName(QStringLiteral("Down"));
    Down->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(Up);
    directions->addWidget(Down);

    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addSpacing(12);
    options->addWidget(direction, 0, Qt::AlignBottom);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch();
    left->addLayout(options);

    auto* buttons = new QVBoxLayout;
    FindNextButton = AddButton(*buttons, "FindNext", QStringLiteral("&Find Next"));
    FindNextButton->setDefault(true);
    if (replacing) {
        ReplaceButton = AddButton(*buttons, "Replace", QStringLiteral("&Replace"));
        ReplaceAllButton = AddButton(*buttons, "ReplaceAll", QStringLiteral("Replace &All"));
    }
    QPushButton* cancel = AddButton(*buttons, "Cancel", QStringLiteral("Cancel"));
    buttons->addStretch();

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left);
    whole->addSpacing(8);
    whole->addLayout(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    connect(FindEdit, &QLineEdit::textChanged, this, &SearchDialog::FindTextEdited);
    connect(FindNextButton, &QPushButton::clicked, this, &SearchDialog::FindNextRequested);
    if (replacing) {
        connect(ReplaceButton, &QPushButton::clicked, this, &SearchDialog::ReplaceRequested);
        connect(ReplaceAllButton, &QPushButton::clicked, this, &SearchDialog::ReplaceAllRequested);
    }
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FindTextEdited();
}

QString SearchDialog::FindText() const {
    return FindEdit->text();
}

void SearchDialog::SetFindText(const QString& text) {
    FindEdit->setText(text);
    FindEdit->selectAll();
}

QString SearchDialog::ReplaceText() const {
    return ReplaceEdit != nullptr ? ReplaceEdit->text() : QString();
}

SearchOptions SearchDialog::Options() const {
    return {Down->isChecked(), MatchCase->isChecked(), WholeWord->isChecked()};
}

void SearchDialog::SetOptions(const SearchOptions& options) {
    (options.Down ? Down : Up)->setChecked(true);
    MatchCase->setChecked(options.MatchCase);
    WholeWord->setChecked(options.WholeWord);
}

void SearchDialog::FindTextEdited() {
    // Nothing to look for: nothing to press.
    const bool any = !FindEdit->text().isEmpty();
    for (QPushButton* button : {FindNextButton, ReplaceButton, ReplaceAllButton}) {
        if (button != nullptr) {
            button->setEnabled(any);
        }
    }
}

} // namespace scanbench
