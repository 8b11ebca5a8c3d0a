#pragma once

// Qt: it owns the Setup dialog.
#include "ui/main_window/workbench.h"

#include <QObject>

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

    [[nodiscard]] SetupDialog& Dialog() const { return *Window; }

private:
    void ShowPortStatus();

    Workbench Bench;
    SetupParts Parts;
    SetupDialog* Window = nullptr;
};

} // namespace scanbench
