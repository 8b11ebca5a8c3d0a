#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace scanbench {

// A manufacturing fault on the nets of a board:
//  - StuckAt0, StuckAt1: the net is tied to ground or to the supply; every
//    pin on it, driver or receiver, reads that level.
//  - Open: the net is broken between its driver and its receivers; a pin
//    that drives strongly reads its own level, every other pin reads the
//    net's pull (floats without one).
//  - Short: two nets are bridged and form a wired AND: both read 0 while
//    either of them is 0, 1 when both are 1.
enum class NetFaultKind : std::uint8_t { StuckAt0, StuckAt1, Open, Short };

struct NetFault {
    NetFaultKind Kind = NetFaultKind::StuckAt0;
    std::string Net;
    std::string Other; // the second net of a short
    friend bool operator==(const NetFault&, const NetFault&) = default;
};

// "N3=stuck0", "N3=stuck1", "N3=open" and "N5+N6=short"; the kind ignores
// letter case. A short of a net with itself, or an unknown kind, gives the
// message saying so.
[[nodiscard]] std::variant<NetFault, std::string> ParseNetFault(std::string_view text);

// The fault written as ParseNetFault reads it.
[[nodiscard]] std::string NetFaultText(const NetFault& fault);

// "N3=stuck0, N5+N6=short", or "none".
[[nodiscard]] std::string NetFaultListText(const std::vector<NetFault>& faults);

// One or two faults on the named nets, chosen from the seed alone: the same
// seed and nets give the same faults on every machine. No net carries two
// of them. Nothing for a board without nets.
[[nodiscard]] std::vector<NetFault> RandomNetFaults(std::uint64_t seed,
                                                    const std::vector<std::string>& nets);

// What is to be wrong with a board: faults set by hand, or chosen from a
// seed, and whether they are shown.
struct FaultChoice {
    std::vector<NetFault> Faults;
    std::optional<std::uint64_t> Seed; // set: RandomNetFaults replaces Faults
    bool Revealed = false;
    friend bool operator==(const FaultChoice&, const FaultChoice&) = default;
    [[nodiscard]] bool Empty() const { return Faults.empty() && !Seed; }
    // The faults this choice puts on a board with these nets.
    [[nodiscard]] std::vector<NetFault> On(const std::vector<std::string>& nets) const {
        return Seed ? RandomNetFaults(*Seed, nets) : Faults;
    }
};

// "random:SEED" (a decimal number): the seed.
[[nodiscard]] std::optional<std::uint64_t> ParseFaultSeed(std::string_view text);

// The faults of a choice as one line: "N3=stuck0, N5+N6=short", "random:42",
// or nothing for none (Revealed is not written).
[[nodiscard]] std::string FaultChoiceText(const FaultChoice& choice);
// Reads that line back (blanks around the commas allowed; empty or "none":
// no faults), or says what is wrong with it.
[[nodiscard]] std::variant<FaultChoice, std::string> ParseFaultChoice(std::string_view text);

} // namespace scanbench
