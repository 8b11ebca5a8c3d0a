#pragma once

// Qt: the Messages window and its menu item.
#include "window_logic/views/message_log.h"

#include <QObject>

class QAction;
class QWidget;

namespace scanbench {

class CommandTracker;
class Engine;
class MainWindowReporter;
class MessagesWindow;
struct MenuItems;

// Windows > Messages: every status message the window shows is kept in the
// message log with the line and event it came at; the Messages window
// lists them.
class MessagesTool : public QObject {
    Q_OBJECT
public:
    // From now on `reports` logs here what it shows, until this is gone.
    MessagesTool(Engine& engine, MainWindowReporter& reports, CommandTracker& commands,
                 const MenuItems& menu, QWidget& parent);
    ~MessagesTool() override;
    MessagesTool(const MessagesTool&) = delete;
    MessagesTool& operator=(const MessagesTool&) = delete;

    void Show();

    [[nodiscard]] MessageLog& Log() { return Messages; }
    [[nodiscard]] MessagesWindow& View() const { return *Window; }

private:
    MainWindowReporter& Reports;
    CommandTracker& Commands;
    MessageLog Messages;
    MessagesWindow* Window;
};

} // namespace scanbench
