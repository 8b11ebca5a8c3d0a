// The view windows' drawing, measured: one waveform redraw and one state
// diagram update, as medians over many, alone and with the painting of what
// they changed on the screen. Not a test.
//
//   scanbench_view_bench [REPEATS]
//
// It runs a 1,000,000-bit shift (2,000,024 events) to its end, opens the
// state diagram and waveform windows (sync channels shown) and times
// REPEATS (default 2000) of each at different places of the run. Run it
// again with QT_SCALE_FACTOR=2 for a desktop scaled to 200 %.

#include "bench_support.h"
#include "board_window.h"
#include "ui/views/state_diagram_window.h"
#include "ui/views/waveform_window.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <iostream>
#include <vector>

namespace {

using scanbench::bench::Median;
using scanbench::bench::Seconds;

constexpr const char* ShiftProgram = "RST;\n"
                                     "STATE DRSHIFT;\n"
                                     "LD CNT,1000000d;\n"
                                     "NSHF A5A5h;\n"
                                     "HALT;\n";

// Median and largest of a set of times, in milliseconds.
void Report(const char* what, std::vector<double> seconds) {
    const double largest = *std::max_element(seconds.begin(), seconds.end());
    std::cout << what << Median(seconds) * 1e3 << " ms median, " << largest * 1e3
              << " ms largest\n";
}

void Measure(scanbench::bench::BoardWindow& bench, int repeats) {
    scanbench::MainWindow& window = *bench.Window;
    window.Runs().SpeedRun();
    window.Items().StateDiagram->trigger();
    window.Items().Waveforms->trigger();
    scanbench::WaveformWindow& waves = window.Waveforms();
    waves.SetShowSync(true);
    QApplication::processEvents();
    const int maximum = waves.ScrollBar().maximum();
    std::cout << "events in the store:     " << bench.Eng.Events().EventCount() << "\n"
              << "device pixel ratio:      " << waves.devicePixelRatioF() << "\n";

    // Each redraw at another place of the run (the scroll bar's redraw: the
    // work of a refresh that finds new traces to show).
    const auto place = [&](int i) {
        waves.ScrollBar().setValue(static_cast<int>((i * 7919LL) % (maximum + 1)));
    };
    std::vector<double> refresh;
    std::vector<double> refreshShown;
    for (int i = 0; i < repeats; ++i) {
        refresh.push_back(Seconds([&] { place(2 * i); }));
        QApplication::processEvents();
        refreshShown.push_back(Seconds([&] {
            place(2 * i + 1);
            QApplication::processEvents();
        }));
    }
    Report("waveform redraw:         ", refresh);
    Report("  painted on the screen: ", refreshShown);

    // Steps that move both highlights every time: TAP 0 round the DR column,
    // TAP 1 between Test-Logic-Reset and Run-Test/Idle.
    const int pattern[] = {0, 1, 0, 0, 1, 0, 1, 1};
    std::vector<double> update;
    std::vector<double> updateShown;
    for (int i = 0; i < repeats; ++i) {
        const auto tms = static_cast<std::uint8_t>(pattern[i % 8]);
        update.push_back(Seconds([&] { bench.Eng.Taps().Step(0, tms); }));
        updateShown.push_back(Seconds([&] {
            bench.Eng.Taps().Step(1, static_cast<std::uint8_t>(i % 2));
            QApplication::processEvents();
        }));
    }
    Report("state diagram update:    ", update);
    Report("  painted on the screen: ", updateShown);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int repeats = std::max(1, app.arguments().value(1, QStringLiteral("2000")).toInt());
    QTemporaryDir scratch;
    const QString program = scratch.filePath(QStringLiteral("shift.bst"));
    QFile file(program);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    file.write(ShiftProgram);
    file.close();

    scanbench::bench::BoardWindow bench(program);
    bench.Window->show();
    QTimer::singleShot(600, bench.Window.get(), [&] {
        Measure(bench, repeats);
        QApplication::quit();
    });
    return QApplication::exec();
}
