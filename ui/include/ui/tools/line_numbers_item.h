#pragma once

// Qt: a checkable menu item.
#include "ui/main_window/workbench.h"

#include <QObject>

class QAction;
class QMenu;

namespace scanbench {

class EngineDisplay;
class ProgramEditor;

// View > Line Numbers: the editor's line numbers shown or not, kept in the
// settings.
class LineNumbersItem : public QObject {
    Q_OBJECT
public:
    // The item goes at the end of `viewMenu`, after a separator; what could
    // not be saved shows on `display`.
    LineNumbersItem(QMenu& viewMenu, ProgramEditor& editor, Workbench bench,
                    EngineDisplay& display);

    void Show(bool shown);
    [[nodiscard]] QAction& Item() const { return *LineNumbers; }

private:
    ProgramEditor& Editor;
    Workbench Bench;
    EngineDisplay& Display;
    QAction* LineNumbers;
};

} // namespace scanbench
