// Saves a picture of the main window, as a person would see it, for checking
// the layout by eye: scanbench_window_shot PROGRAM.bst OUT.png [STEPS]
// loads the program, runs STEPS Step-by-Step commands and grabs the window.

#include "board_window.h"

#include <QApplication>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS]\n";
        return 2;
    }
    const int steps = args.size() > 3 ? args[3].toInt() : 0;
    scanbench::bench::BoardWindow bench(args[1]);
    scanbench::MainWindow& window = *bench.Window;
    window.show();
    int result = 1;
    QTimer::singleShot(600, &window, [&] {
        for (int i = 0; i < steps; ++i) {
            window.ToolButton17Click();
        }
        window.Timer2Timer();
        QApplication::processEvents();
        result = window.grab().save(args[2]) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
