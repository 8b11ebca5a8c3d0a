#pragma once

// Qt: a menu filled from a folder.
#include "ui/main_window/workbench.h"
#include "window_logic/main_window/example_programs.h"

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace scanbench {

class EngineDisplay;
class ProgramFileController;
struct MenuItems;

// File > Examples: the shipped examples and lessons, opened as Open opens a
// file. The Open dialog starts in the folder of the last program of the
// user's opened or saved, which is kept in the settings; shipped examples
// never become that folder.
class ExamplesMenu : public QObject {
    Q_OBJECT
public:
    // The menu goes into the File menu of `menu`, before Save; what could
    // not be saved shows on `display`.
    ExamplesMenu(ExampleFolders folders, ProgramFileController& files, Workbench bench,
                 EngineDisplay& display, const MenuItems& menu, QWidget& menuBar);

    // Whether `file` is one of the shipped examples or lessons.
    [[nodiscard]] bool IsShippedExample(const QString& file) const;
    // Opens an example as Open opens a file, asking about unsaved text.
    void OpenExample(const QString& path);
    // Fills the menu from the folder that holds the examples.
    void ListExamples();

    [[nodiscard]] QMenu& Menu() const { return *Items; }

private:
    ExampleFolders Folders;
    ProgramFileController& Files;
    Workbench Bench;
    EngineDisplay& Display;
    QMenu* Items;
};

} // namespace scanbench
