// Speed of the headless runner end to end (interpretation, playback and the
// simulated loopback board), and its memory in a long run with the store
// trimmed. Usage: scanbench_runner_bench [shift|loop] [repetitions]
//   shift: one statement shifts 1,000,000 bits (2,000,024 events in all)
//   loop:  a counted loop around an 8-bit shift, 20,000,017 events in all,
//          with active mode off; prints the peak resident memory.
#include "bench_support.h"
#include "cli/headless_run.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* ShiftProgram = "RST;\n"
                                     "STATE DRSHIFT;\n"
                                     "LD CNT,1000000d;\n"
                                     "NSHF A5A5h;\n"
                                     "HALT;\n";

// 1,111,112 iterations of an 18-event shift: 20,000,016 events.
constexpr const char* LoopProgram = "SELTAP1;\n"
                                    "LD CNT,1111112d;\n"
                                    "L: SELTAP0;\n"
                                    "LD CNT,8d;\n"
                                    "NSHF A5h;\n"
                                    "SELTAP1;\n"
                                    "DEC;\n"
                                    "JNZ L;\n"
                                    "HALT;\n";

// 1,111,112 shifts of 18 events and the HALT event.
constexpr std::uint64_t LoopEvents = 1111112ULL * 18 + 1;

// Peak resident memory of this process in kB.
long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    const std::string scenario = argc > 1 ? argv[1] : "shift";
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : (scenario == "loop" ? 1 : 7);
    const bool loop = scenario == "loop";

    RunnerOptions options;
    options.Board = BoardKind::Loopback;
    options.Port = PortKind::Board;
    if (loop) {
        options.ActiveMode = false;
    }
    std::vector<double> rates;
    std::string output;
    std::uint64_t events = 0;
    for (int r = 0; r < repetitions; ++r) {
        std::ostringstream out;
        std::ostringstream err;
        const double seconds = bench::Seconds([&] {
            if (RunHeadless(options, Settings{}, loop ? LoopProgram : ShiftProgram, out, err) !=
                0) {
                std::cerr << out.str() << err.str();
                std::exit(1);
            }
        });
        output = out.str();
        // The result's last line is "events: N played: P"; with the store
        // trimmed it counts only the events still held, so the loop's total
        // is known from the program instead.
        events = loop ? LoopEvents : std::stoull(output.substr(output.rfind("played: ") + 8));
        rates.push_back(static_cast<double>(events) / seconds);
    }
    std::cout << output << "scenario: " << scenario << ", " << events << " events played per run\n"
              << "events played per second: " << bench::Median(rates) / 1e6
              << " million (median of " << repetitions << ")\n";
    if (loop) {
        std::cout << "peak resident memory: " << PeakResidentKb() << " kB\n";
    }
    return 0;
}
