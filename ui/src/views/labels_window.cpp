#include "ui/views/labels_window.h"

#include "engine/label_table.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace scanbench {

LabelsWindow::LabelsWindow(QWidget* parent, const LabelTable& labels)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Labels(labels), ListBox1(new QListWidget) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Labels"));
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setUniformItemSizes(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(ListBox1);
    resize(240, 300);
}

void LabelsWindow::showEvent(QShowEvent* event) {
    ListBox1->clear();
    if (Labels.LabelCount() == 0) {
        ListBox1->addItem(QStringLiteral("No labels defined!"));
    } else {
        QStringList names;
        names.reserve(Labels.LabelCount());
        for (const TLabelEntry& entry : Labels.Labels()) {
            names << QString::fromStdString(entry.Name);
        }
        ListBox1->addItems(names);
    }
    QDialog::showEvent(event);
}

} // namespace scanbench
