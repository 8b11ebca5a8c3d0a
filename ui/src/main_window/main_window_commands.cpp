#include "engine/run/engine.h"
#include "settings/qt_paths.h"
#include "ui/dialogs/help_window.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/language_text.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"
#include "ui/tools/editor_tools.h"
#include "ui/tools/jtag_tools.h"
#include "ui/tools/port_tools.h"
#include "ui/tools/vcd_export.h"
#include "ui/views/state_diagram_window.h"
#include "ui/views/waveform_window.h"
#include "window_logic/dialogs/help_file.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QShortcut>

namespace scanbench {

void MainWindow::ConnectCommands() {
    const auto on = [this](std::initializer_list<QAction*> actions, auto handler) {
        for (QAction* action : actions) {
            connect(action, &QAction::triggered, this, handler);
        }
    };
    ProgramFileController* files = FileCommands.get();
    on({Tools.NewProgram, Menu.NewProgram}, [files] { files->NewProgram(); });
    on({Tools.OpenProgram, Menu.OpenProgram}, [files] { files->OpenProgram(); });
    on({Tools.SaveProgram, Menu.SaveProgram}, [files] { files->SaveProgram(); });
    on({Menu.SaveProgramAs}, [files] { files->SaveProgramAs(); });
    on({Menu.Exit}, [this] { close(); });

    on({Menu.Copy}, [this] { Copy(); });
    on({Menu.Paste}, [this] { Paste(); });
    on({Menu.Cut}, [this] { Cut(); });
    on({Menu.Undo}, [this] { Undo(); });

    RunController* runs = RunCommands.get();
    on({Tools.ClearAllBreakpoints, Menu.ClearAllBreakpoints},
       [runs] { runs->ClearAllBreakpoints(); });
    on({Tools.EventByEvent, Menu.EventByEvent}, [runs] { runs->EventByEvent(); });
    on({Tools.StepByStep, Menu.StepByStep}, [runs] { runs->StepByStep(); });
    on({Tools.Execute, Menu.Execute}, [runs] { runs->Execute(); });
    on({Tools.Pause, Menu.Pause}, [runs] { runs->Pause(); });
    on({Tools.SpeedRun, Menu.SpeedRun}, [runs] { runs->SpeedRun(); });
    on({Tools.Reset, Menu.Reset}, [runs] { runs->Reset(); });
    on({Menu.ShowExecPoint}, [runs] { runs->ShowExecPoint(); });

    on({Tools.Help, Menu.HelpTopics}, [this] { ShowHelp(); });
    on({Menu.EventList}, [this] { ShowEventList(); });
    on({Menu.BitstreamViewer}, [this] { OpenBitstreamViewer(); });

    StateDiagram = new StateDiagramWindow(Eng.Taps(), Eng.Views(), this);
    connect(this, &MainWindow::LanguageChanged, StateDiagram, [this](int index) {
        const auto language = static_cast<std::uint8_t>(index);
        StateDiagram->SetLanguage({LanguageText(language, LangPos::StatePortLabel),
                                   LanguageText(language, LangPos::StateDiagramsTitle)});
    });
    on({Tools.StateDiagram, Menu.StateDiagram}, [this] { ShowView(*StateDiagram); });
    Waves = new WaveformWindow(Eng.State(), Eng.Views(), this);
    on({Tools.Waveforms, Menu.Waveforms}, [this] { ShowView(*Waves); });
    Waves->SetVcdExport([this] {
        const CommandScope scope(Tracker);
        ExportVcd(Waves, Eng);
    });

    Jtag = new JtagTools(Eng, *this, *Menu.ServeBoard);
    on({Menu.ExportSvf}, [this] {
        const CommandScope scope(Tracker);
        Jtag->ExportSvf();
    });

    PortTools* ports = PortCommands;
    on({Menu.PortSignals}, [ports] { ports->ShowPortSignals(); });
    on({Menu.ParallelPort}, [ports] { ports->RunParallelPort(); });
    on({Tools.BitstreamShifter, Menu.BitstreamShifter}, [ports] { ports->RunBitstreamShifter(); });
    on({Tools.Setup, Menu.Setup}, [ports] { ports->RunSetup(); });

    EditorTools* tools = ToolSet.get();
    on({Tools.Search, Menu.Search}, [tools] { tools->Search(); });
    on({Menu.Replace}, [tools] { tools->Replace(); });
    on({Tools.GotoLine, Menu.GotoLine}, [tools] { tools->GotoLineCommand(); });
    on({Tools.About, Menu.About}, [tools] { tools->About(); });
    on({Menu.Labels}, [tools] { tools->ShowLabels(); });
    on({Menu.English}, [this] { ChooseLanguage(0); });
    on({Menu.Portuguese}, [this] { ChooseLanguage(1); });
    on({Menu.French}, [this] { ChooseLanguage(2); });
    on({Menu.German}, [this] { ChooseLanguage(3); });

    // F9 opens the Windows menu.
    auto* windowsKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(windowsKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(Menu.WindowsMenu->menuAction()); });
}

void MainWindow::ShowView(QWidget& view) {
    const CommandScope scope(Tracker);
    view.show();
    view.raise();
    view.activateWindow();
}

void MainWindow::Copy() {
    const CommandScope scope(Tracker);
    TextEditor->copy();
}

void MainWindow::Paste() {
    const CommandScope scope(Tracker);
    TextEditor->paste();
}

void MainWindow::Cut() {
    const CommandScope scope(Tracker);
    TextEditor->cut();
}

void MainWindow::Undo() {
    const CommandScope scope(Tracker);
    TextEditor->undo();
}

void MainWindow::ShowHelp() {
    const CommandScope scope(Tracker);
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
        // No browser on this desktop: the program shows the manual itself.
        if (Manual == nullptr) {
            Manual = new HelpWindow(this);
        }
        Manual->ShowManual(ToQtPath(*manual));
    }
}

} // namespace scanbench
