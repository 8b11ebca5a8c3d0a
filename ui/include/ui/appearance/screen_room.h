#pragma once

// Qt: the screens' room, for the zoom.
#include "window_logic/views/zoom_scale.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <span>

class QScreen;

namespace scanbench {

// The room on `screen` at zoom 100 %, measured while the windows show at
// `shownZoom`.
[[nodiscard]] ScreenRoom RoomOf(const QScreen& screen, int shownZoom);

// Makes the application at the `chosen` zoom, or, when the windows would
// not fit the primary screen at it, makes it again at the zoom that fits
// (the toolkit takes a zoom's scale factor only when an application is
// made). `applyZoom` sets the scale factor for a zoom before each is made;
// `shown` tells which zoom it is. `argc` and `argv` must live as long as
// the application. `make` makes the application (a plain QApplication when
// it is not given).
using ApplicationMaker = std::function<std::unique_ptr<QApplication>(int& argc, char** argv)>;
[[nodiscard]] std::unique_ptr<QApplication>
MakeApplicationThatFits(int& argc, char** argv, int chosen, std::span<const int> levels,
                        const std::function<void(int zoom)>& applyZoom, ZoomChoice& shown,
                        const ApplicationMaker& make = {});

} // namespace scanbench
