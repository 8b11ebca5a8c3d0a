#pragma once

// Qt: the View menu's zoom items.
#include "ui/main_window/classroom_options.h"
#include "ui/main_window/workbench.h"

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace scanbench {

class EngineDisplay;
struct MenuItems;

// View > Zoom: the zooms the windows can show at. Only those that fit the
// screen the window is on are offered; a new zoom is saved and takes effect
// by a restart that hands the session over, or else at the next start.
class ZoomControl : public QObject {
    Q_OBJECT
public:
    // The View menu goes into `bar` before the Run menu of `menu`; `window`
    // is the window whose screen the zooms must fit. `restart` starts the
    // program again at the new zoom, false when it did not.
    ZoomControl(const ClassroomOptions& options, std::function<bool()> restart, Workbench bench,
                EngineDisplay& display, const MenuItems& menu, QMenuBar& bar,
                const QWidget& window);

    void Choose(int zoom);
    // Whether the windows fit the screen at `zoom`.
    [[nodiscard]] bool FitsScreen(int zoom) const;
    // Offers the zooms that fit the screen the window is on now.
    void UpdateItems();

    [[nodiscard]] QMenu& ViewMenu() const { return *Items; }
    [[nodiscard]] QAction* Item(int zoom) const;

private:
    int ShownZoom;
    std::function<ScreenRoom()> Room;
    bool CanRestart;
    std::function<bool()> Restart;
    Workbench Bench;
    EngineDisplay& Display;
    const QWidget& Window;
    QMenu* Items;
    std::map<int, QAction*> ZoomItems;
};

} // namespace scanbench
