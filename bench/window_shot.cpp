// Saves a picture of a window, as a person would see it, for checking the
// layout by eye:
//   scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver] [--window NAME]
// loads the program, runs STEPS Step-by-Step commands and grabs the window;
// --no-driver shows the main window as it starts when the port could not be
// opened; --window grabs another window, opened from its menu item: "states"
// (the state diagrams), "waves" (the waveforms), "waves-sync" (the waveforms
// with the sync channels).

#include "board_window.h"
#include "ui/state_diagram_window.h"
#include "ui/waveform_window.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <iostream>
#include <map>

namespace {

using scanbench::MainWindow;

// Opens a window and returns it, ready to be grabbed.
using Opener = std::function<QWidget&(MainWindow&)>;

const std::map<QString, Opener>& Windows() {
    static const std::map<QString, Opener> windows{
        {QStringLiteral("main"), [](MainWindow& w) -> QWidget& { return w; }},
        {QStringLiteral("states"),
         [](MainWindow& w) -> QWidget& {
             w.Items().StateDiagram->trigger();
             return w.StateDiagrams();
         }},
        {QStringLiteral("waves"),
         [](MainWindow& w) -> QWidget& {
             w.Items().Waveforms->trigger();
             return w.Waveforms();
         }},
        {QStringLiteral("waves-sync"),
         [](MainWindow& w) -> QWidget& {
             w.Items().Waveforms->trigger();
             w.Waveforms().SetShowSync(true);
             return w.Waveforms();
         }},
    };
    return windows;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype windowArg = args.indexOf(QStringLiteral("--window"));
    const QString name = windowArg > 0 ? args.value(windowArg + 1) : QStringLiteral("main");
    if (args.size() < 3 || !Windows().contains(name)) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]"
                     " [--window main|states|waves|waves-sync]\n";
        return 2;
    }
    const int steps = args.size() > 3 ? args[3].toInt() : 0;
    const bool noDriver = args.contains(QStringLiteral("--no-driver"));
    scanbench::bench::BoardWindow bench(args[1], true, !noDriver);
    MainWindow& window = *bench.Window;
    window.show();
    int result = 1;
    QTimer::singleShot(600, &window, [&] {
        for (int i = 0; i < steps; ++i) {
            window.Runs().StepByStep();
        }
        window.Runs().HousekeepingTick();
        QWidget& shown = Windows().at(name)(window);
        QApplication::processEvents();
        result = shown.grab().save(args[2]) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
