#include "ui/main_window/menu_items.h"

#include "ui/main_window/driver_notice.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace scanbench {

namespace {

// Adds an item named `name` with `text` and `shortcut`, enabled or not.
QAction* AddItem(QMenu& menu, const char* name, const QString& text,
                 const QKeySequence& shortcut = {}, bool enabled = true) {
    QAction* item = menu.addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setEnabled(enabled);
    return item;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& title) {
    QMenu* menu = bar.addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

constexpr bool Off = false;

void BuildFileMenu(QMenuBar& bar, MenuItems& m) {
    m.FileMenu = AddMenu(bar, "File1", QStringLiteral("&File"));
    m.NewProgram =
        AddItem(*m.FileMenu, "New1", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    m.OpenProgram = AddItem(*m.FileMenu, "Open1", QStringLiteral("&Open..."),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    m.SaveProgram = AddItem(*m.FileMenu, "Save1", QStringLiteral("&Save"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), Off);
    m.SaveProgramAs = AddItem(*m.FileMenu, "SaveAs1", QStringLiteral("Save &As..."),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), Off);
    m.FileMenu->addSeparator();
    m.ExportSvf = AddItem(*m.FileMenu, "ExportSvf1", QStringLiteral("Export S&VF..."));
    m.FileMenu->addSeparator();
    m.Exit = AddItem(*m.FileMenu, "Exit1", QStringLiteral("E&xit"));
}

void BuildEditMenu(QMenuBar& bar, MenuItems& m) {
    m.EditMenu = AddMenu(bar, "Edit2", QStringLiteral("&Edit"));
    m.Copy =
        AddItem(*m.EditMenu, "Copy1", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m.Paste =
        AddItem(*m.EditMenu, "Past1", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    m.Cut = AddItem(*m.EditMenu, "Cut1", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m.EditMenu->addSeparator();
    m.Undo =
        AddItem(*m.EditMenu, "Undo1", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.EditMenu->addSeparator();
    m.Search = AddItem(*m.EditMenu, "Search1", QStringLiteral("Search"),
                       QKeySequence(Qt::CTRL | Qt::Key_F));
    m.Replace = AddItem(*m.EditMenu, "Replace1", QStringLiteral("Replace"),
                        QKeySequence(Qt::CTRL | Qt::Key_R));
    m.EditMenu->addSeparator();
    m.GotoLine = AddItem(*m.EditMenu, "Goto1", QStringLiteral("Goto Line number"),
                         QKeySequence(Qt::CTRL | Qt::Key_G));
    m.EditMenu->addSeparator();
    m.ClearAllBreakpoints =
        AddItem(*m.EditMenu, "ClearallBreakpoints1", QStringLiteral("Clear all Breakpoints"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
}

void BuildRunMenu(QMenuBar& bar, QObject& owner, MenuItems& m) {
    m.RunMenu = AddMenu(bar, "Run2", QStringLiteral("Run"));
    m.EventByEvent = AddItem(*m.RunMenu, "StepbyStep1", QStringLiteral("Event-by-Event"),
                             QKeySequence(Qt::Key_F5), Off);
    m.StepByStep = AddItem(*m.RunMenu, "EventbyEvent1", QStringLiteral("Step-by-Step"),
                           QKeySequence(Qt::Key_F6), Off);
    m.Execute =
        AddItem(*m.RunMenu, "Run1", QStringLiteral("Execute"), QKeySequence(Qt::Key_F8), Off);
    m.Pause = AddItem(*m.RunMenu, "Pause1", QStringLiteral("Pause"), QKeySequence(Qt::Key_F7), Off);
    m.ShowExecPoint = AddItem(*m.RunMenu, "ShowExec1", QStringLiteral("Show execution point"),
                              QKeySequence(Qt::CTRL | Qt::Key_P), Off);
    m.RunMenu->addSeparator();
    m.SpeedRun = AddItem(*m.RunMenu, "SpeedRunTM1", QStringLiteral("SpeedRun"),
                         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), Off);
    m.RunMenu->addSeparator();
    m.Reset = AddItem(*m.RunMenu, "Reset1", QStringLiteral("Reset"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), Off);
    m.RunMenu->addSeparator();
    m.LanguageMenu = m.RunMenu->addMenu(QStringLiteral("&Language"));
    m.LanguageMenu->setObjectName(QStringLiteral("Language1"));
    m.LanguageMenu->menuAction()->setVisible(false);
    auto* languages = new QActionGroup(&owner);
    m.English = AddItem(*m.LanguageMenu, "English1", QStringLiteral("&English"));
    m.Portuguese = AddItem(*m.LanguageMenu, "Portuguese1", QStringLiteral("&Portuguese"));
    m.French = AddItem(*m.LanguageMenu, "French1", QStringLiteral("&French"));
    m.German = AddItem(*m.LanguageMenu, "German1", QStringLiteral("&German"));
    for (QAction* language : {m.English, m.Portuguese, m.French, m.German}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
    m.English->setChecked(true);
    m.Setup = AddItem(*m.RunMenu, "Setup1", QStringLiteral("Setup"));
}

void BuildWindowsMenu(QMenuBar& bar, MenuItems& m) {
    m.WindowsMenu = AddMenu(bar, "Windows1", QStringLiteral("&Windows"));
    m.StateDiagram = AddItem(*m.WindowsMenu, "StateDiagram01", QStringLiteral("State Diagram"),
                             QKeySequence(Qt::SHIFT | Qt::Key_F9));
    m.Waveforms = AddItem(*m.WindowsMenu, "Waveforms1", QStringLiteral("Waveforms"),
                          QKeySequence(Qt::SHIFT | Qt::Key_F10));
    m.Labels = AddItem(*m.WindowsMenu, "Labels1", QStringLiteral("Labels"));
    m.Labels->setVisible(false);
    m.WindowsMenu->addSeparator();
    m.EventList = AddItem(*m.WindowsMenu, "EventList1", QStringLiteral("Event List"),
                          QKeySequence(Qt::SHIFT | Qt::Key_F11));
    m.PortSignals = AddItem(*m.WindowsMenu, "ShowParallelPortSignals1",
                            QStringLiteral("Show parallel port signals"),
                            QKeySequence(Qt::SHIFT | Qt::Key_F12));
}

void BuildUtilitiesMenu(QMenuBar& bar, MenuItems& m) {
    m.UtilitiesMenu = AddMenu(bar, "Utilities1", QStringLiteral("Utilities"));
    m.BitstreamShifter =
        AddItem(*m.UtilitiesMenu, "BitstreamShifter1", QStringLiteral("Bitstream shifter"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    m.BitstreamViewer = AddItem(*m.UtilitiesMenu, "Inputbitstreamviewer1",
                                QStringLiteral("Received bitstream viewer"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10));
    m.ParallelPort = AddItem(*m.UtilitiesMenu, "ParallelPort1", QStringLiteral("Parallel Port"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11));
    m.UtilitiesMenu->addSeparator();
    m.ServeBoard =
        AddItem(*m.UtilitiesMenu, "ServeBoard1", QStringLiteral("Serve board over remote_bitbang"));
    m.ServeBoard->setCheckable(true);
}

void BuildHelpMenu(QMenuBar& bar, MenuItems& m) {
    m.HelpMenu = AddMenu(bar, "Help1", QStringLiteral("Help"));
    m.HelpTopics = AddItem(*m.HelpMenu, "HelpTopics1", QStringLiteral("Help Topics"),
                           QKeySequence(Qt::Key_F1));
    m.HelpMenu->addSeparator();
    m.About = AddItem(*m.HelpMenu, "About1", QStringLiteral("About"));
    m.Notice = new DriverNotice(bar);
}

} // namespace

MenuItems BuildMenuItems(QMenuBar& bar, QObject& owner) {
    MenuItems items;
    BuildFileMenu(bar, items);
    BuildEditMenu(bar, items);
    BuildRunMenu(bar, owner, items);
    BuildWindowsMenu(bar, items);
    BuildUtilitiesMenu(bar, items);
    BuildHelpMenu(bar, items);
    return items;
}

} // namespace scanbench
