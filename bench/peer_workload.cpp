// Writes the peer yardstick's workload as a Scanbench program for the demo
// board: reset, IDCODE read, IR scan loading BYPASS, then N pseudo-random
// bits shifted through BYPASS with NSHFCP, whose expected value is the data
// delayed by the chain's BYPASS bits, and back to Run-Test/Idle.
//
//   scanbench_peer_workload N FILE [--tap 0|1]
//
// TAP 1 (the default) drives U3 alone: the workload of the peer's single
// chip, the data delayed by one bit. TAP 0 shifts through U1 and U2, both in
// BYPASS: twice the chip work per edge, the data delayed by two bits.
//
// The data bits come from the peer's 32-bit Galois LFSR (seed ACE12468h,
// taps 80200003h, the new bit 0 is the data bit), so both sides shift the
// same stream. Each check writes its own flag: after the run
// "flags=00000000b" on the TAP used means every check passed.
//   flag 0: IDCODE    flag 1: IR capture    flag 2: the N-bit BYPASS shift
#include "board/demo_board.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Bits in arrival order as an NSHFCP operand: left-aligned hexadecimal
// digits, the last one padded with zeros, and the "h".
std::string Operand(const std::vector<bool>& bits) {
    std::string text;
    text.reserve(bits.size() / 4 + 2);
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        unsigned digit = 0;
        for (std::size_t k = i; k < i + 4; ++k) {
            digit = digit << 1 | (k < bits.size() && bits[k] ? 1U : 0U);
        }
        text += "0123456789ABCDEF"[digit];
    }
    return text + "h";
}

std::vector<bool> LsbFirst(std::uint64_t value, int n) {
    std::vector<bool> bits;
    for (int i = 0; i < n; ++i) {
        bits.push_back(((value >> i) & 1U) != 0);
    }
    return bits;
}

std::vector<bool> Ones(std::size_t n) {
    return std::vector<bool>(n, true);
}

// A statement goes on over the following lines until its ";", and a program
// file's lines are limited in length: long operands are wrapped.
std::string Wrapped(const std::string& text) {
    constexpr std::size_t LineLength = 65536;
    std::string wrapped;
    wrapped.reserve(text.size() + text.size() / LineLength + 1);
    for (std::size_t at = 0; at < text.size(); at += LineLength) {
        wrapped.append(text, at, LineLength);
        if (at + LineLength < text.size()) {
            wrapped += '\n';
        }
    }
    return wrapped;
}

void Check(std::ostream& out, int flag, std::size_t bits, const std::vector<bool>& data,
           const std::vector<bool>& expected) {
    out << "SERFLG" << flag << ";\nLD CNT," << bits << "d;\nNSHFCP " << Wrapped(Operand(data))
        << ",\n"
        << Wrapped(Operand(expected)) << ",\n"
        << Wrapped(Operand(Ones(bits))) << ";\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--tap")) {
        std::cerr << "usage: scanbench_peer_workload N FILE [--tap 0|1]\n";
        return 2;
    }
    const std::size_t n = std::strtoull(argv[1], nullptr, 10);
    const int tap = argc == 5 ? std::atoi(argv[4]) : 1;
    if (n == 0 || n > 2'000'000'000 || (tap != 0 && tap != 1)) {
        std::cerr << "scanbench_peer_workload: N from 1 to 2000000000, TAP 0 or 1\n";
        return 2;
    }
    using namespace scanbench;
    // The chips on the chain, nearest RX first, and their IDCODEs.
    const std::vector<std::uint32_t> ids =
        tap == 1 ? std::vector<std::uint32_t>{DemoIdCode::U3}
                 : std::vector<std::uint32_t>{DemoIdCode::U2, DemoIdCode::U1};
    const std::size_t chips = ids.size();

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << "// The peer workload, N = " << n << ", on TAP " << tap
        << " of the demo board (written by scanbench_peer_workload).\n"
        << "SELTAP" << tap << ";\nRST;\nSTATE DRSHIFT;\n";

    std::vector<bool> idcodes;
    for (const std::uint32_t id : ids) {
        const std::vector<bool> bits = LsbFirst(id, 32);
        idcodes.insert(idcodes.end(), bits.begin(), bits.end());
    }
    Check(out, 0, idcodes.size(), std::vector<bool>(idcodes.size()), idcodes);
    out << "STATE IDLE;\nSTATE IRSHIFT;\n";

    std::vector<bool> captures; // every instruction register captures 0101
    for (std::size_t c = 0; c < chips; ++c) {
        const std::vector<bool> bits = LsbFirst(0b0101, 4);
        captures.insert(captures.end(), bits.begin(), bits.end());
    }
    Check(out, 1, captures.size(), Ones(captures.size()), captures); // all ones: BYPASS
    out << "STATE IDLE;\nSTATE DRSHIFT;\n";

    std::vector<bool> data;
    data.reserve(n);
    std::uint32_t lfsr = 0xACE12468;
    for (std::size_t i = 0; i < n; ++i) {
        lfsr = (lfsr & 1U) != 0 ? (lfsr >> 1) ^ 0x80200003U : lfsr >> 1;
        data.push_back((lfsr & 1U) != 0);
    }
    // Each BYPASS bit captured 0 and delays the data by one clock; the
    // shift goes on until the last data bit is out (the operand's missing
    // bits are sent as 0).
    std::vector<bool> expected(chips, false);
    expected.insert(expected.end(), data.begin(), data.end());
    Check(out, 2, n + chips, data, expected);
    out << "STATE IDLE;\nHALT;\n";

    out.close();
    if (!out) {
        std::cerr << "scanbench_peer_workload: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
