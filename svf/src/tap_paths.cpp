#include "tap_paths.h"

#include "engine/tap/tap_controller.h"
#include "engine/tap/tms_paths.h"

namespace scanbench {

std::uint8_t NextTapState(std::uint8_t state, bool tms) {
    static const TapController graph;
    const TapNode& node = graph.Node(state);
    return tms ? node.NextTms1 : node.NextTms0;
}

bool IsStableTapState(std::uint8_t state) {
    return state == TapPaths::Reset || state == TapPaths::Idle || state == TapPaths::PauseDr ||
           state == TapPaths::PauseIr;
}

std::vector<std::uint8_t> StatementPath(std::uint8_t from, std::uint8_t to) {
    const TmsPath& tms = TmsPaths()[from & 15][to & 15];
    std::vector<std::uint8_t> path;
    std::uint8_t state = from;
    for (std::size_t k = 0; k < PathLength(tms); ++k) {
        state = NextTapState(state, tms[k] == 1);
        path.push_back(state);
    }
    return path;
}

} // namespace scanbench
