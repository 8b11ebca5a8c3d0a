#pragma once

#include "port/host_port.h"
#include "port/pin_settings.h"
#include "port/port_choice.h"

#include <string>

namespace scanbench {

// Everything the program remembers between runs. The store's value names are
// given next to each member; SettingsStore reads and writes them.
struct Settings {
    PinSettings Pins;                  // "lpt_addr" and the "*_pin*" values
    bool SpeedRun = false;             // "speed run"
    bool ShowZ = false;                // "show Z"
    bool ActiveMode = true;            // "active mode"
    bool RefreshWindows = true;        // "refresh windows": written on save, never read back
    std::string InstallDir;            // "instdir": read, never written
    PortKind Port = PortKind::Board;   // "port"
    BoardKind Board = BoardKind::Demo; // "board"
    RemoteAddress Remote;              // "remote_host", "remote_port": the remote port's server
};

} // namespace scanbench
