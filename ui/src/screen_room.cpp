#include "ui/screen_room.h"

#include <QGuiApplication>
#include <QScreen>

#include <vector>

namespace scanbench {

ScreenRoom RoomOf(const QScreen& screen, int shownZoom) {
    const QSize area = screen.availableGeometry().size();
    return RoomAtFullSize({area.width(), area.height()}, screen.devicePixelRatio(), shownZoom);
}

ZoomChoice ChooseStartZoom(int argc, char** argv, int chosen, std::span<const int> levels) {
    // The application takes the options it knows out of its arguments.
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    int count = argc;
    const QGuiApplication probe(count, arguments.data());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {chosen, chosen};
    }
    return FitZoom(chosen, LargestWindow, RoomOf(*screen, 100), levels);
}

} // namespace scanbench
