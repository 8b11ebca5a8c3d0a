#include "ui/tools/zoom_control.h"

#include "engine/feed/engine_display.h"
#include "settings/settings.h"
#include "ui/appearance/screen_room.h"
#include "ui/main_window/menu_items.h"
#include "ui/tools/view_values.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <string>

namespace scanbench {

ZoomControl::ZoomControl(const ClassroomOptions& options, std::function<bool()> restart,
                         Workbench bench, EngineDisplay& display, const MenuItems& menu,
                         QMenuBar& bar, const QWidget& window)
    : ShownZoom(options.ShownZoom), Room(options.Room),
      CanRestart(static_cast<bool>(options.Relaunch)), Restart(std::move(restart)), Bench(bench),
      Display(display), Window(window), Items(new QMenu(QStringLiteral("&View"), &bar)) {
    Items->setObjectName(QStringLiteral("View1"));
    bar.insertMenu(menu.RunMenu->menuAction(), Items);
    auto* zooms = new QActionGroup(this);
    for (const int zoom : ZoomLevels) {
        const QByteArray name = "Zoom" + QByteArray::number(zoom);
        QAction* item = AddMenuItem(*Items, name.constData(), QStringLiteral("Zoom %1 %").arg(zoom),
                                    zoom == ZoomLevels.front() ? QKeySequence(Qt::CTRL | Qt::Key_0)
                                                               : QKeySequence());
        item->setCheckable(true);
        item->setChecked(zoom == ShownZoom);
        zooms->addAction(item);
        connect(item, &QAction::triggered, this, [this, zoom] { Choose(zoom); });
        ZoomItems[zoom] = item;
    }
    QAction* zoomIn = AddMenuItem(*Items, "ZoomIn1", QStringLiteral("Zoom In"));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = AddMenuItem(*Items, "ZoomOut1", QStringLiteral("Zoom Out"));
    zoomOut->setShortcuts({QKeySequence::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(zoomIn, &QAction::triggered, this, [this] { Choose(ZoomStep(ShownZoom, 1)); });
    connect(zoomOut, &QAction::triggered, this, [this] { Choose(ZoomStep(ShownZoom, -1)); });
    connect(Items, &QMenu::aboutToShow, this, &ZoomControl::UpdateItems);
}

QAction* ZoomControl::Item(int zoom) const {
    const auto found = ZoomItems.find(zoom);
    return found == ZoomItems.end() ? nullptr : found->second;
}

bool ZoomControl::FitsScreen(int zoom) const {
    const QScreen* screen = Window.screen();
    if (!Room && screen == nullptr) {
        return true;
    }
    return ZoomFits(zoom, LargestWindow, Room ? Room() : RoomOf(*screen, ShownZoom));
}

void ZoomControl::UpdateItems() {
    for (const auto& [zoom, item] : ZoomItems) {
        const bool fits = FitsScreen(zoom);
        item->setEnabled(fits);
        item->setText(fits ? QStringLiteral("Zoom %1 %").arg(zoom)
                           : QStringLiteral("Zoom %1 % (too large for this screen)").arg(zoom));
    }
}

void ZoomControl::Choose(int zoom) {
    const auto checkShown = [this] {
        if (QAction* item = Item(ShownZoom)) {
            item->setChecked(true);
        }
    };
    if (!IsZoomLevel(zoom)) {
        checkShown();
        return;
    }
    if (!FitsScreen(zoom)) {
        checkShown();
        Display.ShowStatus("Zoom " + std::to_string(zoom) + " % does not fit this screen",
                           StatusColour::Purple);
        return;
    }
    if (zoom == ShownZoom) {
        // Already shown so: only remembered, in case it was smaller than chosen.
        if (zoom != Bench.Values.Zoom) {
            const Settings before = Bench.Values;
            Bench.Values.Zoom = zoom;
            SaveViewValues(Bench, before, Display);
        }
        checkShown();
        return;
    }
    const Settings before = Bench.Values;
    Bench.Values.Zoom = zoom;
    Item(zoom)->setChecked(true);
    SaveViewValues(Bench, before, Display);
    if (!CanRestart || !Restart()) {
        Display.ShowStatus("Zoom " + std::to_string(zoom) + " % takes effect at the next start",
                           StatusColour::Purple);
    }
}

} // namespace scanbench
