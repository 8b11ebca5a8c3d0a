// Saves a picture of the main window, as a person would see it, for checking
// the layout by eye:
//   scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver] [--window NAME]
// loads the program, runs STEPS Step-by-Step commands and grabs the window;
// --no-driver shows it as it starts when the port could not be opened;
// --window grabs one of the other windows instead (see Windows below).

#include "board_window.h"
#include "ui/bitstream_shifter_dialog.h"
#include "ui/parallel_port_tool.h"
#include "ui/port_signals_window.h"
#include "ui/port_tools.h"
#include "ui/setup_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <iostream>
#include <map>

namespace {

using scanbench::MainWindow;

// The windows --window can grab: each is shown (not modally) and set up as
// a person might have left it.
const std::map<QString, std::function<QWidget&(MainWindow&)>> Windows{
    {QStringLiteral("port-signals"),
     [](MainWindow& w) -> QWidget& { return w.Ports().SignalsWindow(); }},
    {QStringLiteral("parallel-port"),
     [](MainWindow& w) -> QWidget& {
         scanbench::ParallelPortTool& tool = w.Ports().PortTool();
         tool.TmsBox(0).setChecked(true);
         tool.TxBox(1).setChecked(true);
         return tool;
     }},
    {QStringLiteral("shifter"),
     [](MainWindow& w) -> QWidget& {
         scanbench::BitstreamShifterDialog& shifter = w.Ports().Shifter();
         shifter.show();
         shifter.ResetTap();
         shifter.DestinationButton(scanbench::ShifterDestination::ShiftDr).setChecked(true);
         shifter.MoveToDestination();
         shifter.TxField(0).setText(QStringLiteral("1011000111010010"));
         shifter.ShiftBits();
         return shifter;
     }},
    {QStringLiteral("setup"), [](MainWindow& w) -> QWidget& { return w.Ports().Setup(); }},
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype windowOption = args.indexOf(QStringLiteral("--window"));
    const QString windowName = windowOption > 0 ? args.value(windowOption + 1) : QString();
    if (args.size() < 3 || (windowOption > 0 && !Windows.contains(windowName))) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]"
                     " [--window port-signals|parallel-port|shifter|setup]\n";
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
        QWidget* shown = &window;
        if (!windowName.isEmpty()) {
            shown = &Windows.at(windowName)(window);
            shown->show();
        }
        QTimer::singleShot(300, &window, [&result, shown, &args] {
            QApplication::processEvents();
            result = shown->grab().save(args[2]) ? 0 : 1;
            QApplication::quit();
        });
    });
    QApplication::exec();
    return result;
}
