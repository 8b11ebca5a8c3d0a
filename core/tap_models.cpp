#include "core/tap_models.h"

#include "core/engine_reporter.h"
#include "core/run_switches.h"

namespace scanbench {

void TapModels::TapTms1(std::uint8_t tap) {
    if (tap > 1) {
        return;
    }
    TapModel[tap].StepTms1();
    AfterStep();
}

void TapModels::TapTms0(std::uint8_t tap) {
    if (tap > 1) {
        return;
    }
    TapModel[tap].StepTms0();
    AfterStep();
}

void TapModels::AfterStep() {
    if (Switches.RefreshWindows) {
        Reporter.ShowStates();
    }
}

} // namespace scanbench
