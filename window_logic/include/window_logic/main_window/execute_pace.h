#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace scanbench {

// How fast Execute goes: as fast as the timer allows (one statement per
// millisecond tick), a chosen number of statements a second, or one event
// per tick for watching a shift bit by bit.
enum class ExecutePace : std::uint8_t {
    FullSpeed,
    Statements50,
    Statements10,
    Statements2,
    Statements1,
    Events20,
};

inline constexpr std::array<ExecutePace, 6> AllPaces{
    ExecutePace::FullSpeed,   ExecutePace::Statements50, ExecutePace::Statements10,
    ExecutePace::Statements2, ExecutePace::Statements1,  ExecutePace::Events20,
};

// What the Execute timer does at a pace: its interval and whether each tick
// plays one event rather than one whole statement.
struct PaceTiming {
    int IntervalMs = 1;
    bool OneEventPerTick = false;
    friend constexpr bool operator==(const PaceTiming&, const PaceTiming&) = default;
};

[[nodiscard]] PaceTiming TimingFor(ExecutePace pace);

// The caption of a pace in the pace chooser.
[[nodiscard]] std::string_view PaceCaption(ExecutePace pace);

// The pace at a position of the chooser (the order of AllPaces).
[[nodiscard]] std::optional<ExecutePace> PaceAt(int index);
[[nodiscard]] int PaceIndex(ExecutePace pace);

} // namespace scanbench
