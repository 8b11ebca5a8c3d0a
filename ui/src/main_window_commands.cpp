#include "engine/engine.h"
#include "settings/qt_paths.h"
#include "ui/main_window.h"
#include "ui/program_editor.h"
#include "ui/user_interaction.h"
#include "window_logic/help_file.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QShortcut>

namespace scanbench {

void MainWindow::ConnectCommands() {
    const auto on = [this](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(Tools.ToolButton1, &MainWindow::ToolButton1Click);
    on(Menu.New1, &MainWindow::ToolButton1Click);
    on(Tools.ToolButton2, &MainWindow::ToolButton2Click);
    on(Menu.Open1, &MainWindow::ToolButton2Click);
    on(Tools.ToolButton3, &MainWindow::ToolButton3Click);
    on(Menu.Save1, &MainWindow::ToolButton3Click);
    on(Menu.SaveAs1, &MainWindow::SaveAs1Click);
    on(Menu.Exit1, &MainWindow::Exit1Click);

    on(Menu.Copy1, &MainWindow::Copy1Click);
    on(Menu.Past1, &MainWindow::Past1Click);
    on(Menu.Cut1, &MainWindow::Cut1Click);
    on(Menu.Undo1, &MainWindow::Undo1Click);
    on(Tools.ToolButton11, &MainWindow::ClearallBreakpoints1Click);
    on(Menu.ClearallBreakpoints1, &MainWindow::ClearallBreakpoints1Click);

    on(Tools.ToolButton12, &MainWindow::StepBtnClick);
    on(Menu.StepbyStep1, &MainWindow::StepBtnClick);
    on(Tools.ToolButton17, &MainWindow::ToolButton17Click);
    on(Menu.EventbyEvent1, &MainWindow::ToolButton17Click);
    on(Tools.ToolButton6, &MainWindow::Run_Test);
    on(Menu.Run1, &MainWindow::Run_Test);
    on(Tools.ToolButton20, &MainWindow::Pause1Click);
    on(Menu.Pause1, &MainWindow::Pause1Click);
    on(Tools.ToolButton18, &MainWindow::ToolButton18Click);
    on(Menu.SpeedRunTM1, &MainWindow::ToolButton18Click);
    on(Tools.ToolButton14, &MainWindow::ResetSimulation);
    on(Menu.Reset1, &MainWindow::ResetSimulation);
    on(Menu.ShowExec1, &MainWindow::ShowExec1Click);

    on(Menu.HelpTopics1, &MainWindow::HelpTopics1Click);
    on(Tools.ToolButton10, &MainWindow::ToolButton10Click);

    // F9 opens the Windows menu.
    auto* windowsKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(windowsKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(Menu.Windows1->menuAction()); });
}

void MainWindow::Copy1Click() {
    const CommandScope scope(*this);
    Memo1->copy();
}

void MainWindow::Past1Click() {
    const CommandScope scope(*this);
    Memo1->paste();
}

void MainWindow::Cut1Click() {
    const CommandScope scope(*this);
    Memo1->cut();
}

void MainWindow::Undo1Click() {
    const CommandScope scope(*this);
    Memo1->undo();
}

void MainWindow::HelpTopics1Click() {
    const CommandScope scope(*this);
    const HelpFolders folders{Options.InstallDir, Options.InstalledDocDir, Options.SourceDocDir};
    const auto manual = ChooseHelpFile(folders, [](const std::filesystem::path& file) {
        return QFileInfo(ToQtPath(file)).isFile();
    });
    if (!manual) {
        User.ShowError(this, QStringLiteral("The user manual %1 was not found.")
                                 .arg(QString::fromUtf8(HelpFileName)));
        return;
    }
    if (!User.OpenDocument(ToQtPath(*manual))) {
        User.ShowError(this, QStringLiteral("Cannot open the user manual \"%1\" in a browser.")
                                 .arg(ToQtPath(*manual)));
    }
}

} // namespace scanbench
