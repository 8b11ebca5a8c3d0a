// An SVF file against the same shift written by hand: one SDR of N bits
// (default 1,000,000) with TDI, TDO and MASK, translated and run, against
// RST, STATE, LD CNT and NSHFCP with the same bits, run, both headless on
// the loopback board (every TDO check passes there).
// Usage: scanbench_svf_import_bench [bits] [repetitions]
//        scanbench_svf_import_bench --write DIR [bits]
// The second form writes DIR/shift.svf and DIR/shift.bst for timing whole
// processes (scanbench-run --board loopback FILE).
#include "bench_support.h"
#include "cli/headless_run.h"
#include "svf/svf_import.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

namespace {

constexpr std::string_view Digits = "0123456789ABCDEF";

struct Workload {
    std::string Svf;
    std::string Program; // the same shift by hand
};

// The bits as hexadecimal digits, `first` deciding whether a digit's first
// bit (in shift order) is its least significant (SVF) or its most
// significant (NSHFCP).
std::string Hex(const std::vector<bool>& bits, bool svfOrder, std::size_t lineLength) {
    const std::size_t digits = (bits.size() + 3) / 4;
    std::string text;
    for (std::size_t k = 0; k < digits; ++k) {
        const std::size_t d = svfOrder ? digits - 1 - k : k;
        unsigned v = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            const std::size_t i = d * 4 + b;
            if (i < bits.size() && bits[i]) {
                v |= svfOrder ? 1U << b : 8U >> b;
            }
        }
        if (lineLength != 0 && k != 0 && k % lineLength == 0) {
            text += "\n  ";
        }
        text += Digits[v];
    }
    return text;
}

Workload Make(std::size_t bits) {
    std::mt19937_64 random(2026);
    std::vector<bool> data(bits);
    for (std::size_t i = 0; i < bits; ++i) {
        data[i] = (random() & 1) != 0;
    }
    const std::vector<bool> ones(bits, true);
    const std::string n = std::to_string(bits);
    Workload w;
    w.Svf = "STATE RESET;\nSTATE IDLE;\nSDR " + n + " TDI (" + Hex(data, true, 64) + ")\n  TDO (" +
            Hex(data, true, 64) + ")\n  MASK (" + Hex(ones, true, 64) + ");\n";
    w.Program = "RST;\nSTATE IDLE;\nSTATE DRSHIFT;\nLD CNT," + n + "d;\nNSHFCP " +
                Hex(data, false, 0) + "h," + Hex(data, false, 0) + "h," + Hex(ones, false, 0) +
                "h;\nSERFLG0;\nJERR MISMATCH;\nSTATE IDLE;\nHALT;\nMISMATCH: HALT;\n";
    return w;
}

// Runs the program; a run that does not end at its first HALT (every
// check passed) stops the benchmark.
void Run(const std::string& program) {
    scanbench::RunnerOptions options;
    options.Board = scanbench::BoardKind::Loopback;
    options.Port = scanbench::PortKind::Board;
    std::ostringstream out;
    std::ostringstream err;
    if (scanbench::RunHeadless(options, scanbench::Settings{}, program, out, err) != 0 ||
        out.str().find("flags=00000000b") == std::string::npos) {
        std::cerr << out.str() << err.str();
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace scanbench;
    if (argc > 2 && std::string(argv[1]) == "--write") {
        const Workload w = Make(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1000000);
        std::ofstream(std::string(argv[2]) + "/shift.svf") << w.Svf;
        std::ofstream(std::string(argv[2]) + "/shift.bst") << w.Program;
        return 0;
    }
    const std::size_t bits = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 9;
    const Workload w = Make(bits);

    // Processor time, in turn, so that a drift of the machine's speed hits
    // both; the clock's time as well, for reference.
    std::vector<double> translate;
    std::vector<double> svf;
    std::vector<double> hand;
    std::vector<double> ratios;
    std::vector<double> wallRatios;
    for (int r = 0; r < repetitions; ++r) {
        std::string program;
        double svfWall = 0;
        const double t = bench::CpuSeconds([&] {
            svfWall = bench::Seconds([&] {
                auto imported = ImportSvf(w.Svf, {});
                program = std::move(std::get<SvfImport>(imported).Program);
            });
        });
        double runWall = 0;
        const double s =
            t + bench::CpuSeconds([&] { runWall = bench::Seconds([&] { Run(program); }); });
        double handWall = 0;
        const double h =
            bench::CpuSeconds([&] { handWall = bench::Seconds([&] { Run(w.Program); }); });
        translate.push_back(t);
        svf.push_back(s);
        hand.push_back(h);
        ratios.push_back(s / h);
        wallRatios.push_back((svfWall + runWall) / handWall);
    }
    std::cout << "SDR of " << bits << " bits with TDI, TDO and MASK, loopback board; processor "
              << "time, median of " << repetitions << " pairs:\n"
              << "  translate:                " << bench::Median(translate) * 1e3 << " ms\n"
              << "  translate and run (SVF):  " << bench::Median(svf) * 1e3 << " ms\n"
              << "  run by hand (NSHFCP):     " << bench::Median(hand) * 1e3 << " ms\n"
              << "  ratio SVF / by hand:      " << bench::Median(ratios)
              << " (by the clock: " << bench::Median(wallRatios) << ")\n";
    return 0;
}
