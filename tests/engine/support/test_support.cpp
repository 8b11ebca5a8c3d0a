#include "test_support.h"

namespace scanbench::testing {

std::vector<std::array<int, 3>> Levels(const EventStore& store, std::uint32_t first) {
    std::vector<std::array<int, 3>> levels;
    for (std::uint32_t i = first; i < store.EventCount(); ++i) {
        const TapEvent e = store.GetEvent(i);
        levels.push_back({e.TCK, e.TMS, e.TX});
    }
    return levels;
}

} // namespace scanbench::testing
