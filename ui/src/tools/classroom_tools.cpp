#include "ui/tools/classroom_tools.h"

#include "engine/run/engine.h"
#include "fileio/private_file.h"
#include "settings/qt_paths.h"
#include "settings/settings_store.h"
#include "ui/appearance/screen_room.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_reporter.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"
#include "ui/views/messages_window.h"
#include "window_logic/main_window/session_handover.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace scanbench {

namespace {

// A handover holds at most a program the editor can open, with room for
// its breakpoints.
constexpr std::size_t MaxHandoverBytes = std::size_t{64} << 20;

QAction* AddItem(QMenu& menu, const char* name, const QString& text,
                 const QKeySequence& shortcut = {}) {
    QAction* item = menu.addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

// The editor's text exactly as it stands (no-break spaces kept).
std::string EditorText(const ProgramEditor& editor) {
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.toStdString();
}

std::vector<std::string> ProgramNames(const QDir& folder) {
    std::vector<std::string> names;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.bst"), QStringLiteral("*.BST")}, QDir::Files)) {
        names.push_back(name.toStdString());
    }
    return names;
}

} // namespace

ClassroomTools::ClassroomTools(MainWindow& window, Engine& engine, CommandTracker& commands,
                               UserInteraction& user, Workbench bench, ClassroomOptions options)
    : QObject(&window), Window(window), Eng(engine), Commands(commands), User(user), Bench(bench),
      Options(std::move(options)), View(new MessagesWindow(Messages, &window)) {
    BuildMenus();
    Window.Reports().LogMessagesTo(&Messages, View, [this] {
        return LogPlace{Eng.Registers().CurrentLine, Eng.Events().PlayedCount()};
    });
    const QString folder = QString::fromStdString(Bench.Values.ProgramFolder);
    Window.Files().SetProgramFolder(
        folder.isEmpty() ? QDir::homePath() : folder,
        [this](const QString& file) { return IsShippedExample(file); },
        [this](const QString& changed) {
            const Settings before = Bench.Values;
            Bench.Values.ProgramFolder = changed.toStdString();
            SaveViewValues(before);
        });
    ShowLineNumbers(Bench.Values.LineNumbers);
}

void ClassroomTools::BuildMenus() {
    const MenuItems& menu = Window.Items();

    Examples = new QMenu(QStringLiteral("E&xamples"), Window.menuBar());
    Examples->setObjectName(QStringLiteral("Examples1"));
    menu.FileMenu->insertMenu(menu.SaveProgram, Examples);
    connect(Examples, &QMenu::aboutToShow, this, &ClassroomTools::ListExamples);
    ListExamples();

    ViewItems = new QMenu(QStringLiteral("&View"), Window.menuBar());
    ViewItems->setObjectName(QStringLiteral("View1"));
    Window.menuBar()->insertMenu(menu.RunMenu->menuAction(), ViewItems);
    auto* zooms = new QActionGroup(this);
    for (const int zoom : ZoomLevels) {
        const QByteArray name = "Zoom" + QByteArray::number(zoom);
        QAction* item = AddItem(*ViewItems, name.constData(), QStringLiteral("Zoom %1 %").arg(zoom),
                                zoom == ZoomLevels.front() ? QKeySequence(Qt::CTRL | Qt::Key_0)
                                                           : QKeySequence());
        item->setCheckable(true);
        item->setChecked(zoom == Options.ShownZoom);
        zooms->addAction(item);
        connect(item, &QAction::triggered, this, [this, zoom] { ChooseZoom(zoom); });
        ZoomItems[zoom] = item;
    }
    QAction* zoomIn = AddItem(*ViewItems, "ZoomIn1", QStringLiteral("Zoom In"));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = AddItem(*ViewItems, "ZoomOut1", QStringLiteral("Zoom Out"));
    zoomOut->setShortcuts({QKeySequence::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(zoomIn, &QAction::triggered, this,
            [this] { ChooseZoom(ZoomStep(Options.ShownZoom, 1)); });
    connect(zoomOut, &QAction::triggered, this,
            [this] { ChooseZoom(ZoomStep(Options.ShownZoom, -1)); });
    connect(ViewItems, &QMenu::aboutToShow, this, &ClassroomTools::UpdateZoomItems);
    ViewItems->addSeparator();
    LineNumbers = AddItem(*ViewItems, "LineNumbers1", QStringLiteral("Line Numbers"));
    LineNumbers->setCheckable(true);
    connect(LineNumbers, &QAction::toggled, this, [this](bool shown) {
        if (shown != Bench.Values.LineNumbers) {
            const Settings before = Bench.Values;
            Bench.Values.LineNumbers = shown;
            SaveViewValues(before);
        }
        ShowLineNumbers(shown);
    });

    PaceItems = new QMenu(QStringLiteral("Execute Pace"), Window.menuBar());
    PaceItems->setObjectName(QStringLiteral("Pace1"));
    menu.RunMenu->insertMenu(menu.Pause, PaceItems);
    auto* paces = new QActionGroup(this);
    for (const ExecutePace pace : AllPaces) {
        const QByteArray name = "Pace" + QByteArray::number(PaceIndex(pace));
        const std::string_view caption = PaceCaption(pace);
        QAction* item =
            AddItem(*PaceItems, name.constData(),
                    QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        item->setCheckable(true);
        item->setChecked(pace == CurrentPace);
        paces->addAction(item);
        connect(item, &QAction::triggered, this, [this, pace] { ChoosePace(pace); });
        PaceChoiceItems[static_cast<std::size_t>(PaceIndex(pace))] = item;
    }

    MessagesItem = AddItem(*menu.WindowsMenu, "Messages1", QStringLiteral("Messages"),
                           QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(MessagesItem, &QAction::triggered, this, &ClassroomTools::ShowMessages);
}

QAction* ClassroomTools::ZoomItem(int zoom) const {
    const auto found = ZoomItems.find(zoom);
    return found == ZoomItems.end() ? nullptr : found->second;
}

void ClassroomTools::ListExamples() {
    Examples->clear();
    const auto folder =
        ChooseExamplesFolder(Options.Examples, [](const std::filesystem::path& path) {
            return QFileInfo(ToQtPath(path)).isDir();
        });
    std::vector<ExampleEntry> entries;
    if (folder) {
        const QDir programs(ToQtPath(*folder));
        entries = ExampleEntries(*folder, ProgramNames(programs),
                                 ProgramNames(QDir(programs.filePath(LessonsFolder))));
    }
    if (entries.empty()) {
        Examples->addAction(QStringLiteral("(no examples installed)"))->setEnabled(false);
        return;
    }
    QMenu* lessons = nullptr;
    for (const ExampleEntry& entry : entries) {
        QMenu* into = Examples;
        if (entry.Lesson) {
            if (lessons == nullptr) {
                Examples->addSeparator();
                lessons = Examples->addMenu(QStringLiteral("&Lessons"));
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

bool ClassroomTools::IsShippedExample(const QString& file) const {
    // Links and ".." lead nowhere else: both sides are compared as the
    // files they really are.
    const QFileInfo info(file);
    const QString real = info.canonicalFilePath();
    const std::filesystem::path path = FromQtPath(real.isEmpty() ? info.absoluteFilePath() : real);
    for (const std::filesystem::path& folder :
         {Options.Examples.Installed, Options.Examples.Source}) {
        const QString examples = QFileInfo(ToQtPath(folder)).canonicalFilePath();
        if (!examples.isEmpty() && LiesWithin(path, FromQtPath(examples))) {
            return true;
        }
    }
    return false;
}

void ClassroomTools::OpenExample(const QString& path) {
    Window.Files().OpenProgramFile(path);
}

void ClassroomTools::ShowMessages() {
    const CommandScope scope(Commands);
    View->show();
    View->raise();
    View->activateWindow();
}

void ClassroomTools::ChoosePace(ExecutePace pace) {
    CurrentPace = pace;
    PaceChoiceItems[static_cast<std::size_t>(PaceIndex(pace))]->setChecked(true);
    Window.Runs().SetPace(TimingFor(pace));
}

void ClassroomTools::ShowLineNumbers(bool shown) {
    LineNumbers->setChecked(shown);
    Window.Editor().SetLineNumbersShown(shown);
}

void ClassroomTools::SaveViewValues(const Settings& before) {
    std::vector<std::string> notices;
    if (!Bench.Store.SaveViewValues(before, Bench.Values, notices) || !notices.empty()) {
        std::string text;
        for (const std::string& notice : notices) {
            text += (text.empty() ? "" : "  ") + notice;
        }
        Eng.Display().ShowStatus(text, StatusColour::Red);
    }
}

bool ClassroomTools::ZoomFitsScreen(int zoom) const {
    const QScreen* screen = Window.screen();
    if (!Options.Room && screen == nullptr) {
        return true;
    }
    return ZoomFits(zoom, LargestWindow,
                    Options.Room ? Options.Room() : RoomOf(*screen, Options.ShownZoom));
}

void ClassroomTools::UpdateZoomItems() {
    for (const auto& [zoom, item] : ZoomItems) {
        const bool fits = ZoomFitsScreen(zoom);
        item->setEnabled(fits);
        item->setText(fits ? QStringLiteral("Zoom %1 %").arg(zoom)
                           : QStringLiteral("Zoom %1 % (too large for this screen)").arg(zoom));
    }
}

void ClassroomTools::ChooseZoom(int zoom) {
    const auto checkShown = [this] {
        if (QAction* item = ZoomItem(Options.ShownZoom)) {
            item->setChecked(true);
        }
    };
    if (!IsZoomLevel(zoom)) {
        checkShown();
        return;
    }
    if (!ZoomFitsScreen(zoom)) {
        checkShown();
        Eng.Display().ShowStatus("Zoom " + std::to_string(zoom) + " % does not fit this screen",
                                 StatusColour::Purple);
        return;
    }
    if (zoom == Options.ShownZoom) {
        // Already shown so: only remembered, in case it was smaller than chosen.
        if (zoom != Bench.Values.Zoom) {
            const Settings before = Bench.Values;
            Bench.Values.Zoom = zoom;
            SaveViewValues(before);
        }
        checkShown();
        return;
    }
    const Settings before = Bench.Values;
    Bench.Values.Zoom = zoom;
    ZoomItem(zoom)->setChecked(true);
    SaveViewValues(before);
    if (!Options.Relaunch || !Relaunch()) {
        Eng.Display().ShowStatus("Zoom " + std::to_string(zoom) +
                                     " % takes effect at the next start",
                                 StatusColour::Purple);
    }
}

bool ClassroomTools::Relaunch() {
    const CommandScope scope(Commands);
    SessionHandover handover;
    handover.RunStopped = Window.Runs().Running();
    handover.Pace = PaceIndex(CurrentPace);
    Window.Runs().StopRun();
    const ProgramEditor& editor = Window.Editor();
    handover.Text = EditorText(editor);
    if (Window.Session().ProgNamed()) {
        handover.FileName = Window.Session().ProgFile();
    }
    handover.Modified = editor.document()->isModified();
    const std::int32_t lines =
        std::min<std::int32_t>(editor.document()->blockCount(), BreakpointFlags::FlagCount);
    for (std::int32_t line = 0; line < lines; ++line) {
        if (Eng.State().Breakpoints.IsSet(line)) {
            handover.Breakpoints.push_back(line);
        }
    }

    // Made for the user alone (mode 0600): the new process takes only such a file.
    const PrivateFileWrite file = WritePrivateFile(FromQtPath(QDir::tempPath()), HandoverFilePrefix,
                                                   EncodeHandover(handover));
    const bool written = file.Error.empty();
    if (!written ||
        !Options.Relaunch({QString::fromUtf8(HandoverOption.data(),
                                             static_cast<qsizetype>(HandoverOption.size())),
                           ToQtPath(file.Path)})) {
        if (written) {
            std::error_code ignored;
            std::filesystem::remove(file.Path, ignored);
        }
        User.ShowError(&Window, QStringLiteral("Scanbench could not start again at the new zoom "
                                               "(%1). The program stays as it is.")
                                    .arg(written ? QStringLiteral("the program did not start")
                                                 : QString::fromStdString(file.Error)));
        return false;
    }
    Window.CloseWithoutAsking();
    return true;
}

bool ClassroomTools::TakeHandover(const QString& path) {
    const CommandScope scope(Commands);
    const QFileInfo info(path);
    const QString tempFolder = QFileInfo(QDir::tempPath()).canonicalFilePath();
    // Anyone may put files into the temporary folder: only one this user
    // made for itself (TakePrivateFile) is believed.
    const RegularFileRead file =
        IsHandoverFileName(info.fileName().toStdString()) &&
                QFileInfo(info.absolutePath()).canonicalFilePath() == tempFolder
            ? TakePrivateFile(FromQtPath(path), MaxHandoverBytes)
            : RegularFileRead{FileReadStatus::NotPrivate, {}, {}, {}};
    if (file.Status == FileReadStatus::NotPrivate || file.Status == FileReadStatus::NotRegular ||
        file.Status == FileReadStatus::Missing) {
        User.ShowError(&Window,
                       QStringLiteral("\"%1\" is not a file Scanbench handed over.").arg(path));
        return false;
    }
    const auto handover =
        file.Status == FileReadStatus::Ok ? DecodeHandover(file.Bytes) : std::nullopt;
    if (!handover) {
        User.ShowError(
            &Window, QStringLiteral("The program handed over in \"%1\" cannot be read.").arg(path));
        return false;
    }
    Window.Files().RestoreSession(QString::fromStdString(handover->Text),
                                  QString::fromStdString(handover->FileName), handover->Modified);
    BreakpointFlags& flags = Eng.State().Breakpoints;
    flags.ClearAll();
    for (const std::int32_t line : handover->Breakpoints) {
        flags.Set(line, true);
    }
    Window.SyncBoxes();
    if (const auto pace = PaceAt(handover->Pace)) {
        ChoosePace(*pace);
    }
    if (handover->RunStopped) {
        Eng.Display().ShowStatus(std::string(RunStoppedByZoomText), StatusColour::Purple);
    }
    return true;
}

} // namespace scanbench
