#pragma once

namespace scanbench {

// Where the program's run stands.
struct RunState {
    bool CodeChecked = false;  // the code check has completed since start, Open or reset
    bool ProgramEnded = false; // end of text, HALT or an error; run modes stop
    bool Started = false;      // an event of the program was played since the code check
};

} // namespace scanbench
