#pragma once

#include "window_logic/main_window/example_programs.h"
#include "window_logic/views/zoom_scale.h"

#include <QStringList>

#include <functional>

namespace scanbench {

// Starts the program anew with `arguments`; false when it could not start.
using ProgramLauncher = std::function<bool(const QStringList& arguments)>;

// What the window needs for teaching in a room.
struct ClassroomOptions {
    ExampleFolders Examples;
    // Starts the program again for a new zoom; none: the zoom takes effect
    // at the next start.
    ProgramLauncher Relaunch;
    // The zoom the windows show at: the chosen one, or a smaller one when
    // that did not fit the screen.
    int ShownZoom = 100;
    // The room on the window's screen at zoom 100 %; none: measured there.
    std::function<ScreenRoom()> Room;
};

} // namespace scanbench
