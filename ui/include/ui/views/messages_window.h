#pragma once

// Qt: the Messages window is a QWidget with a list of the log's entries.
#include "window_logic/views/message_log.h"

#include <QWidget>

#include <cstdint>

class QPushButton;
class QTreeWidget;

namespace scanbench {

// The Messages window: the log of every status message of the runs, one row
// each with its program line, its event number and the message in the
// status line's colour. Clear empties the log, Copy puts it on the
// clipboard as text. It only reads the log; Refresh appends what is new.
class MessagesWindow : public QWidget {
    Q_OBJECT
public:
    MessagesWindow(MessageLog& log, QWidget* parent);

    // Brings the rows up to date with the log.
    void Refresh();
    void ClearLog();
    void CopyLog() const;

    [[nodiscard]] const QTreeWidget& Rows() const { return *List; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Rebuild();
    void Append(std::size_t from);

    MessageLog& Log;
    QTreeWidget* List;
    QPushButton* ClearButton;
    QPushButton* CopyButton;
    std::uint64_t ShownUpTo = 0; // the sequence number after the last row shown
};

} // namespace scanbench
