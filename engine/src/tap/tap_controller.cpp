#include "engine/tap/tap_controller.h"

namespace scanbench {

namespace {

// The IEEE 1149.1 state graph's node names, indexed by state number; the
// links are detail::TapLinks.
constexpr std::array<std::string_view, 16> Mnemonics = {
    "TLR",  "RTI",  "SDRS", "SIRS", "CPDR", "CPIR", "SHDR", "SHIR",
    "E1DR", "E1IR", "PDR",  "PIR",  "E2DR", "E2IR", "UPDR", "UPIR"};

} // namespace

void TapController::Init() {
    for (std::size_t i = 0; i < Nodes.size(); ++i) {
        const auto state = static_cast<std::uint8_t>(i);
        Nodes[i] = TapNode{Mnemonics[i], NextTapState(state, 1), NextTapState(state, 0), state};
    }
    Current = 0;
}

} // namespace scanbench
