// Speed Run in the main window against the headless runner, measured in
// pairs on the same board and the same program. Not a test.
//
//   scanbench_gui_speedrun_bench [--runner PATH] [--rounds N] [--views-closed]
//                                [--log [ROUNDS]] [PROGRAM.bst]
//
// Without a program it runs a 10,000,000-bit shift (20,000,024 events). Each
// round times one whole Speed Run in the window, from the command to the
// paint that shows where it ended, with every view window open (state
// diagrams, waveforms, event list, port signals, simulated board; with
// --views-closed none of them), and the longest time the main window went
// without painting meanwhile. With --runner each round also times one whole
// `scanbench-run` process on the program, told the window's board, port and
// history settings and given an empty settings folder, so that both sides
// simulate the same board. It reports the medians of the rounds (default 5),
// on the clock and in processor time. --log then compares Speed Runs with the
// Messages window closed and open, in turns.

#include "bench_support.h"
#include "board_window.h"
#include "port/port_choice.h"
#include "ui/tools/messages_tool.h"
#include "ui/views/event_list_window.h"
#include "ui/views/messages_window.h"
#include "ui/views/port_signals_window.h"
#include "ui/views/simulated_board_window.h"
#include "ui/views/state_diagram_window.h"
#include "ui/views/waveform_window.h"

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
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* ShiftProgram = "RST;\n"
                                     "STATE DRSHIFT;\n"
                                     "LD CNT,10000000d;\n"
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

// Processor seconds (user and system) of the finished child processes.
double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// One timed run: seconds on the clock and of the processor.
struct Timing {
    double Seconds = -1;
    double CpuSeconds = -1;
};

// The runner told to simulate what the window simulates.
struct RunnerCall {
    QString Path;
    QStringList Arguments;
    QProcessEnvironment Environment;
};

RunnerCall SameBoardRunner(const QString& runner, const scanbench::Settings& values,
                           const QString& program, const QString& emptyFolder) {
    const auto name = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    QStringList arguments{QStringLiteral("--port"), name(scanbench::PortKindName(values.Port)),
                          QStringLiteral("--active-mode"),
                          values.ActiveMode ? QStringLiteral("on") : QStringLiteral("off"),
                          QStringLiteral("--board")};
    arguments << (values.Board.Kind == scanbench::BoardKind::File
                      ? QString::fromStdString(values.Board.File)
                      : name(scanbench::BoardKindName(values.Board.Kind)));
    arguments << program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), emptyFolder);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), emptyFolder);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), emptyFolder);
    return {runner, arguments, environment};
}

// One whole runner process, or a negative time when it failed.
Timing TimeRunner(const RunnerCall& call) {
    QProcess process;
    process.setProcessEnvironment(call.Environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpuBefore = ChildCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    process.start(call.Path, call.Arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        return {};
    }
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return {seconds, ChildCpuSeconds() - cpuBefore};
}

// Starts a Speed Run and lets the event loop play its slices until it ends,
// then paints what it ended in.
void SpeedRunToTheEnd(scanbench::MainWindow& window) {
    window.Runs().SpeedRun();
    while (window.Runs().Running()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();
}

// The view windows of the main window.
std::vector<QWidget*> ViewWindows(scanbench::MainWindow& window) {
    return {&window.StateDiagrams(), &window.Waveforms(), &window.EventList(),
            &window.PortSignals(), &window.SimulatedBoard()};
}

// Shows or hides `windows` and lets them paint.
void SetOpen(const std::vector<QWidget*>& windows, bool open) {
    for (QWidget* view : windows) {
        view->setVisible(open);
    }
    QApplication::processEvents();
}

// One Speed Run of the window from a reset, and the longest gap between two
// paints of the main window during it.
struct WindowRun {
    Timing Time;
    Clock::duration LongestGap{};
    std::size_t Paints = 0;
    // Where gaps over 50 ms began, in ms after the command, and how long they were.
    std::vector<std::pair<double, double>> LongGaps;
};

WindowRun TimeWindowRun(scanbench::MainWindow& window, PaintClock& paints) {
    window.Runs().Reset();
    QApplication::processEvents();
    paints.Paints.clear();
    paints.Recording = true;
    const std::clock_t cpuStart = std::clock();
    const Clock::time_point start = Clock::now();
    SpeedRunToTheEnd(window);
    const Clock::time_point end = Clock::now();
    const std::clock_t cpuEnd = std::clock();
    paints.Recording = false;
    WindowRun run;
    run.Time = {std::chrono::duration<double>(end - start).count(),
                static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC};
    Clock::time_point last = start;
    paints.Paints.push_back(end);
    for (const Clock::time_point paint : paints.Paints) {
        if (paint - last > std::chrono::milliseconds(50)) {
            run.LongGaps.emplace_back(Milliseconds(last - start), Milliseconds(paint - last));
        }
        run.LongestGap = std::max(run.LongestGap, paint - last);
        last = paint;
    }
    paints.Paints.pop_back();
    run.Paints = paints.Paints.size();
    return run;
}

// Speed Run with `windows` closed and open, in turns; what to print.
std::string CompareOpenClosed(scanbench::bench::BoardWindow& bench, PaintClock& paints, int rounds,
                              const std::vector<QWidget*>& windows, const std::string& name) {
    std::vector<double> closed;
    std::vector<double> open;
    for (int i = 0; i < rounds; ++i) {
        SetOpen(windows, false);
        closed.push_back(TimeWindowRun(*bench.Window, paints).Time.Seconds);
        SetOpen(windows, true);
        open.push_back(TimeWindowRun(*bench.Window, paints).Time.Seconds);
    }
    SetOpen(windows, false);
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

// The number after an option such as --log: its number, or 5.
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

// Whether the next argument is `option`; takes it if so.
bool TakeFlag(QStringList& args, const char* option) {
    if (args.isEmpty() || args[0] != QLatin1String(option)) {
        return false;
    }
    args = args.mid(1);
    return true;
}

template <typename Field>
double MedianOf(const std::vector<Timing>& timings, Field field) {
    std::vector<double> values;
    for (const Timing& t : timings) {
        values.push_back(t.*field);
    }
    return scanbench::bench::Median(values);
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
    const int rounds = std::max(1, TakeRounds(args, "--rounds"));
    const bool viewsClosed = TakeFlag(args, "--views-closed");
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
    QTemporaryDir emptySettings;

    scanbench::bench::BoardWindow bench(program);
    scanbench::MainWindow& window = *bench.Window;
    PaintClock paints(window);
    app.installEventFilter(&paints);
    window.show();
    const RunnerCall runnerCall =
        SameBoardRunner(runner, bench.Values, program, emptySettings.path());

    std::vector<Timing> windowTimes;
    std::vector<Timing> runnerTimes;
    std::vector<double> ratios;
    std::vector<double> gaps;
    std::size_t paintCount = 0;
    std::string withLog;
    std::ostringstream longGaps;
    bool runnerFailed = false;
    QTimer::singleShot(500, &window, [&] {
        window.Waveforms().SetShowSync(true);
        SetOpen(ViewWindows(window), !viewsClosed);
        for (int i = 0; i < rounds; ++i) {
            if (!runner.isEmpty()) {
                const Timing headless = TimeRunner(runnerCall);
                runnerFailed = runnerFailed || headless.Seconds < 0;
                runnerTimes.push_back(headless);
            }
            const WindowRun run = TimeWindowRun(window, paints);
            windowTimes.push_back(run.Time);
            gaps.push_back(Milliseconds(run.LongestGap));
            paintCount = run.Paints;
            for (const auto& [at, length] : run.LongGaps) {
                longGaps << "  round " << i + 1 << ": " << length << " ms from " << at << " ms\n";
            }
            if (!runner.isEmpty()) {
                ratios.push_back(runnerTimes.back().Seconds / run.Time.Seconds);
            }
        }
        SetOpen(ViewWindows(window), false);
        if (logRounds > 0) {
            withLog =
                CompareOpenClosed(bench, paints, logRounds, {&window.Messages().View()}, "log");
        }
        QApplication::quit();
    });
    QApplication::exec();

    const auto events = static_cast<double>(bench.Eng.Events().PlayedCount());
    const double windowSeconds = MedianOf(windowTimes, &Timing::Seconds);
    std::cout << "program:                  " << program.toStdString() << "\n"
              << "status:                   "
              << (bench.Eng.State().Run.ProgramEnded ? "ended" : "not ended") << "\n"
              << "events played:            " << events << "\n"
              << "view windows:             " << (viewsClosed ? "closed" : "all open") << "\n"
              << "rounds:                   " << rounds << "\n"
              << "window Speed Run, median: " << windowSeconds << " s ("
              << MedianOf(windowTimes, &Timing::CpuSeconds) << " s processor), "
              << events / windowSeconds / 1e6 << " million events/s\n"
              << "longest gap in painting:  median " << scanbench::bench::Median(gaps)
              << " ms, worst " << *std::max_element(gaps.begin(), gaps.end()) << " ms\n"
              << "gaps over 50 ms:\n"
              << longGaps.str() << "paint events, last run:   " << paintCount << "\n"
              << "widgets painted:         ";
    for (const auto& [name, count] : paints.Painted) {
        std::cout << " " << name.toStdString() << " " << count;
    }
    std::cout << "\n";
    if (runnerFailed) {
        std::cout << "headless runner:          failed\n";
    } else if (!runner.isEmpty()) {
        const double runnerSeconds = MedianOf(runnerTimes, &Timing::Seconds);
        const double runnerCpu = MedianOf(runnerTimes, &Timing::CpuSeconds);
        std::cout << "runner arguments:         "
                  << runnerCall.Arguments.join(QLatin1Char(' ')).toStdString() << "\n"
                  << "headless runner, median:  " << runnerSeconds << " s (" << runnerCpu
                  << " s processor), whole process\n"
                  << "window / runner speed:    median of pairs "
                  << scanbench::bench::Median(ratios) << ", of medians "
                  << runnerSeconds / windowSeconds << ", processor "
                  << runnerCpu / MedianOf(windowTimes, &Timing::CpuSeconds) << "\n";
    }
    std::cout << withLog;
    return 0;
}
