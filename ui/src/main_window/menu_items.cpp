#include "ui/main_window/menu_items.h"

#include "ui/main_window/driver_notice.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace scanbench {

QAction* AddMenuItem(QMenu& menu, const char* name, const QString& text,
                     const QKeySequence& shortcut, bool enabled) {
    QAction* item = menu.addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setEnabled(enabled);
    return item;
}

namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& title) {
    QMenu* menu = bar.addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

constexpr bool Off = false;

void BuildFileMenu(QMenuBar& bar, MenuItems& m) {
    m.FileMenu = AddMenu(bar, "File1", QStringLiteral("&File"));
    m.NewProgram = AddMenuItem(*m.FileMenu, "New1", QStringLiteral("&New"),
                               QKeySequence(Qt::CTRL | Qt::Key_N));
    m.OpenProgram = AddMenuItem(*m.FileMenu, "Open1", QStringLiteral("&Open..."),
                                QKeySequence(Qt::CTRL | Qt::Key_O));
    m.SaveProgram = AddMenuItem(*m.FileMenu, "Save1", QStringLiteral("&Save"),
                                QKeySequence(Qt::CTRL | Qt::Key_S), Off);
    m.SaveProgramAs = AddMenuItem(*m.FileMenu, "SaveAs1", QStringLiteral("Save &As..."),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), Off);
    m.FileMenu->addSeparator();
    m.ExportSvf = AddMenuItem(*m.FileMenu, "ExportSvf1", QStringLiteral("Export S&VF..."));
    m.FileMenu->addSeparator();
    m.Exit = AddMenuItem(*m.FileMenu, "Exit1", QStringLiteral("E&xit"));
}

void BuildEditMenu(QMenuBar& bar, MenuItems& m) {
    m.EditMenu = AddMenu(bar, "Edit2", QStringLiteral("&Edit"));
    m.Copy = AddMenuItem(*m.EditMenu, "Copy1", QStringLiteral("&Copy"),
                         QKeySequence(Qt::CTRL | Qt::Key_C));
    m.Paste = AddMenuItem(*m.EditMenu, "Past1", QStringLiteral("&Paste"),
                          QKeySequence(Qt::CTRL | Qt::Key_V));
    m.Cut =
        AddMenuItem(*m.EditMenu, "Cut1", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m.EditMenu->addSeparator();
    m.Undo = AddMenuItem(*m.EditMenu, "Undo1", QStringLiteral("Undo"),
                         QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.EditMenu->addSeparator();
    m.Search = AddMenuItem(*m.EditMenu, "Search1", QStringLiteral("Search"),
                           QKeySequence(Qt::CTRL | Qt::Key_F));
    m.Replace = AddMenuItem(*m.EditMenu, "Replace1", QStringLiteral("Replace"),
                            QKeySequence(Qt::CTRL | Qt::Key_R));
    m.EditMenu->addSeparator();
    m.GotoLine = AddMenuItem(*m.EditMenu, "Goto1", QStringLiteral("Goto Line number"),
                             QKeySequence(Qt::CTRL | Qt::Key_G));
    m.EditMenu->addSeparator();
    m.ClearAllBreakpoints =
        AddMenuItem(*m.EditMenu, "ClearallBreakpoints1", QStringLiteral("Clear all Breakpoints"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
}

void BuildRunMenu(QMenuBar& bar, QObject& owner, MenuItems& m) {
    m.RunMenu = AddMenu(bar, "Run2", QStringLiteral("Run"));
    m.EventByEvent = AddMenuItem(*m.RunMenu, "StepbyStep1", QStringLiteral("Event-by-Event"),
                                 QKeySequence(Qt::Key_F5), Off);
    m.StepByStep = AddMenuItem(*m.RunMenu, "EventbyEvent1", QStringLiteral("Step-by-Step"),
                               QKeySequence(Qt::Key_F6), Off);
    m.Execute =
        AddMenuItem(*m.RunMenu, "Run1", QStringLiteral("Execute"), QKeySequence(Qt::Key_F8), Off);
    m.Pause =
        AddMenuItem(*m.RunMenu, "Pause1", QStringLiteral("Pause"), QKeySequence(Qt::Key_F7), Off);
    m.ShowExecPoint = AddMenuItem(*m.RunMenu, "ShowExec1", QStringLiteral("Show execution point"),
                                  QKeySequence(Qt::CTRL | Qt::Key_P), Off);
    m.RunMenu->addSeparator();
    m.SpeedRun = AddMenuItem(*m.RunMenu, "SpeedRunTM1", QStringLiteral("SpeedRun"),
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), Off);
    m.RunMenu->addSeparator();
    m.Reset = AddMenuItem(*m.RunMenu, "Reset1", QStringLiteral("Reset"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), Off);
    m.RunMenu->addSeparator();
    m.LanguageMenu = m.RunMenu->addMenu(QStringLiteral("&Language"));
    m.LanguageMenu->setObjectName(QStringLiteral("Language1"));
    m.LanguageMenu->menuAction()->setVisible(false);
    auto* languages = new QActionGroup(&owner);
    m.English = AddMenuItem(*m.LanguageMenu, "English1", QStringLiteral("&English"));
    m.Portuguese = AddMenuItem(*m.LanguageMenu, "Portuguese1", QStringLiteral("&Portuguese"));
    m.French = AddMenuItem(*m.LanguageMenu, "French1", QStringLiteral("&French"));
    m.German = AddMenuItem(*m.LanguageMenu, "German1", QStringLiteral("&German"));
    for (QAction* language : {m.English, m.Portuguese, m.French, m.German}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
    m.English->setChecked(true);
    m.Setup = AddMenuItem(*m.RunMenu, "Setup1", QStringLiteral("Setup"));
}

void BuildWindowsMenu(QMenuBar& bar, MenuItems& m) {
    m.WindowsMenu = AddMenu(bar, "Windows1", QStringLiteral("&Windows"));
    m.StateDiagram = AddMenuItem(*m.WindowsMenu, "StateDiagram01", QStringLiteral("State Diagram"),
                                 QKeySequence(Qt::SHIFT | Qt::Key_F9));
    m.Waveforms = AddMenuItem(*m.WindowsMenu, "Waveforms1", QStringLiteral("Waveforms"),
                              QKeySequence(Qt::SHIFT | Qt::Key_F10));
    m.Labels = AddMenuItem(*m.WindowsMenu, "Labels1", QStringLiteral("Labels"));
    m.Labels->setVisible(false);
    m.WindowsMenu->addSeparator();
    m.EventList = AddMenuItem(*m.WindowsMenu, "EventList1", QStringLiteral("Event List"),
                              QKeySequence(Qt::SHIFT | Qt::Key_F11));
    m.PortSignals = AddMenuItem(*m.WindowsMenu, "ShowParallelPortSignals1",
                                QStringLiteral("Show parallel port signals"),
                                QKeySequence(Qt::SHIFT | Qt::Key_F12));
}

void BuildUtilitiesMenu(QMenuBar& bar, MenuItems& m) {
    m.UtilitiesMenu = AddMenu(bar, "Utilities1", QStringLiteral("Utilities"));
    m.BitstreamShifter =
        AddMenuItem(*m.UtilitiesMenu, "BitstreamShifter1", QStringLiteral("Bitstream shifter"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    m.BitstreamViewer = AddMenuItem(*m.UtilitiesMenu, "Inputbitstreamviewer1",
                                    QStringLiteral("Received bitstream viewer"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10));
    m.ParallelPort = AddMenuItem(*m.UtilitiesMenu, "ParallelPort1", QStringLiteral("Parallel Port"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11));
    m.UtilitiesMenu->addSeparator();
    m.ServeBoard = AddMenuItem(*m.UtilitiesMenu, "ServeBoard1",
                               QStringLiteral("Serve board over remote_bitbang"));
    m.ServeBoard->setCheckable(true);
}

void BuildHelpMenu(QMenuBar& bar, MenuItems& m) {
    m.HelpMenu = AddMenu(bar, "Help1", QStringLiteral("Help"));
    m.HelpTopics = AddMenuItem(*m.HelpMenu, "HelpTopics1", QStringLiteral("Help Topics"),
                               QKeySequence(Qt::Key_F1));
    m.HelpMenu->addSeparator();
    m.About = AddMenuItem(*m.HelpMenu, "About1", QStringLiteral("About"));
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
