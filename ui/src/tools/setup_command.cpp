#include "ui/tools/setup_command.h"

#include "engine/run/engine.h"
#include "port/port_connection.h"
#include "settings/qt_paths.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/driver_notice.h"
#include "ui/main_window/user_interaction.h"
#include "ui/views/port_signals_window.h"
#include "window_logic/main_window/main_window_model.h"
#include "window_logic/main_window/program_board_use.h"
#include "window_logic/main_window/program_session.h"

namespace scanbench {

SetupCommand::SetupCommand(Workbench bench, SetupParts parts, QWidget& parent)
    : QObject(&parent), Bench(bench), Parts(parts) {
    Window = new SetupDialog(
        Bench.Values, [this] { Parts.Model.FollowEveryStep(); }, Parts.User,
        [this](const Settings& s) { return ApplySettings(s); }, &parent);
}

void SetupCommand::Run() {
    Parts.Model.ClearAboutClicks();
    Window->exec();
    const CommandScope scope(Parts.Commands);
    Parts.Signals.RelabelPins();
    Parts.Signals.RefreshPinLevels();
}

bool SetupCommand::ApplyFaults(const FaultChoice& faults) {
    Settings changed = Bench.Values;
    changed.Faults = faults;
    return ApplySettings(changed);
}

bool SetupCommand::ApplySettings(const Settings& confirmed) {
    const CommandScope scope(Parts.Commands);
    const Settings before = Bench.Values;
    Bench.Values = confirmed;
    Bench.Values.RefreshWindows = Parts.Model.RefreshWindows();
    Parts.Model.SetSpeedRunAllowed(confirmed.SpeedRun);
    RunSwitches& switches = Parts.Eng.Switches();
    switches.ShowZ = confirmed.ShowZ;
    switches.ActiveMode = confirmed.ActiveMode;
    if (Bench.Port.Reopen(confirmed.Port, confirmed.Pins, ProgramBoard.value_or(confirmed.Board),
                          confirmed.Remote)) {
        ShowPortStatus();
        if (const std::string problem = Bench.Port.Access().Problem();
            confirmed.Port == PortKind::Board && !problem.empty()) {
            // A board file that could not be used after all (changed since it was chosen).
            Parts.Eng.Display().ShowStatus(problem, StatusColour::Red);
        }
        Parts.Eng.Views().Notify(ViewChange::PinLevels);
    }
    if (ProgramBoard && confirmed.Port == PortKind::Board && !(confirmed.Board == before.Board)) {
        const BoardNews news = ProgramBoardStays(*ProgramBoard);
        Parts.Eng.Display().ShowStatus(news.Text, news.Colour);
    }
    if (!(confirmed.Faults == before.Faults)) {
        (void)Bench.Port.SetFaults(confirmed.Faults);
        Parts.Eng.Views().Notify(ViewChange::PinLevels);
    }
    // Only what this window changed: another window's Setup saved in between
    // stays.
    std::vector<std::string> notices;
    if (!Bench.Store.SaveSettings(before, Bench.Values, notices)) {
        Parts.User.ShowError(
            Window, QStringLiteral("The settings are in use but could not be saved to \"%1\".")
                        .arg(ToQtPath(Bench.Store.Path())));
        return false;
    }
    return true;
}

SetupCommand::BoardInUse SetupCommand::UseProgramBoard(std::optional<BoardChoice> board) {
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
    Parts.Notice.ShowPortState(Bench.Port.Available(), now.Problem);
    Parts.Eng.Views().Notify(ViewChange::PinLevels);
    return now;
}

void SetupCommand::ShowPortStatus() {
    const bool available = Bench.Port.Available();
    const std::string problem = Bench.Port.Access().Problem();
    const PortStatusMessage status = PortStatus(available, problem);
    Parts.Eng.Display().ShowStatus(status.Text, status.Colour);
    Parts.Notice.ShowPortState(available, problem);
}

} // namespace scanbench
