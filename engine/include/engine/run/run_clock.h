#pragma once

#include <chrono>

namespace scanbench {

// Where continuous runs read the time: the views follow a run at the
// screen's frame rate and a Speed Run lets the user interface in now and
// then, both measured on this clock. The program uses the steady clock; a
// test hands in a clock it moves itself, so that what a run does never
// depends on how fast the machine is.
class RunClock {
public:
    using Clock = std::chrono::steady_clock;

    RunClock() = default;
    virtual ~RunClock() = default;
    RunClock(const RunClock&) = delete;
    RunClock& operator=(const RunClock&) = delete;
    RunClock(RunClock&&) = delete;
    RunClock& operator=(RunClock&&) = delete;

    [[nodiscard]] virtual Clock::time_point Now() = 0;

    // The machine's steady clock, shared by everyone who is given no other.
    [[nodiscard]] static RunClock& Steady();
};

} // namespace scanbench
