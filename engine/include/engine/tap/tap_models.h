#pragma once

#include "engine/feed/view_feed.h"
#include "engine/tap/tap_controller.h"

#include <array>
#include <cstdint>

namespace scanbench {

// The two TAP controller models, one per port. Stepping a model tells the
// views.
class TapModels {
public:
    explicit TapModels(ViewFeed& views) : Views(views) {}

    // Step the model of TAP `tap` with TMS = 1 / TMS = 0; other TAP numbers
    // step nothing.
    void TapTms1(std::uint8_t tap) { Step(tap, 1); }
    void TapTms0(std::uint8_t tap) { Step(tap, 0); }
    void Step(std::uint8_t tap, std::uint8_t tms) {
        if (StepUnnoticed(tap, tms)) {
            Views.Notify(ViewChange::TapStates);
        }
    }
    // The same without telling the views; true when a model stepped. A
    // caller that steps many times tells them once with NoticeSteps.
    bool StepUnnoticed(std::uint8_t tap, std::uint8_t tms) {
        if (tap > 1) {
            return false;
        }
        TapModel[tap].Step(tms);
        return true;
    }
    void NoticeSteps() { Views.Notify(ViewChange::TapStates); }

    // Both models' states, for a caller that steps a copy many times (see
    // NextTapState) and hands the result back with TakeStates.
    [[nodiscard]] std::array<std::uint8_t, 2> States() const { return {State(0), State(1)}; }
    void TakeStates(const std::array<std::uint8_t, 2>& states) {
        TapModel[0].TakeStepsResult(states[0]);
        TapModel[1].TakeStepsResult(states[1]);
    }

    [[nodiscard]] std::uint8_t State(std::uint8_t tap) const {
        return TapModel[tap & 1].StateIndex();
    }
    [[nodiscard]] const TapController& Model(std::uint8_t tap) const { return TapModel[tap & 1]; }

private:
    std::array<TapController, 2> TapModel{};
    ViewFeed& Views;
};

} // namespace scanbench
