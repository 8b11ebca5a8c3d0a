#include "ui/dialogs/goto_line_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace scanbench {

namespace {

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the number field.
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

} // namespace

GotoLineDialog::GotoLineDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      NumberEdit(new QLineEdit(QStringLiteral("1"))) {
    setObjectName(QStringLiteral("goto_lin_nr"));
    setWindowTitle(QStringLiteral("Goto line number..."));
    auto* label = new QLabel(QStringLiteral("Please select the line number"));
    NumberEdit->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(NumberEdit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* go = AddButton(*buttons, "GotoButton", QStringLiteral("&Goto"));
    QPushButton* cancel = AddButton(*buttons, "CancelButton", QStringLiteral("&Cancel"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(NumberEdit);
    column->addSpacing(4);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(go, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::accept);
    connect(NumberEdit, &QLineEdit::returnPressed, this, &QDialog::accept);
}

QString GotoLineDialog::Entry() const {
    return NumberEdit->text();
}

void GotoLineDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    NumberEdit->setFocus();
    NumberEdit->selectAll();
}

} // namespace scanbench
