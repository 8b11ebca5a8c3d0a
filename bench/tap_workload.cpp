// Writes the comparison workload of bench/verilog/demo_chip_tb.v as a
// Scanbench program for TAP 1 of the demo board, whose chip U3 the Verilog
// model stands for; both do the same TCK cycles.
//
//   scanbench_tap_workload check|plain N FILE
//
// check: reset, IDCODE read, instruction scan loading BYPASS, then N
//   pseudo-random bits and a flush bit through BYPASS, every bit that comes
//   back compared with the bit sent one clock before (BYPASS captured 0).
//   Each comparison writes its own flag, so "flags=00000000b" on TAP 1 after
//   the run means every check passed: flag 0 IDCODE, 1 the instruction
//   register's capture, 2 the N-bit shift.
// plain: reset, BYPASS loaded, N zero bits shifted, nothing checked.
//
// The data bits come from the test bench's 32-bit xorshift generator (the
// low bit of each next value), so both sides shift the same stream.
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

void Check(std::ostream& out, int flag, const std::vector<bool>& data,
           const std::vector<bool>& expected) {
    out << "SERFLG" << flag << ";\nLD CNT," << data.size() << "d;\nNSHFCP "
        << Wrapped(Operand(data)) << ",\n"
        << Wrapped(Operand(expected)) << ",\n"
        << Wrapped(Operand(std::vector<bool>(data.size(), true))) << ";\n";
}

std::vector<bool> Data(std::size_t n) {
    std::vector<bool> data;
    data.reserve(n);
    std::uint32_t noise = 0x2545F491;
    for (std::size_t i = 0; i < n; ++i) {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        data.push_back((noise & 1U) != 0);
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 4 ? argv[1] : "";
    if (kind != "check" && kind != "plain") {
        std::cerr << "usage: scanbench_tap_workload check|plain N FILE\n";
        return 2;
    }
    const std::size_t n = std::strtoull(argv[2], nullptr, 10);
    if (n == 0 || n > 2'000'000'000) {
        std::cerr << "scanbench_tap_workload: N from 1 to 2000000000\n";
        return 2;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << "// The " << kind << " workload, N = " << n
        << ", on TAP 1 of the demo board (written by scanbench_tap_workload).\n"
        << "SELTAP1;\nRST;\n";
    if (kind == "plain") {
        out << "STATE IRSHIFT;\nLD CNT,4d;\nNSHF Fh;\nSTATE IDLE;\nSTATE DRSHIFT;\nLD CNT," << n
            << "d;\nNSHF 0h;\nSTATE IDLE;\nHALT;\n";
    } else {
        out << "STATE DRSHIFT;\n";
        Check(out, 0, std::vector<bool>(32), LsbFirst(scanbench::DemoIdCode::U3, 32));
        out << "STATE IDLE;\nSTATE IRSHIFT;\n";
        Check(out, 1, std::vector<bool>(4, true), LsbFirst(0b0101, 4)); // all ones: BYPASS
        out << "STATE IDLE;\nSTATE DRSHIFT;\n";
        // The flush bit 0 brings the last data bit out.
        std::vector<bool> data = Data(n);
        std::vector<bool> expected{false};
        expected.insert(expected.end(), data.begin(), data.end());
        data.push_back(false);
        Check(out, 2, data, expected);
        out << "STATE IDLE;\nHALT;\n";
    }
    out.close();
    if (!out) {
        std::cerr << "scanbench_tap_workload: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
