// Starts Scanbench: the settings are loaded, the port is opened, the engine
// is built and the main window shown; the program runs until the main window
// closes, and the port is released on the way out.

#include "engine/interpreter/result_codes.h"
#include "engine/run/engine.h"
#include "port/open_port.h"
#include "port/port_connection.h"
#include "settings/settings_store.h"
#include "ui/appearance/screen_room.h"
#include "ui/appearance/window_fonts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/standard_interaction.h"
#include "window_logic/main_window/program_session.h"
#include "window_logic/main_window/session_handover.h"
#include "window_logic/views/zoom_scale.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>

#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The application's title, which captions its message boxes.
constexpr const char* ApplicationTitle = "Riveri Vuv Idoz";

// What went wrong with the settings, in the status line after the port's
// report (and on standard error for a window started from a terminal).
void ShowStartNotices(scanbench::Engine& engine, const scanbench::PortConnection& port,
                      const std::vector<std::string>& notices) {
    if (notices.empty()) {
        return;
    }
    std::string text =
        port.Available() ? std::string() : scanbench::PortFailureText(port.Problem());
    for (const std::string& notice : notices) {
        std::cerr << "scanbench: " << notice << "\n";
        text += (text.empty() ? "" : "  ") + notice;
    }
    engine.Display().ShowStatus(text, scanbench::StatusColour::Red);
}

// Memory that runs out in the middle of a command ends that command only:
// the user is told, and the window goes on with what it had. (The engine and
// the file reading catch it where they can put things back themselves.)
class ScanbenchApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            const std::string_view text = scanbench::Status::NotEnoughMemory;
            QMessageBox::critical(
                activeWindow(), QString::fromLatin1(ApplicationTitle),
                QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
            return false;
        }
    }
};

// The scale factor the user set for Qt programs, before the zoom changes it.
constexpr const char* ScaleVariable = "QT_SCALE_FACTOR";

// Starts this program again, detached, with the user's own scale factor, so
// that the new one applies the zoom from the settings on top of it alone.
bool Relaunch(const QStringList& arguments, const QByteArray& userScale, bool userScaleSet) {
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (userScaleSet) {
        environment.insert(QString::fromLatin1(ScaleVariable), QString::fromLocal8Bit(userScale));
    } else {
        environment.remove(QString::fromLatin1(ScaleVariable));
    }
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

// What `scanbench --help` and `scanbench --version` print, answered before
// any window or display is needed; nothing for every other command line.
std::optional<std::string> CommandLineInformation(int argc, char** argv) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view argument(argv[1]);
    if (argument == "--version") {
        return std::string("scanbench ") + SCANBENCH_VERSION + "\n";
    }
    if (argument == "--help" || argument == "-h") {
        return "usage: scanbench [PROGRAM.bst]\n"
               "\nOpens the Scanbench window, with PROGRAM.bst in its editor when given.\n"
               "\nOptions:\n"
               "  -h, --help   show this help and exit\n"
               "  --version    show the version and exit\n";
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    if (const std::optional<std::string> information = CommandLineInformation(argc, argv)) {
        std::cout << *information;
        return std::cout.flush() ? 0 : 2;
    }
    // The zoom scales every window as a whole, crisply, through the toolkit's
    // scale factor, which must be set before the application is made.
    Settings settings;
    const SettingsStore store = SettingsStore::ForCurrentUser();
    std::vector<std::string> notices;
    (void)store.LoadSettings(settings, notices);
    const bool userScaleSet = qEnvironmentVariableIsSet(ScaleVariable);
    const QByteArray userScale = qgetenv(ScaleVariable);
    const auto applyZoom = [&](int zoom) {
        if (zoom == 100 && !userScaleSet) {
            qunsetenv(ScaleVariable);
            return;
        }
        qputenv(ScaleVariable,
                QByteArray::fromStdString(ZoomScaleFactor(
                    zoom, std::string_view(userScale.constData(),
                                           static_cast<std::size_t>(userScale.size())))));
    };
    // No zoom makes a window larger than the screen.
    ZoomChoice zoom;
    const std::unique_ptr<QApplication> application =
        MakeApplicationThatFits(argc, argv, settings.Zoom, ZoomLevels, applyZoom, zoom,
                                [](int& count, char** arguments) -> std::unique_ptr<QApplication> {
                                    return std::make_unique<ScanbenchApplication>(count, arguments);
                                });
    QApplication& app = *application;
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("scanbench"));
    RegisterWindowFonts();

    for (std::string& notice : PortChoiceNotices(settings)) {
        notices.push_back(std::move(notice));
    }
    if (zoom.Fitted()) {
        notices.push_back(ZoomFitNotice(zoom));
    }

    PortConnection port(settings.Port, settings.Pins, settings.Board, {}, settings.Remote);
    (void)port.SetFaults(settings.Faults); // a classroom machine prepared once
    if (settings.Port == PortKind::Board && !port.Access().Problem().empty()) {
        notices.push_back(port.Access().Problem()); // a board file that cannot be used
    }

    Engine engine(port.Signals());
    engine.Switches() = RunSwitches{.ShowZ = settings.ShowZ, .ActiveMode = settings.ActiveMode};

    MainWindowOptions options;
    options.PortAvailable = port.Available();
    options.PortProblem = port.Problem();
    const QStringList arguments = app.arguments();
    if (arguments.value(1) ==
        QString::fromUtf8(HandoverOption.data(), static_cast<qsizetype>(HandoverOption.size()))) {
        options.Handover = arguments.value(2);
    } else {
        options.StartFile = arguments.value(1);
    }
    options.InstallDir = settings.InstallDir;
    options.InstalledDocDir = SCANBENCH_INSTALLED_DOC_DIR;
    options.SourceDocDir = SCANBENCH_SOURCE_DOC_DIR;
    options.ShowSplash = options.Handover.isEmpty(); // a restart shows the window at once
    options.Classroom.Examples = {SCANBENCH_INSTALLED_EXAMPLES_DIR, SCANBENCH_SOURCE_EXAMPLES_DIR};
    options.Boards = {SCANBENCH_INSTALLED_BOARDS_DIR, SCANBENCH_SOURCE_BOARDS_DIR};
    options.Classroom.ShownZoom = zoom.Shown;
    options.Classroom.Relaunch = [userScale, userScaleSet](const QStringList& args) {
        return Relaunch(args, userScale, userScaleSet);
    };

    StandardInteraction user;
    MainWindow window(engine, user, Workbench{settings, store, port}, std::move(options));
    window.show();
    ShowStartNotices(engine, port, notices);
    return QApplication::exec();
}
