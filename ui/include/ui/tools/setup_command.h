#pragma once

// Qt: it owns the Setup dialog.
#include "port/port_choice.h"
#include "ui/main_window/workbench.h"

#include <QObject>

#include <optional>
#include <string>

class QWidget;

namespace scanbench {

class CommandTracker;
class DriverNotice;
class Engine;
class MainWindowModel;
class PortSignalsWindow;
class SetupDialog;
class UserInteraction;
struct FaultChoice;
struct Settings;

// What Setup works with: the engine's switches and status line, the window's
// model, the driver notice in the menu bar and the port signals window that
// follows the pins.
struct SetupParts {
    Engine& Eng;
    CommandTracker& Commands;
    MainWindowModel& Model;
    DriverNotice& Notice;
    PortSignalsWindow& Signals;
    UserInteraction& User;
};

// "Setup": the dialog, modal, and the settings it confirms put into effect
// (re-opening the port when its device, board or pins change) and saved.
class SetupCommand : public QObject {
    Q_OBJECT
public:
    SetupCommand(Workbench bench, SetupParts parts, QWidget& parent);

    // The dialog; the signals window follows the pins after it.
    void Run();
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

    [[nodiscard]] SetupDialog& Dialog() const { return *Window; }

private:
    void ShowPortStatus();

    Workbench Bench;
    SetupParts Parts;
    SetupDialog* Window = nullptr;
    std::optional<BoardChoice> ProgramBoard; // the board the program names, over Setup's
};

} // namespace scanbench
