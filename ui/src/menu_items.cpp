#include "ui/main_actions.h"

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
    m.File1 = AddMenu(bar, "File1", QStringLiteral("&File"));
    m.New1 = AddItem(*m.File1, "New1", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    m.Open1 =
        AddItem(*m.File1, "Open1", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.Save1 = AddItem(*m.File1, "Save1", QStringLiteral("&Save"),
                      QKeySequence(Qt::CTRL | Qt::Key_S), Off);
    m.SaveAs1 = AddItem(*m.File1, "SaveAs1", QStringLiteral("Save &As..."),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), Off);
    m.File1->addSeparator();
    m.Exit1 = AddItem(*m.File1, "Exit1", QStringLiteral("E&xit"));
}

void BuildEditMenu(QMenuBar& bar, MenuItems& m) {
    m.Edit2 = AddMenu(bar, "Edit2", QStringLiteral("&Edit"));
    m.Copy1 =
        AddItem(*m.Edit2, "Copy1", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m.Past1 =
        AddItem(*m.Edit2, "Past1", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    m.Cut1 = AddItem(*m.Edit2, "Cut1", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m.Edit2->addSeparator();
    m.Undo1 =
        AddItem(*m.Edit2, "Undo1", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.Edit2->addSeparator();
    m.Search1 =
        AddItem(*m.Edit2, "Search1", QStringLiteral("Search"), QKeySequence(Qt::CTRL | Qt::Key_F));
    m.Replace1 = AddItem(*m.Edit2, "Replace1", QStringLiteral("Replace"),
                         QKeySequence(Qt::CTRL | Qt::Key_R));
    m.Edit2->addSeparator();
    m.Goto1 = AddItem(*m.Edit2, "Goto1", QStringLiteral("Goto Line number"),
                      QKeySequence(Qt::CTRL | Qt::Key_G));
    m.Edit2->addSeparator();
    m.ClearallBreakpoints1 =
        AddItem(*m.Edit2, "ClearallBreakpoints1", QStringLiteral("Clear all Breakpoints"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
}

void BuildRunMenu(QMenuBar& bar, QObject& owner, MenuItems& m) {
    m.Run2 = AddMenu(bar, "Run2", QStringLiteral("Run"));
    m.StepbyStep1 = AddItem(*m.Run2, "StepbyStep1", QStringLiteral("Event-by-Event"),
                            QKeySequence(Qt::Key_F5), Off);
    m.EventbyEvent1 = AddItem(*m.Run2, "EventbyEvent1", QStringLiteral("Step-by-Step"),
                              QKeySequence(Qt::Key_F6), Off);
    m.Run1 = AddItem(*m.Run2, "Run1", QStringLiteral("Execute"), QKeySequence(Qt::Key_F8), Off);
    m.Pause1 = AddItem(*m.Run2, "Pause1", QStringLiteral("Pause"), QKeySequence(Qt::Key_F7), Off);
    m.ShowExec1 = AddItem(*m.Run2, "ShowExec1", QStringLiteral("Show execution point"),
                          QKeySequence(Qt::CTRL | Qt::Key_P), Off);
    m.Run2->addSeparator();
    m.SpeedRunTM1 = AddItem(*m.Run2, "SpeedRunTM1", QStringLiteral("SpeedRun"),
                            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), Off);
    m.Run2->addSeparator();
    m.Reset1 = AddItem(*m.Run2, "Reset1", QStringLiteral("Reset"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), Off);
    m.Run2->addSeparator();
    m.Language1 = m.Run2->addMenu(QStringLiteral("&Language"));
    m.Language1->setObjectName(QStringLiteral("Language1"));
    m.Language1->menuAction()->setVisible(false);
    auto* languages = new QActionGroup(&owner);
    m.English1 = AddItem(*m.Language1, "English1", QStringLiteral("&English"));
    m.Portuguese1 = AddItem(*m.Language1, "Portuguese1", QStringLiteral("&Portuguese"));
    m.French1 = AddItem(*m.Language1, "French1", QStringLiteral("&French"));
    m.German1 = AddItem(*m.Language1, "German1", QStringLiteral("&German"));
    for (QAction* language : {m.English1, m.Portuguese1, m.French1, m.German1}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
    m.English1->setChecked(true);
    m.Setup1 = AddItem(*m.Run2, "Setup1", QStringLiteral("Setup"));
}

void BuildWindowsMenu(QMenuBar& bar, MenuItems& m) {
    m.Windows1 = AddMenu(bar, "Windows1", QStringLiteral("&Windows"));
    m.StateDiagram01 = AddItem(*m.Windows1, "StateDiagram01", QStringLiteral("State Diagram"),
                               QKeySequence(Qt::SHIFT | Qt::Key_F9));
    m.Waveforms1 = AddItem(*m.Windows1, "Waveforms1", QStringLiteral("Waveforms"),
                           QKeySequence(Qt::SHIFT | Qt::Key_F10));
    m.Labels1 = AddItem(*m.Windows1, "Labels1", QStringLiteral("Labels"));
    m.Labels1->setVisible(false);
    m.Windows1->addSeparator();
    m.EventList1 = AddItem(*m.Windows1, "EventList1", QStringLiteral("Event List"),
                           QKeySequence(Qt::SHIFT | Qt::Key_F11));
    m.ShowParallelPortSignals1 = AddItem(*m.Windows1, "ShowParallelPortSignals1",
                                         QStringLiteral("Show parallel port signals"),
                                         QKeySequence(Qt::SHIFT | Qt::Key_F12));
}

void BuildUtilitiesMenu(QMenuBar& bar, MenuItems& m) {
    m.Utilities1 = AddMenu(bar, "Utilities1", QStringLiteral("Utilities"));
    m.BitstreamShifter1 =
        AddItem(*m.Utilities1, "BitstreamShifter1", QStringLiteral("Bitstream shifter"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    m.Inputbitstreamviewer1 =
        AddItem(*m.Utilities1, "Inputbitstreamviewer1", QStringLiteral("Received bitstream viewer"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10));
    m.ParallelPort1 = AddItem(*m.Utilities1, "ParallelPort1", QStringLiteral("Parallel Port"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11));
}

void BuildHelpMenu(QMenuBar& bar, MenuItems& m) {
    m.N9 = bar.addAction(QStringLiteral("IEEE 1149.1 trainer"));
    m.N9->setObjectName(QStringLiteral("N9"));
    m.N9->setEnabled(false);
    m.Help1 = AddMenu(bar, "Help1", QStringLiteral("Help"));
    m.HelpTopics1 =
        AddItem(*m.Help1, "HelpTopics1", QStringLiteral("Help Topics"), QKeySequence(Qt::Key_F1));
    m.Help1->addSeparator();
    m.About1 = AddItem(*m.Help1, "About1", QStringLiteral("About"));
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
