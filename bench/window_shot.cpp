// Saves a picture of a window, as a person would see it, for checking the
// layout by eye:
//   scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver] [--window NAME]
// loads the program, runs STEPS Step-by-Step commands and grabs the window;
// --no-driver shows the main window as it starts when the port could not be
// opened; --window opens another window from its menu item (modal ones run
// their own loop) and grabs that one instead. NAME is one of the Shots below.

#include "board_window.h"
#include "ui/bitstream_shifter_dialog.h"
#include "ui/parallel_port_tool.h"
#include "ui/port_signals_window.h"
#include "ui/port_tools.h"
#include "ui/setup_dialog.h"
#include "ui/waveform_window.h"

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

// A window the tool can grab: how to open it and its object name.
struct Shot {
    std::function<void(MainWindow&)> Open;
    const char* Name;
};

std::function<void(MainWindow&)> Trigger(QAction* scanbench::MenuItems::*item) {
    return [item](MainWindow& w) { (w.Items().*item)->trigger(); };
}

const std::map<QString, Shot>& Shots() {
    using scanbench::MenuItems;
    static const std::map<QString, Shot> shots{
        {QStringLiteral("main"), {[](MainWindow&) {}, "Form1"}},
        {QStringLiteral("states"), {Trigger(&MenuItems::StateDiagram), "Form2"}},
        {QStringLiteral("waves"), {Trigger(&MenuItems::Waveforms), "Form3"}},
        {QStringLiteral("waves-sync"),
         {[](MainWindow& w) {
              w.Items().Waveforms->trigger();
              w.Waveforms().SetShowSync(true);
          },
          "Form3"}},
        {QStringLiteral("event-list"), {Trigger(&MenuItems::EventList), "EventList"}},
        {QStringLiteral("bitstream-viewer"), {Trigger(&MenuItems::BitstreamViewer), "Form5"}},
        {QStringLiteral("port-signals"),
         {[](MainWindow& w) { w.Ports().SignalsWindow().show(); }, "Mostra_Porta_Paralela"}},
        {QStringLiteral("parallel-port"),
         {[](MainWindow& w) {
              scanbench::ParallelPortTool& tool = w.Ports().PortTool();
              tool.TmsBox(0).setChecked(true);
              tool.TxBox(1).setChecked(true);
              tool.show();
          },
          "ParPort"}},
        {QStringLiteral("shifter"),
         {[](MainWindow& w) {
              scanbench::BitstreamShifterDialog& shifter = w.Ports().Shifter();
              shifter.show();
              shifter.ResetTap();
              shifter.DestinationButton(scanbench::ShifterDestination::ShiftDr).setChecked(true);
              shifter.MoveToDestination();
              shifter.TxField(0).setText(QStringLiteral("1011000111010010"));
              shifter.ShiftBits();
          },
          "BitStreamShifter"}},
        {QStringLiteral("setup"), {[](MainWindow& w) { w.Ports().Setup().show(); }, "CfgForm"}},
    };
    return shots;
}

QString Names() {
    QStringList names;
    for (const auto& [name, shot] : Shots()) {
        names << name;
    }
    return names.join(QLatin1Char('|'));
}

// Grabs the visible top-level window called `name` once the events queued
// so far are handled, and ends the program.
void GrabSoon(const char* name, const QString& out, int& result) {
    QTimer::singleShot(400, [name, out, &result] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == QLatin1String(name)) {
                result = window->grab().save(out) ? 0 : 1;
                if (window->objectName() != QLatin1String("Form1")) {
                    window->close();
                }
            }
        }
        QApplication::quit();
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype windowArg = args.indexOf(QStringLiteral("--window"));
    const QString name = windowArg > 0 ? args.value(windowArg + 1) : QStringLiteral("main");
    if (args.size() < 3 || !Shots().contains(name)) {
        std::cerr << "usage: scanbench_window_shot PROGRAM.bst OUT.png [STEPS] [--no-driver]"
                     " [--window "
                  << Names().toStdString() << "]\n";
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
        const Shot& shot = Shots().at(name);
        GrabSoon(shot.Name, args[2], result);
        shot.Open(window);
    });
    QApplication::exec();
    return result;
}
