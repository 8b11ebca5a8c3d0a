// Cost of the simulated board per event, without the engine: TAP 1 is put
// into Shift-DR with U3 in BYPASS, then pseudo-random bits are shifted the
// way playback does it (write the eight levels, read the inputs back), two
// events per bit, on each board.
//   scanbench_board_bench [events, default 20000000]
#include "port/port_signals.h"
#include "port/simulated_board_port.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace {

using namespace scanbench;

// Plays one event on TAP 1 and samples the inputs; returns the RX bit.
unsigned Event(PortSignals& signals, std::uint8_t tck, std::uint8_t tms, std::uint8_t tx) {
    signals.WritePortSignals(0, 0, 0, tck, tms, tx, 0, 0);
    return signals.ReadInputs(1) & SignalPort::RxHigh;
}

void Clock(PortSignals& signals, std::uint8_t tms, std::uint8_t tx = 0) {
    (void)Event(signals, 0, tms, tx);
    (void)Event(signals, 1, tms, tx);
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t events = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20'000'000;
    for (const BoardKind board : {BoardKind::Demo, BoardKind::Loopback, BoardKind::Open}) {
        const PinSettings pins;
        SimulatedBoardPort port(pins, board);
        PortSignals signals(port, pins);
        for (const std::uint8_t tms : {1, 1, 1, 1, 1, 0, 1, 1, 0, 0}) { // reset, to Shift-IR
            Clock(signals, tms);
        }
        for (const std::uint8_t tms : {0, 0, 0, 1, 1, 1, 0, 0}) { // BYPASS, to Shift-DR
            Clock(signals, tms, 1);
        }
        std::uint32_t lfsr = 0xACE12468;
        unsigned received = 0;
        // Processor time, not wall time: the figure holds on a busy machine.
        const std::clock_t start = std::clock();
        for (std::uint64_t i = 0; i < events / 2; ++i) {
            lfsr = (lfsr & 1U) != 0 ? (lfsr >> 1) ^ 0x80200003U : lfsr >> 1;
            const auto bit = static_cast<std::uint8_t>(lfsr & 1U);
            received += Event(signals, 0, 0, bit);
            received += Event(signals, 1, 0, bit);
        }
        const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        std::cout << BoardKindName(board) << ": " << seconds * 1e9 / static_cast<double>(events)
                  << " ns per event (" << received << " ones received)\n";
    }
    return 0;
}
