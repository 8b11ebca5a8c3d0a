#include "ui/tools/port_tools.h"

#include "engine/run/engine.h"
#include "port/port_connection.h"
#include "settings/qt_paths.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/dialogs/bitstream_shifter_dialog.h"
#include "ui/dialogs/parallel_port_tool.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/driver_notice.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"
#include "ui/views/port_signals_window.h"
#include "window_logic/main_window/program_session.h"

namespace scanbench {

PortTools::PortTools(Engine& engine, Workbench bench, UserInteraction& user, MainWindow& window)
    : QObject(&window), Eng(engine), Bench(bench), User(user), Window(window) {
    Signals = new PortSignalsWindow(Bench.Port, Eng.Views(), &window);
    Tool = new ParallelPortTool(Bench.Port.Signals(), Eng.Views(), window.Commands(), &window);
    ShifterWindow = new BitstreamShifterDialog(Eng, window.Commands(), &window);
    SetupWindow = new SetupDialog(
        Bench.Values, [&window] { window.Model().FollowEveryStep(); }, User,
        [this](const Settings& s) { return ApplySettings(s); }, &window);
}

void PortTools::ShowPortSignals() {
    const CommandScope scope(Window.Commands());
    Signals->show();
    Signals->raise();
    Signals->activateWindow();
}

void PortTools::RunParallelPort() {
    RunModalTool(*Tool, false);
}

void PortTools::RunBitstreamShifter() {
    RunModalTool(*ShifterWindow, true);
}

void PortTools::RunSetup() {
    Window.Model().ClearAboutClicks();
    SetupWindow->exec();
    const CommandScope scope(Window.Commands());
    Signals->RelabelPins();
    Signals->RefreshPinLevels();
}

bool PortTools::ApplyFaults(const FaultChoice& faults) {
    Settings changed = Bench.Values;
    changed.Faults = faults;
    return ApplySettings(changed);
}

bool PortTools::ApplySettings(const Settings& confirmed) {
    const CommandScope scope(Window.Commands());
    const Settings before = Bench.Values;
    Bench.Values = confirmed;
    Bench.Values.RefreshWindows = Window.Model().RefreshWindows();
    Window.Model().SetSpeedRunAllowed(confirmed.SpeedRun);
    RunSwitches& switches = Eng.Switches();
    switches.ShowZ = confirmed.ShowZ;
    switches.ActiveMode = confirmed.ActiveMode;
    if (Bench.Port.Reopen(confirmed.Port, confirmed.Pins, ProgramBoard.value_or(confirmed.Board),
                          confirmed.Remote)) {
        ShowPortStatus();
        if (const std::string problem = Bench.Port.Access().Problem();
            confirmed.Port == PortKind::Board && !problem.empty()) {
            // A board file that could not be used after all (changed since it was chosen).
            Eng.Display().ShowStatus(problem, StatusColour::Red);
        }
        Eng.Views().Notify(ViewChange::PinLevels);
    }
    if (!(confirmed.Faults == before.Faults)) {
        (void)Bench.Port.SetFaults(confirmed.Faults);
        Eng.Views().Notify(ViewChange::PinLevels);
    }
    // Only what this window changed: another window's Setup saved in between
    // stays.
    std::vector<std::string> notices;
    if (!Bench.Store.SaveSettings(before, Bench.Values, notices)) {
        User.ShowError(SetupWindow,
                       QStringLiteral("The settings are in use but could not be saved to \"%1\".")
                           .arg(ToQtPath(Bench.Store.Path())));
        return false;
    }
    return true;
}

PortTools::BoardInUse PortTools::UseProgramBoard(std::optional<BoardChoice> board) {
    // Kept for a Setup that brings the simulated board back.
    ProgramBoard = std::move(board);
    const Settings& setup = Bench.Values;
    if (setup.Port != PortKind::Board) {
        return {};
    }
    const BoardChoice before = Bench.Port.Board();
    const BoardChoice wanted = ProgramBoard.value_or(setup.Board);
    // The board in use stays as it is, with the switches the user set on
    // it: a board file is not read again.
    if ((Bench.Port.Kind() == setup.Port && before == wanted) ||
        !Bench.Port.Reopen(setup.Port, setup.Pins, wanted, setup.Remote)) {
        return {true, false, {}};
    }
    // As after Setup: the notice, the board window and the pin levels follow.
    BoardInUse now{true, !(Bench.Port.Board() == before), Bench.Port.Access().Problem()};
    Window.Items().Notice->ShowPortState(Bench.Port.Available(), now.Problem);
    Eng.Views().Notify(ViewChange::PinLevels);
    return now;
}

void PortTools::ShowPortStatus() {
    const bool available = Bench.Port.Available();
    const std::string problem = Bench.Port.Access().Problem();
    const PortStatusMessage status = PortStatus(available, problem);
    Eng.Display().ShowStatus(status.Text, status.Colour);
    Window.Items().Notice->ShowPortState(available, problem);
}

void PortTools::RunModalTool(QDialog& tool, bool resetFirst) {
    CommandStates remembered;
    {
        const CommandScope scope(Window.Commands());
        remembered = Window.Model().Commands();
        if (resetFirst) {
            Eng.ResetSimulation();
        } else if (Window.Runs().Running()) {
            // A program running on would drive the port under the user's hands.
            Window.Runs().Pause();
        }
    }
    tool.exec();
    {
        const CommandScope scope(Window.Commands());
        Eng.ResetSimulation();
        Window.Model().RestoreRunCommands(remembered);
    }
    // Then Reset once more, as a click on its button would (a disabled
    // button takes no click).
    if (Window.Buttons().Reset->isEnabled()) {
        Window.Buttons().Reset->trigger();
    }
    // No selection left in the editor, the caret where it began, and the
    // editor has the focus.
    ProgramEditor& editor = Window.Editor();
    QTextCursor caret = editor.textCursor();
    caret.setPosition(caret.selectionStart());
    editor.setTextCursor(caret);
    editor.setFocus();
}

} // namespace scanbench
