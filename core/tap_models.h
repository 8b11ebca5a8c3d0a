#pragma once

#include "core/tap_controller.h"

#include <array>
#include <cstdint>

namespace scanbench {

class EngineReporter;
struct RunSwitches;

// The two TAP controller models, one per port. Stepping a model notifies the
// state display while RefreshWindows is on.
class TapModels {
public:
    TapModels(const RunSwitches& switches, EngineReporter& reporter)
        : Switches(switches), Reporter(reporter) {}

    // Step the model of TAP `tap` with TMS = 1 / TMS = 0; other TAP numbers
    // step nothing.
    void TapTms1(std::uint8_t tap);
    void TapTms0(std::uint8_t tap);
    void Step(std::uint8_t tap, std::uint8_t tms) {
        if (tms == 1) {
            TapTms1(tap);
        } else {
            TapTms0(tap);
        }
    }

    [[nodiscard]] std::uint8_t State(std::uint8_t tap) const {
        return TapModel[tap & 1].StateIndex();
    }
    [[nodiscard]] const TTapController& Model(std::uint8_t tap) const { return TapModel[tap & 1]; }

private:
    void AfterStep();

    std::array<TTapController, 2> TapModel{};
    const RunSwitches& Switches;
    EngineReporter& Reporter;
};

} // namespace scanbench
