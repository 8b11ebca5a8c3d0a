#pragma once

// Qt: the screens' room, for the zoom.
#include "window_logic/zoom_scale.h"

#include <span>

class QScreen;

namespace scanbench {

// The room on `screen` at zoom 100 %, measured while the windows show at
// `shownZoom`.
[[nodiscard]] ScreenRoom RoomOf(const QScreen& screen, int shownZoom);

// The zoom the windows start at for the `chosen` one: measured on the
// primary screen by a short-lived application made before the real one
// (the toolkit takes the zoom's scale factor only when an application is
// made), so it sees the user's own scale factor. Qt's options in `argv`
// are left for the real application.
[[nodiscard]] ZoomChoice ChooseStartZoom(int argc, char** argv, int chosen,
                                         std::span<const int> levels);

} // namespace scanbench
