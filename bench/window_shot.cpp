// Saves a picture of the main window, as a person would see it, for checking
// the layout by eye: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]
// [WINDOW] loads the program, runs STEPS Step-by-Step commands and grabs the
// window; --no-driver shows it as it starts when the port could not be
// opened; a WINDOW option (see Windows below) opens that window through its
// menu item and grabs it instead.

#include "board_window.h"

#include <QApplication>
#include <QTimer>

#include <iostream>

namespace {

// The windows the tool can grab: option, menu item, window object name.
struct WindowShot {
    const char* Option;
    QAction* scanbench::MenuItems::*Item;
    const char* Name;
};
constexpr WindowShot Windows[] = {
    {"--event-list", &scanbench::MenuItems::EventList, "EventList"},
    {"--bitstream-viewer", &scanbench::MenuItems::BitstreamViewer, "Form5"},
};

// Opens the window through its menu item (a modal one runs its own loop)
// and saves its picture once it is on screen.
void GrabWindow(scanbench::MainWindow& main, const WindowShot& shot, const QString& out,
                int& result) {
    QTimer::singleShot(400, &main, [&result, out, shot] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == QLatin1String(shot.Name)) {
                result = window->grab().save(out) ? 0 : 1;
                window->close();
            }
        }
        QApplication::quit();
    });
    (main.Items().*shot.Item)->trigger();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver] "
                     "[--event-list|--bitstream-viewer]\n";
        return 2;
    }
    const int steps = args.size() > 3 ? args[3].toInt() : 0;
    const bool noDriver = args.contains(QStringLiteral("--no-driver"));
    scanbench::bench::BoardWindow bench(args[1], true, !noDriver);
    scanbench::MainWindow& window = *bench.Window;
    window.show();
    int result = 1;
    QTimer::singleShot(600, &window, [&] {
        for (int i = 0; i < steps; ++i) {
            window.Runs().StepByStep();
        }
        window.Runs().HousekeepingTick();
        QApplication::processEvents();
        for (const WindowShot& shot : Windows) {
            if (args.contains(QLatin1String(shot.Option))) {
                GrabWindow(window, shot, args[2], result);
                return;
            }
        }
        result = window.grab().save(args[2]) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
