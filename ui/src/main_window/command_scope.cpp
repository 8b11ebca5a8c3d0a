#include "ui/main_window/command_scope.h"

#include "engine/run/engine.h"
#include "window_logic/main_window/main_window_model.h"

namespace scanbench {

CommandScope::CommandScope(CommandTracker& tracker, bool clearsAboutClicks)
    : Tracker(tracker), Views(tracker.Eng.Views()) {
    ++Tracker.Depth;
    if (clearsAboutClicks) {
        Tracker.Model.ClearAboutClicks();
    }
}

CommandScope::~CommandScope() {
    --Tracker.Depth;
    if (Tracker.Ended) {
        Tracker.Ended(Tracker.Depth == 0);
    }
}

} // namespace scanbench
