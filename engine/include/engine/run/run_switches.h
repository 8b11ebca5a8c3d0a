#pragma once

namespace scanbench {

// The behaviour switches of the settings that the engine reads.
struct RunSwitches {
    bool ShowZ = false;     // views show invalid RX as high impedance
    bool ActiveMode = true; // keep the whole event history (off: trim it)
};

} // namespace scanbench
