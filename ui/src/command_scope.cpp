#include "ui/command_scope.h"

#include "engine/engine.h"

namespace scanbench {

CommandScope::CommandScope(CommandTracker& tracker, bool clearsAboutClicks)
    : Tracker(tracker), Views(tracker.Eng.Views()) {
    ++Tracker.Depth;
    if (clearsAboutClicks) {
        Tracker.Eng.State().Run.AboutClicks = 0;
    }
}

CommandScope::~CommandScope() {
    --Tracker.Depth;
    if (Tracker.Ended) {
        Tracker.Ended(Tracker.Depth == 0);
    }
}

} // namespace scanbench
