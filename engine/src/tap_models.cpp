#include "engine/tap_models.h"

#include "engine/engine_reporter.h"

namespace scanbench {

void TapModels::NotifyStateDisplay() {
    Reporter.ShowStates();
}

} // namespace scanbench
