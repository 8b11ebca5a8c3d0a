#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// One state of the controller graph. The successors are the state numbers of
// nodes of the same controller, which keeps a controller a copyable value.
struct TTapNode {
    std::string_view Mnemonic;
    std::uint8_t NextTms1 = 0;
    std::uint8_t NextTms0 = 0;
    std::uint8_t Index = 0;
};

// The model of one TAP controller: the 16-node state graph and the present
// node. It only ever changes state by stepping.
class TTapController {
public:
    TTapController() { Init(); }

    // Builds the 16 nodes with their links and puts the controller in
    // Test-Logic-Reset.
    void Init();
    // Releases the graph; the nodes are plain values, so this only returns the
    // controller to its freshly initialised state.
    void Done() { Init(); }

    void StepTms1() { Current = Nodes[Current].NextTms1; }
    void StepTms0() { Current = Nodes[Current].NextTms0; }
    void Step(std::uint8_t tms) {
        if (tms == 1) {
            StepTms1();
        } else {
            StepTms0();
        }
    }

    [[nodiscard]] std::uint8_t StateIndex() const { return Nodes[Current].Index; }
    [[nodiscard]] const TTapNode& Node(std::uint8_t state) const { return Nodes[state & 15]; }

private:
    std::uint8_t Current = 0;
    std::array<TTapNode, 16> Nodes{};
};

} // namespace scanbench
