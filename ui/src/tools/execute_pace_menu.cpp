#include "ui/tools/execute_pace_menu.h"

#include "ui/main_window/menu_items.h"
#include "ui/main_window/run_controller.h"

#include <QActionGroup>
#include <QMenu>

#include <string_view>

namespace scanbench {

ExecutePaceMenu::ExecutePaceMenu(const MenuItems& menu, RunController& runs, QWidget& menuBar)
    : Runs(runs), Items(new QMenu(QStringLiteral("Execute Pace"), &menuBar)) {
    Items->setObjectName(QStringLiteral("Pace1"));
    menu.RunMenu->insertMenu(menu.Pause, Items);
    auto* paces = new QActionGroup(this);
    for (const ExecutePace pace : AllPaces) {
        const QByteArray name = "Pace" + QByteArray::number(PaceIndex(pace));
        const std::string_view caption = PaceCaption(pace);
        QAction* item =
            AddMenuItem(*Items, name.constData(),
                        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        item->setCheckable(true);
        item->setChecked(pace == Current);
        paces->addAction(item);
        connect(item, &QAction::triggered, this, [this, pace] { Choose(pace); });
        ChoiceItems[static_cast<std::size_t>(PaceIndex(pace))] = item;
    }
}

void ExecutePaceMenu::Choose(ExecutePace pace) {
    Current = pace;
    ChoiceItems[static_cast<std::size_t>(PaceIndex(pace))]->setChecked(true);
    Runs.SetPace(TimingFor(pace));
}

} // namespace scanbench
