// Starts Scanbench: the settings are loaded, the port is opened, the engine
// is built and the main window shown; the program runs until the main window
// closes, and the port is released on the way out.

#include "engine/engine.h"
#include "engine/reporter_relay.h"
#include "engine/result_codes.h"
#include "port/open_port.h"
#include "port/port_connection.h"
#include "settings/settings_store.h"
#include "ui/main_window.h"
#include "ui/standard_interaction.h"
#include "ui/window_fonts.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

namespace {

// The application's title, which captions its message boxes.
constexpr const char* ApplicationTitle = "Riveri Vuv Idoz";

// What went wrong with the settings, in the status line after the port's
// report (and on standard error for a window started from a terminal).
void ShowStartNotices(scanbench::Engine& engine, bool portAvailable,
                      const std::vector<std::string>& notices) {
    if (notices.empty()) {
        return;
    }
    std::string text = portAvailable ? std::string() : std::string(scanbench::Status::DriverFailed);
    for (const std::string& notice : notices) {
        std::cerr << "scanbench: " << notice << "\n";
        text += (text.empty() ? "" : "  ") + notice;
    }
    engine.Display().ShowStatus(text, scanbench::StatusColour::Red);
}

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("scanbench"));
    RegisterWindowFonts();

    Settings settings;
    const SettingsStore store = SettingsStore::ForCurrentUser();
    std::vector<std::string> notices;
    (void)store.LoadSettings(settings, notices);
    for (std::string& notice : PortChoiceNotices(settings)) {
        notices.push_back(std::move(notice));
    }

    PortConnection port(settings.Port, settings.Pins, settings.Board, {}, settings.Remote);

    ReporterRelay reporter;
    Engine engine(reporter, port.Signals());
    engine.Switches() = RunSwitches{.SpeedRun = settings.SpeedRun,
                                    .ShowZ = settings.ShowZ,
                                    .ActiveMode = settings.ActiveMode,
                                    .RefreshWindows = true};

    MainWindowOptions options;
    options.PortAvailable = port.Available();
    options.StartFile = app.arguments().value(1);
    options.InstallDir = settings.InstallDir;
    options.InstalledDocDir = SCANBENCH_INSTALLED_DOC_DIR;
    options.SourceDocDir = SCANBENCH_SOURCE_DOC_DIR;
    options.ShowSplash = true;

    StandardInteraction user;
    MainWindow window(engine, reporter, user, Workbench{settings, store, port}, std::move(options));
    window.show();
    ShowStartNotices(engine, port.Available(), notices);
    return QApplication::exec();
}
