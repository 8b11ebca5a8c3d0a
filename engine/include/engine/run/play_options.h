#pragma once

#include <string>

namespace scanbench {

// How playback treats one event. A program run uses every step; events
// played by hand (the bitstream shifter) leave out what belongs to a running
// program and may record the bits that come back instead.
struct PlayOptions {
    // Counts as the program's run: the first such event since the code
    // check tells the listeners the run started.
    bool CountsAsUse = true;
    // Follows the statements: NSHFCP collects and compares RX bits, and a
    // shift state seen during a statement keeps its later events valid.
    // Without it an event is valid exactly when its TAP is in a shift state.
    bool FollowsStatements = true;
    // Samples SIA and SIB into the event; without it only RX is sampled and
    // the event keeps the SIA and SIB it had.
    bool SamplesSyncInputs = true;
    // Shows the counter and flag read-outs.
    bool ShowsReadouts = true;
    // When set, each event that is not a rising TCK edge appends RX of the
    // selected TAP ('0' or '1') until it holds as many bits as that TAP's
    // counter.
    std::string* RecordRx = nullptr;

    // The way a program plays its events.
    [[nodiscard]] static constexpr PlayOptions ProgramRun() { return {}; }
    // Events played by hand, recording into `received` when it is given.
    [[nodiscard]] static constexpr PlayOptions ByHand(std::string* received = nullptr) {
        return {.CountsAsUse = false,
                .FollowsStatements = false,
                .SamplesSyncInputs = false,
                .ShowsReadouts = false,
                .RecordRx = received};
    }
};

} // namespace scanbench
