// Measures how fast InterpretLine appends events ("NSHF" with a counter of
// 1,000,000: 2,000,002 events per statement) and how many bytes the store
// holds per event. Prints medians over several repetitions.
#include "bench_support.h"
#include "engine/feed/engine_listener.h"
#include "engine/feed/signal_port.h"
#include "engine/run/engine.h"

#include <cstdlib>
#include <iostream>

namespace {

class NoPort : public scanbench::SignalPort {
public:
    void WritePortSignals(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                          std::uint8_t, std::uint8_t, std::uint8_t) override {}
    std::uint8_t ReadRx(std::uint8_t) override { return 0; }
    std::uint8_t ReadSia() override { return 0; }
    std::uint8_t ReadSib() override { return 0; }
};

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 9;
    NoPort port;
    std::vector<double> rates;
    std::vector<double> bytesPerEvent;
    std::uint32_t events = 0;
    for (int r = 0; r < repetitions; ++r) {
        Engine engine(port);
        if (engine.InterpretLine("LD CNT,1000000d;") != 0) {
            return 1;
        }
        const std::size_t before = bench::ResidentBytes();
        const double seconds = bench::Seconds([&] {
            if (engine.InterpretLine("NSHF A5A5A5A5h;") != 0) {
                std::exit(1);
            }
        });
        events = engine.Events().EventCount();
        rates.push_back(events / seconds);
        bytesPerEvent.push_back(double(bench::ResidentBytes() - before) / events);
    }
    std::cout << "events per statement:        " << events << "\n"
              << "events appended per second:  " << bench::Median(rates) / 1e6
              << " million (median of " << repetitions << ")\n"
              << "bytes per event (record):    " << EventStore::BytesPerEvent << "\n"
              << "bytes per event (resident):  " << bench::Median(bytesPerEvent) << "\n";
    return 0;
}
