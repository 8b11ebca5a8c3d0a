#include "ui/tools/messages_tool.h"

#include "engine/run/engine.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/main_window_reporter.h"
#include "ui/main_window/menu_items.h"
#include "ui/views/messages_window.h"

#include <QMenu>

namespace scanbench {

MessagesTool::MessagesTool(Engine& engine, MainWindowReporter& reports, CommandTracker& commands,
                           const MenuItems& menu, QWidget& parent)
    : Reports(reports), Commands(commands), Window(new MessagesWindow(Messages, &parent)) {
    QAction* item = AddMenuItem(*menu.WindowsMenu, "Messages1", QStringLiteral("Messages"),
                                QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(item, &QAction::triggered, this, &MessagesTool::Show);
    Reports.LogMessagesTo(&Messages, Window, [&engine] {
        return LogPlace{engine.Registers().CurrentLine, engine.Events().PlayedCount()};
    });
}

MessagesTool::~MessagesTool() {
    Reports.LogMessagesTo(nullptr, nullptr, {});
}

void MessagesTool::Show() {
    const CommandScope scope(Commands);
    Window->show();
    Window->raise();
    Window->activateWindow();
}

} // namespace scanbench
