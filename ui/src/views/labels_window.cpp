#include "ui/views/labels_window.h"

#include "engine/program/label_table.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace scanbench {

LabelsWindow::LabelsWindow(QWidget* parent, const LabelTable& labels)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Labels(labels), LabelList(new QListWidget) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Labels"));
    LabelList->setObjectName(QStringLiteral("ListBox1"));
    LabelList->setUniformItemSizes(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(LabelList);
    resize(240, 300);
}

void LabelsWindow::showEvent(QShowEvent* event) {
    LabelList->clear();
    if (Labels.LabelCount() == 0) {
        LabelList->addItem(QStringLiteral("No labels defined!"));
    } else {
        QStringList names;
        names.reserve(Labels.LabelCount());
        for (const LabelEntry& entry : Labels.Labels()) {
            names << QString::fromStdString(entry.Name);
        }
        LabelList->addItems(names);
    }
    QDialog::showEvent(event);
}

} // namespace scanbench
