#include "ui/tools/view_values.h"

#include "engine/feed/engine_display.h"
#include "settings/settings_store.h"

#include <string>
#include <vector>

namespace scanbench {

void SaveViewValues(const Workbench& bench, const Settings& before, EngineDisplay& display) {
    std::vector<std::string> notices;
    if (!bench.Store.SaveViewValues(before, bench.Values, notices) || !notices.empty()) {
        std::string text;
        for (const std::string& notice : notices) {
            text += (text.empty() ? "" : "  ") + notice;
        }
        display.ShowStatus(text, StatusColour::Red);
    }
}

} // namespace scanbench
