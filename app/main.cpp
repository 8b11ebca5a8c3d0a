// Starts Scanbench: the settings are loaded, the port is opened, the engine
// is built and the main window shown; the program runs until the main window
// closes, and the port is released on the way out.

#include "engine/engine.h"
#include "engine/reporter_relay.h"
#include "port/open_port.h"
#include "port/port_signals.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/standard_interaction.h"

#include <QApplication>

namespace {

// The application's title, which captions its message boxes.
constexpr const char* ApplicationTitle = "Riveri Vuv Idoz";

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("scanbench"));

    Settings settings;
    (void)SettingsStore::ForCurrentUser().LoadSettings(settings);

    const std::unique_ptr<PortAccess> port = OpenPort(settings.Port, settings.Pins, settings.Board);
    const bool portAvailable = port->DriverAvailable();
    port->SetDirectAccess(true);
    PortSignals portSignals(*port, settings.Pins);

    ReporterRelay reporter;
    Engine engine(reporter, portSignals);
    engine.Switches() = RunSwitches{.SpeedRun = settings.SpeedRun,
                                    .ShowZ = settings.ShowZ,
                                    .ActiveMode = settings.ActiveMode,
                                    .RefreshWindows = true};

    MainWindowOptions options;
    options.PortAvailable = portAvailable;
    options.StartFile = app.arguments().value(1);
    options.InstallDir = settings.InstallDir;
    options.InstalledDocDir = SCANBENCH_INSTALLED_DOC_DIR;
    options.SourceDocDir = SCANBENCH_SOURCE_DOC_DIR;
    options.ShowSplash = true;

    StandardInteraction user;
    MainWindow window(engine, reporter, user, std::move(options));
    window.show();
    return QApplication::exec();
}
