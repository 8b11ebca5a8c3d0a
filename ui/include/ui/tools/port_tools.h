#pragma once

// Qt: it owns the port windows, the shifter and the Setup dialog.
#include "port/port_choice.h"
#include "ui/main_window/workbench.h"

#include <QObject>

#include <optional>
#include <string>

class QDialog;

namespace scanbench {

class BitstreamShifterDialog;
class Engine;
class MainWindow;
class ParallelPortTool;
class PortSignalsWindow;
class SetupDialog;
class UserInteraction;
struct FaultChoice;
struct Settings;

// The main window's port commands and their windows, created once and shown
// when asked: the Parallel Port Signals window, the Parallel Port tool, the
// Bitstream shifter and the Setup dialog, which puts new settings into
// effect (re-opening the port when its device, board or pins change).
class PortTools : public QObject {
    Q_OBJECT
public:
    PortTools(Engine& engine, Workbench bench, UserInteraction& user, MainWindow& window);

    // "Show parallel port signals": the signals window, not modal.
    void ShowPortSignals();
    // "Parallel Port": the tool, modal.
    void RunParallelPort();
    // "Bitstream shifter": a reset, the shifter (modal), a reset.
    void RunBitstreamShifter();
    // "Setup": the dialog, modal; the signals window follows the pins after it.
    void RunSetup();

    // Puts confirmed settings into effect and saves them; false (after
    // telling the user) when the store could not be written.
    bool ApplySettings(const Settings& confirmed);
    // The settings in effect with other faults for the simulated board.
    bool ApplyFaults(const FaultChoice& faults);
    // The simulated board carries `board`, the one the program in the
    // window names, instead of Setup's (nothing: Setup's again), until the
    // next call; the settings stay. While the port is not the simulated
    // board nothing changes until Setup brings it back.
    struct BoardInUse {
        bool Simulated = false; // the port is the simulated board
        bool Changed = false;   // another board than before
        std::string Problem;    // why the board cannot be used (a board file)
    };
    BoardInUse UseProgramBoard(std::optional<BoardChoice> board);

    [[nodiscard]] PortSignalsWindow& SignalsWindow() const { return *Signals; }
    [[nodiscard]] ParallelPortTool& PortTool() const { return *Tool; }
    [[nodiscard]] BitstreamShifterDialog& Shifter() const { return *ShifterWindow; }
    [[nodiscard]] SetupDialog& Setup() const { return *SetupWindow; }

private:
    // A modal tool: the run commands' states are remembered around it and
    // the simulation reset after it, as after the received bitstream viewer.
    void RunModalTool(QDialog& tool, bool resetFirst);
    void ShowPortStatus();

    Engine& Eng;
    Workbench Bench;
    UserInteraction& User;
    MainWindow& Window;
    PortSignalsWindow* Signals = nullptr;
    ParallelPortTool* Tool = nullptr;
    BitstreamShifterDialog* ShifterWindow = nullptr;
    SetupDialog* SetupWindow = nullptr;
    std::optional<BoardChoice> ProgramBoard; // the board the program names, over Setup's
};

} // namespace scanbench
