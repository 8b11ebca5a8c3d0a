#include "engine/tap_controller.h"

namespace scanbench {

namespace {

struct NodeLinks {
    std::string_view mnemonic;
    std::uint8_t onTms1;
    std::uint8_t onTms0;
};

// The IEEE 1149.1 state graph, indexed by state number.
constexpr std::array<NodeLinks, 16> Graph = {{
    {"TLR", 0, 1},
    {"RTI", 2, 1},
    {"SDRS", 3, 4},
    {"SIRS", 0, 5},
    {"CPDR", 8, 6},
    {"CPIR", 9, 7},
    {"SHDR", 8, 6},
    {"SHIR", 9, 7},
    {"E1DR", 14, 10},
    {"E1IR", 15, 11},
    {"PDR", 12, 10},
    {"PIR", 13, 11},
    {"E2DR", 14, 6},
    {"E2IR", 15, 7},
    {"UPDR", 2, 1},
    {"UPIR", 2, 1},
}};

} // namespace

void TTapController::Init() {
    for (std::uint8_t i = 0; i < Nodes.size(); ++i) {
        Nodes[i] = TTapNode{Graph[i].mnemonic, Graph[i].onTms1, Graph[i].onTms0, i};
    }
    Current = 0;
}

} // namespace scanbench
