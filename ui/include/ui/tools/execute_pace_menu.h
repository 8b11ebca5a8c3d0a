#pragma once

// Qt: a submenu of checkable items.
#include "window_logic/main_window/execute_pace.h"

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace scanbench {

class RunController;
struct MenuItems;

// Run > Execute Pace: how fast Execute goes, one of AllPaces.
class ExecutePaceMenu : public QObject {
    Q_OBJECT
public:
    // The submenu goes into the Run menu of `menu`, before Pause.
    ExecutePaceMenu(const MenuItems& menu, RunController& runs, QWidget& menuBar);

    void Choose(ExecutePace pace);
    [[nodiscard]] ExecutePace Pace() const { return Current; }
    [[nodiscard]] QMenu& Menu() const { return *Items; }

private:
    RunController& Runs;
    QMenu* Items;
    std::array<QAction*, AllPaces.size()> ChoiceItems{};
    ExecutePace Current = ExecutePace::FullSpeed;
};

} // namespace scanbench
