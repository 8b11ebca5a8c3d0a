// Saves a picture of the main window, as a person would see it, for checking
// the layout by eye: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]
// loads the program, runs STEPS Step-by-Step commands and grabs the window;
// --no-driver shows it as it starts when the port could not be opened.

#include "board_window.h"

#include <QApplication>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]\n";
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
        result = window.grab().save(args[2]) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
