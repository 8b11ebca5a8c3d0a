#pragma once

#include "board/net_faults.h"
#include "port/host_port.h"
#include "port/pin_settings.h"
#include "port/port_choice.h"

#include <array>
#include <string>

namespace scanbench {

// Everything the program remembers between runs. The store's value names are
// given next to each member; SettingsStore reads and writes them.
struct Settings {
    PinSettings Pins;                // "lpt_addr" and the "*_pin*" values
    bool SpeedRun = false;           // "speed run"
    bool ShowZ = false;              // "show Z"
    bool ActiveMode = true;          // "active mode"
    bool RefreshWindows = true;      // "refresh windows": written on save, never read back
    std::string InstallDir;          // "instdir": read, never written
    PortKind Port = PortKind::Board; // "port"
    BoardChoice Board;               // "board", and "board file" for "file"
    RemoteAddress Remote;            // "remote_host", "remote_port": the remote port's server
    int Zoom = 100;                  // "zoom": one of ZoomLevels, in percent
    bool LineNumbers = false;        // "line numbers" in the editor's gutter
    std::string ProgramFolder;       // "program folder": of the last program opened
    FaultChoice Faults;              // "faults", "faults revealed": on the simulated board's nets
};

// The zooms the window offers, in percent.
inline constexpr std::array<int, 3> ZoomLevels{100, 150, 200};

[[nodiscard]] constexpr bool IsZoomLevel(int zoom) {
    for (const int level : ZoomLevels) {
        if (level == zoom) {
            return true;
        }
    }
    return false;
}

// The zoom one step larger (`steps` > 0) or smaller than `zoom`, kept
// within ZoomLevels; a zoom that is not a level counts as 100.
[[nodiscard]] constexpr int ZoomStep(int zoom, int steps) {
    int index = 0;
    for (int i = 0; i < static_cast<int>(ZoomLevels.size()); ++i) {
        if (ZoomLevels[static_cast<std::size_t>(i)] == zoom) {
            index = i;
        }
    }
    index += steps > 0 ? 1 : (steps < 0 ? -1 : 0);
    index = index < 0 ? 0
                      : (index >= static_cast<int>(ZoomLevels.size())
                             ? static_cast<int>(ZoomLevels.size()) - 1
                             : index);
    return ZoomLevels[static_cast<std::size_t>(index)];
}

} // namespace scanbench
