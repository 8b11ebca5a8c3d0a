#pragma once

namespace scanbench {

// The behaviour switches of the settings that the engine reads.
struct RunSwitches {
    bool SpeedRun = false;      // the Speed Run command may be used
    bool ShowZ = false;         // views show invalid RX as high impedance
    bool ActiveMode = true;     // keep the whole event history (off: trim it)
    bool RefreshWindows = true; // redraw the state diagram on every TAP step
};

} // namespace scanbench
