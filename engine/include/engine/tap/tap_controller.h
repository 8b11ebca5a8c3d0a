#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// One state of the controller graph. The successors are the state numbers of
// nodes of the same controller, which keeps a controller a copyable value.
struct TapNode {
    std::string_view Mnemonic;
    std::uint8_t NextTms1 = 0;
    std::uint8_t NextTms0 = 0;
    std::uint8_t Index = 0;
};

namespace detail {
// The controller graph's links by TMS and then by state.
inline constexpr std::array<std::array<std::uint8_t, 16>, 2> TapLinks{{
    {1, 1, 4, 5, 6, 7, 6, 7, 10, 11, 10, 11, 6, 7, 1, 1},   // TMS = 0
    {0, 2, 3, 0, 8, 9, 8, 9, 14, 15, 12, 13, 14, 15, 2, 2}, // TMS = 1
}};
} // namespace detail

// The state a controller in `state` steps to with TMS = `tms`, without a
// controller: for callers that step a copy of a state many times.
[[nodiscard]] constexpr std::uint8_t NextTapState(std::uint8_t state, std::uint8_t tms) {
    return detail::TapLinks[tms == 1 ? 1 : 0][state & 15U];
}

// The model of one TAP controller: the 16-node state graph and the present
// node. It only ever changes state by stepping (or by taking the state that
// NextTapState reached from its own).
class TapController {
public:
    TapController() { Init(); }

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

    // Takes the state that steps with NextTapState from StateIndex() reached.
    void TakeStepsResult(std::uint8_t state) { Current = state & 15U; }

    [[nodiscard]] std::uint8_t StateIndex() const { return Nodes[Current].Index; }
    [[nodiscard]] const TapNode& Node(std::uint8_t state) const { return Nodes[state & 15]; }

private:
    std::uint8_t Current = 0;
    std::array<TapNode, 16> Nodes{};
};

} // namespace scanbench
