#include "ui/tools/line_numbers_item.h"

#include "settings/settings.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/menu_items.h"
#include "ui/tools/view_values.h"

#include <QMenu>

namespace scanbench {

LineNumbersItem::LineNumbersItem(QMenu& viewMenu, ProgramEditor& editor, Workbench bench,
                                 EngineDisplay& display)
    : Editor(editor), Bench(bench), Display(display) {
    viewMenu.addSeparator();
    LineNumbers = AddMenuItem(viewMenu, "LineNumbers1", QStringLiteral("Line Numbers"));
    LineNumbers->setCheckable(true);
    connect(LineNumbers, &QAction::toggled, this, [this](bool shown) {
        if (shown != Bench.Values.LineNumbers) {
            const Settings before = Bench.Values;
            Bench.Values.LineNumbers = shown;
            SaveViewValues(Bench, before, Display);
        }
        Show(shown);
    });
    Show(Bench.Values.LineNumbers);
}

void LineNumbersItem::Show(bool shown) {
    LineNumbers->setChecked(shown);
    Editor.SetLineNumbersShown(shown);
}

} // namespace scanbench
