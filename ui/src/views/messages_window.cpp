#include "ui/views/messages_window.h"

#include "ui/appearance/window_colours.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace scanbench {

namespace {

QTreeWidgetItem* MakeRow(const LogEntry& entry) {
    const QString line = entry.Line > 0 ? QString::number(entry.Line) : QStringLiteral("-");
    auto* row = new QTreeWidgetItem(
        {line, QString::number(entry.Event), QString::fromStdString(entry.Text)});
    const QColor colour = ToQColor(entry.Colour);
    for (int column = 0; column < 3; ++column) {
        row->setForeground(column, colour);
    }
    row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    return row;
}

} // namespace

MessagesWindow::MessagesWindow(MessageLog& log, QWidget* parent)
    : QWidget(parent, Qt::Window), Log(log), List(new QTreeWidget(this)),
      ClearButton(new QPushButton(QStringLiteral("Clear"), this)),
      CopyButton(new QPushButton(QStringLiteral("Copy"), this)) {
    setObjectName(QStringLiteral("MessagesWindow"));
    setWindowTitle(QStringLiteral("Messages"));
    List->setObjectName(QStringLiteral("MessageRows"));
    List->setHeaderLabels(
        {QStringLiteral("Line"), QStringLiteral("Event"), QStringLiteral("Message")});
    List->setRootIsDecorated(false);
    List->setUniformRowHeights(true);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The status line's colours on the status line's face, bold as there.
    QPalette shades = List->palette();
    shades.setColor(QPalette::Base, palette().color(QPalette::Window));
    List->setPalette(shades);
    QFont bold = List->font();
    bold.setBold(true);
    List->setFont(bold);
    const QFontMetrics metrics(bold);
    List->header()->resizeSection(0, metrics.horizontalAdvance(QStringLiteral("0000000")) + 8);
    List->header()->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("0000000000")) + 8);
    List->header()->setStretchLastSection(true);
    ClearButton->setObjectName(QStringLiteral("ClearMessages"));
    CopyButton->setObjectName(QStringLiteral("CopyMessages"));
    connect(ClearButton, &QPushButton::clicked, this, &MessagesWindow::ClearLog);
    connect(CopyButton, &QPushButton::clicked, this, &MessagesWindow::CopyLog);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CopyButton);
    buttons->addWidget(ClearButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List);
    layout->addLayout(buttons);
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 70, metrics.height() * 18);
}

void MessagesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void MessagesWindow::Refresh() {
    if (Log.NextSequence() == ShownUpTo &&
        List->topLevelItemCount() == static_cast<int>(Log.Size())) {
        return;
    }
    const std::size_t from = Log.IndexFrom(ShownUpTo);
    // Rows of entries the log has dropped go; when most rows would go, the
    // list is made anew, which is cheaper than taking rows off one by one.
    const int kept = static_cast<int>(from);
    const int drop = List->topLevelItemCount() - kept;
    if (drop < 0 || drop > kept) {
        Rebuild();
        return;
    }
    const QScrollBar* bar = List->verticalScrollBar();
    const bool atBottom = bar->value() == bar->maximum();
    for (int i = 0; i < drop; ++i) {
        delete List->takeTopLevelItem(0);
    }
    Append(from);
    if (atBottom) {
        List->scrollToBottom();
    }
}

void MessagesWindow::Rebuild() {
    List->clear();
    Append(0);
    List->scrollToBottom();
}

void MessagesWindow::Append(std::size_t from) {
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(Log.Size() - from));
    for (std::size_t i = from; i < Log.Size(); ++i) {
        rows.append(MakeRow(Log.At(i)));
    }
    List->addTopLevelItems(rows);
    ShownUpTo = Log.NextSequence();
}

void MessagesWindow::ClearLog() {
    Log.Clear();
    List->clear();
    ShownUpTo = Log.NextSequence();
}

void MessagesWindow::CopyLog() const {
    QString text;
    for (std::size_t i = 0; i < Log.Size(); ++i) {
        text += QString::fromStdString(EntryLine(Log.At(i))) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

} // namespace scanbench
