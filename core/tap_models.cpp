#include "core/tap_models.h"

#include "core/engine_reporter.h"

namespace scanbench {

void TapModels::NotifyStateDisplay() {
    Reporter.ShowStates();
}

} // namespace scanbench
