#include "engine/run/run_clock.h"

namespace scanbench {

namespace {

class SteadyClock final : public RunClock {
public:
    [[nodiscard]] Clock::time_point Now() override { return Clock::now(); }
};

} // namespace

RunClock& RunClock::Steady() {
    static SteadyClock clock;
    return clock;
}

} // namespace scanbench
