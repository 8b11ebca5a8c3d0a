#pragma once

#include "ui/main_window/workbench.h"

namespace scanbench {

class EngineDisplay;

// Saves the view values (zoom, line numbers, program folder) changed in
// `bench` since `before`; what could not be saved shows in the status line.
void SaveViewValues(const Workbench& bench, const Settings& before, EngineDisplay& display);

} // namespace scanbench
