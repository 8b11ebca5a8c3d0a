#include "ui/tools/examples_menu.h"

#include "settings/qt_paths.h"
#include "settings/settings.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/menu_items.h"
#include "ui/tools/view_values.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <filesystem>

namespace scanbench {

namespace {

std::vector<std::string> ProgramNames(const QDir& folder) {
    std::vector<std::string> names;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.bst"), QStringLiteral("*.BST")}, QDir::Files)) {
        names.push_back(name.toStdString());
    }
    return names;
}

} // namespace

ExamplesMenu::ExamplesMenu(ExampleFolders folders, ProgramFileController& files, Workbench bench,
                           EngineDisplay& display, const MenuItems& menu, QWidget& menuBar)
    : Folders(std::move(folders)), Files(files), Bench(bench), Display(display),
      Items(new QMenu(QStringLiteral("E&xamples"), &menuBar)) {
    Items->setObjectName(QStringLiteral("Examples1"));
    menu.FileMenu->insertMenu(menu.SaveProgram, Items);
    connect(Items, &QMenu::aboutToShow, this, &ExamplesMenu::ListExamples);
    ListExamples();

    const QString folder = QString::fromStdString(Bench.Values.ProgramFolder);
    Files.SetProgramFolder(
        folder.isEmpty() ? QDir::homePath() : folder,
        [this](const QString& file) { return IsShippedExample(file); },
        [this](const QString& changed) {
            const Settings before = Bench.Values;
            Bench.Values.ProgramFolder = changed.toStdString();
            SaveViewValues(Bench, before, Display);
        });
}

void ExamplesMenu::ListExamples() {
    Items->clear();
    const auto folder = ChooseExamplesFolder(Folders, [](const std::filesystem::path& path) {
        return QFileInfo(ToQtPath(path)).isDir();
    });
    std::vector<ExampleEntry> entries;
    if (folder) {
        const QDir programs(ToQtPath(*folder));
        entries = ExampleEntries(*folder, ProgramNames(programs),
                                 ProgramNames(QDir(programs.filePath(LessonsFolder))));
    }
    if (entries.empty()) {
        Items->addAction(QStringLiteral("(no examples installed)"))->setEnabled(false);
        return;
    }
    QMenu* lessons = nullptr;
    for (const ExampleEntry& entry : entries) {
        QMenu* into = Items;
        if (entry.Lesson) {
            if (lessons == nullptr) {
                Items->addSeparator();
                lessons = Items->addMenu(QStringLiteral("&Lessons"));
                lessons->setObjectName(QStringLiteral("Lessons1"));
            }
            into = lessons;
        }
        const QString path = ToQtPath(entry.File);
        QAction* item = into->addAction(QString::fromStdString(entry.Caption));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { OpenExample(path); });
    }
}

bool ExamplesMenu::IsShippedExample(const QString& file) const {
    // Links and ".." lead nowhere else: both sides are compared as the
    // files they really are.
    const QFileInfo info(file);
    const QString real = info.canonicalFilePath();
    const std::filesystem::path path = FromQtPath(real.isEmpty() ? info.absoluteFilePath() : real);
    for (const std::filesystem::path& folder : {Folders.Installed, Folders.Source}) {
        const QString examples = QFileInfo(ToQtPath(folder)).canonicalFilePath();
        if (!examples.isEmpty() && LiesWithin(path, FromQtPath(examples))) {
            return true;
        }
    }
    return false;
}

void ExamplesMenu::OpenExample(const QString& path) {
    Files.OpenProgramFile(path);
}

} // namespace scanbench
