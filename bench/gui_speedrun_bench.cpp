// Speed Run in the main window, measured: events per second and the longest
// time the window went without painting while the run was on. Not a test.
//
//   scanbench_gui_speedrun_bench [--runner PATH] [--views [ROUNDS]] [--log [ROUNDS]]
//                                [PROGRAM.bst]
//
// Without a program it runs a 1,000,000-bit shift (2,000,024 events). With
// --runner it also times the headless runner on the same program. With
// --views it then runs ROUNDS (default 5) more Speed Runs with the view
// windows closed and as many with them open, in turns, and reports the
// medians and their ratio. --log does the same with the Messages window.

#include "bench_support.h"
#include "board_window.h"
#include "ui/classroom_tools.h"
#include "ui/messages_window.h"
#include "ui/simulated_board_window.h"
#include "ui/state_diagram_window.h"
#include "ui/waveform_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* ShiftProgram = "RST;\n"
                                     "STATE DRSHIFT;\n"
                                     "LD CNT,1000000d;\n"
                                     "NSHF A5A5h;\n"
                                     "HALT;\n";

// Notes when any widget of one window paints.
class PaintClock : public QObject {
public:
    explicit PaintClock(const QWidget& window) : Window(window) {}
    std::vector<Clock::time_point> Paints;
    std::map<QString, int> Painted; // paint events per widget name
    bool Recording = false;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (Recording && event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == &Window) {
            Paints.push_back(Clock::now());
            ++Painted[object->objectName().isEmpty()
                          ? QString::fromLatin1(object->metaObject()->className())
                          : object->objectName()];
        }
        return false;
    }

private:
    const QWidget& Window;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Seconds the headless runner takes for the program, or a negative number.
double TimeRunner(const QString& runner, const QString& program) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(runner, {QStringLiteral("--board"), QStringLiteral("loopback"),
                           QStringLiteral("--port"), QStringLiteral("board"), program});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        return -1;
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// Starts a Speed Run and lets the event loop play its slices until it ends.
void SpeedRunToTheEnd(scanbench::MainWindow& window) {
    window.Runs().SpeedRun();
    while (window.Runs().Running()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The view windows of the main window.
std::vector<QWidget*> ViewWindows(scanbench::MainWindow& window) {
    return {&window.StateDiagrams(), &window.Waveforms(), &window.SimulatedBoard()};
}

// Seconds of one Speed Run from a reset, with `windows` open or closed.
double TimedSpeedRun(scanbench::bench::BoardWindow& bench, const std::vector<QWidget*>& windows,
                     bool open) {
    scanbench::MainWindow& window = *bench.Window;
    window.Runs().Reset();
    for (QWidget* view : windows) {
        view->setVisible(open);
    }
    QApplication::processEvents();
    const double seconds = scanbench::bench::Seconds([&] { SpeedRunToTheEnd(window); });
    QApplication::processEvents();
    return seconds;
}

// Speed Run with `windows` closed and open, in turns; what to print.
std::string CompareOpenClosed(scanbench::bench::BoardWindow& bench, int rounds,
                              const std::vector<QWidget*>& windows, const std::string& name) {
    std::vector<double> closed;
    std::vector<double> open;
    for (int i = 0; i < rounds; ++i) {
        closed.push_back(TimedSpeedRun(bench, windows, false));
        open.push_back(TimedSpeedRun(bench, windows, true));
    }
    const double events = bench.Eng.Events().PlayedCount();
    const double closedMedian = scanbench::bench::Median(closed);
    const double openMedian = scanbench::bench::Median(open);
    std::ostringstream out;
    out << name << " closed, median of " << rounds << ": " << closedMedian << " s, "
        << events / closedMedian / 1e6 << " million events/s\n"
        << name << " open, median of " << rounds << ":   " << openMedian << " s, "
        << events / openMedian / 1e6 << " million events/s\n"
        << name << " speed open / closed:       " << closedMedian / openMedian << "\n";
    return out.str();
}

// The rounds after an option such as --views: its number, or 5.
int TakeRounds(QStringList& args, const char* option) {
    if (args.isEmpty() || args[0] != QLatin1String(option)) {
        return 0;
    }
    args = args.mid(1);
    bool number = false;
    const int rounds = args.value(0).toInt(&number);
    if (number) {
        args = args.mid(1);
        return rounds;
    }
    return 5;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString runner;
    if (args.size() >= 2 && args[0] == QLatin1String("--runner")) {
        runner = args[1];
        args = args.mid(2);
    }
    const int viewRounds = TakeRounds(args, "--views");
    const int logRounds = TakeRounds(args, "--log");
    QTemporaryDir scratch;
    QString program = args.value(0);
    if (program.isEmpty()) {
        program = scratch.filePath(QStringLiteral("shift.bst"));
        QFile file(program);
        if (!file.open(QIODevice::WriteOnly)) {
            return 1;
        }
        file.write(ShiftProgram);
    }

    scanbench::bench::BoardWindow bench(program);
    scanbench::MainWindow& window = *bench.Window;
    PaintClock paints(window);
    app.installEventFilter(&paints);
    window.show();

    std::string withViews;
    double seconds = 0;
    Clock::duration longestGap{};
    std::size_t paintCount = 0;
    QTimer::singleShot(500, &window, [&] {
        paints.Recording = true;
        const Clock::time_point start = Clock::now();
        SpeedRunToTheEnd(window);
        const Clock::time_point end = Clock::now();
        paints.Recording = false;
        seconds = std::chrono::duration<double>(end - start).count();
        Clock::time_point last = start;
        for (const Clock::time_point paint : paints.Paints) {
            longestGap = std::max(longestGap, paint - last);
            last = paint;
        }
        longestGap = std::max(longestGap, end - last);
        paintCount = paints.Paints.size();
        if (viewRounds > 0) {
            window.Waveforms().SetShowSync(true);
            withViews = CompareOpenClosed(bench, viewRounds, ViewWindows(window), "views");
        }
        if (logRounds > 0) {
            withViews +=
                CompareOpenClosed(bench, logRounds, {&window.Classroom().MessageView()}, "log");
        }
        QApplication::quit();
    });
    QApplication::exec();

    const auto events = bench.Eng.Events().PlayedCount();
    const double rate = events / seconds;
    std::cout << "program:                 " << program.toStdString() << "\n"
              << "status:                  "
              << (bench.Eng.State().Run.ProgramEnded ? "ended" : "not ended") << "\n"
              << "events played:           " << events << "\n"
              << "GUI Speed Run:           " << seconds << " s, " << rate / 1e6
              << " million events/s\n"
              << "paint events in the run: " << paintCount << "\n"
              << "longest gap in painting: " << Milliseconds(longestGap) << " ms\n"
              << "widgets painted:        ";
    for (const auto& [name, count] : paints.Painted) {
        std::cout << " " << name.toStdString() << " " << count;
    }
    std::cout << "\n" << withViews;
    if (!runner.isEmpty()) {
        const double runnerSeconds = TimeRunner(runner, program);
        if (runnerSeconds > 0) {
            std::cout << "headless runner:         " << runnerSeconds << " s, "
                      << events / runnerSeconds / 1e6 << " million events/s (whole process)\n"
                      << "GUI / runner:            " << runnerSeconds / seconds << "\n";
        } else {
            std::cout << "headless runner:         failed\n";
        }
    }
    return 0;
}
