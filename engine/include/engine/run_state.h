#pragma once

#include <cstdint>

namespace scanbench {

// The run-state fields of the main window that the engine keeps.
struct RunState {
    bool CodeChecked = false;       // the code check has completed since start, Open or reset
    bool ProgramEnded = false;      // end of text, HALT or an error; run modes stop
    bool ResetFlag = false;         // set by reset, cleared by the code check
    std::int32_t StepCounter = 0;   // Step-by-Step steps since its last yield
    std::uint8_t ActivityFrame = 0; // 0 idle picture, 1..8 animation frames
    std::int32_t AboutClicks = 0;   // reset by nearly every command
};

} // namespace scanbench
