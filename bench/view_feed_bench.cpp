// What views following a Speed Run cost: the same run with no listener and
// with two idle listeners subscribed to the engine's view feed, in turn, on
// the simulated loopback board. Prints the median times, their ratio and the
// refreshes each listener received. Not a test.
//
//   scanbench_view_feed_bench [bits] [pairs]   (defaults: 10,000,000 bits, 5 pairs)
#include "bench_support.h"
#include "engine/feed/engine_listener.h"
#include "engine/run/engine.h"
#include "port/open_port.h"
#include "port/port_signals.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace scanbench;

// A view that only counts what it is told.
class IdleView : public ViewListener {
public:
    void RefreshView(ViewChanges) override { ++Refreshes; }
    long Refreshes = 0;
};

struct RunResult {
    double Seconds = 0;
    std::uint32_t Events = 0;
    long Refreshes = 0;
};

RunResult SpeedRun(const std::string& program, int listeners) {
    const auto port = OpenPort(PortKind::Board, PinSettings{}, BoardKind::Loopback);
    PortSignals pins(*port, PinSettings{});
    Engine engine(pins);
    StringProgramText text(program);
    engine.SetProgram(text);
    engine.OpenProgram();

    IdleView first;
    IdleView second;
    std::optional<ViewFeed::Subscription> a;
    std::optional<ViewFeed::Subscription> b;
    if (listeners > 0) {
        a.emplace(engine.Views().Subscribe(first));
        b.emplace(engine.Views().Subscribe(second));
    }
    RunResult result;
    // As the window plays a Speed Run: slices of a frame, each a command.
    result.Seconds = bench::Seconds([&] {
        engine.Run().SetContinuous(true);
        RunSlice slice{.Goal = RunGoal::End,
                       .StopsAtBreakpoints = true,
                       .PlaysOnAfterEnd = true,
                       .MaxTime = std::chrono::milliseconds(16)};
        for (bool ended = false; !ended; slice.PlaysOnAfterEnd = false) {
            const ViewFeed::Batch command(engine.Views());
            ended = engine.Run().Play(slice).GoalReached;
        }
        engine.Run().SetContinuous(false);
    });
    result.Events = engine.Events().PlayedCount();
    result.Refreshes = first.Refreshes;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const long bits = argc > 1 ? std::atol(argv[1]) : 10000000;
    const int pairs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string program =
        "RST;\nSTATE DRSHIFT;\nLD CNT," + std::to_string(bits) + "d;\nNSHF A5h;\nHALT;\n";
    std::vector<double> none;
    std::vector<double> two;
    std::vector<double> ratios;
    long refreshes = 0;
    std::uint32_t events = 0;
    (void)SpeedRun(program, 0); // warm-up
    for (int i = 0; i < pairs; ++i) {
        const RunResult plain = SpeedRun(program, 0);
        const RunResult watched = SpeedRun(program, 2);
        none.push_back(plain.Seconds);
        two.push_back(watched.Seconds);
        ratios.push_back(watched.Seconds / plain.Seconds);
        refreshes = std::max(refreshes, watched.Refreshes);
        events = watched.Events;
    }
    std::cout << "events per run:               " << events << "\n"
              << "Speed Run, no listener:       " << bench::Median(none) << " s median, "
              << events / bench::Median(none) / 1e6 << " M events/s\n"
              << "Speed Run, two idle listeners: " << bench::Median(two) << " s median\n"
              << "time ratio two/none:          " << bench::Median(ratios) << " median of " << pairs
              << " pairs\n"
              << "refreshes per listener:       " << refreshes << " at most\n";
    return 0;
}
