#include "ui/appearance/screen_room.h"

#include <QScreen>

#include <algorithm>
#include <vector>

namespace scanbench {

ScreenRoom RoomOf(const QScreen& screen, int shownZoom) {
    const QSize area = screen.availableGeometry().size();
    return RoomAtFullSize({area.width(), area.height()}, screen.devicePixelRatio(), shownZoom);
}

std::unique_ptr<QApplication>
MakeApplicationThatFits(int& argc, char** argv, int chosen, std::span<const int> levels,
                        const std::function<void(int zoom)>& applyZoom, ZoomChoice& shown,
                        const ApplicationMaker& make) {
    const auto makeOne = [&] {
        return make ? make(argc, argv) : std::make_unique<QApplication>(argc, argv);
    };
    // The application takes the options it knows out of the arguments: a
    // second one gets them all again.
    const std::vector<char*> arguments(argv, argv + argc);
    applyZoom(chosen);
    std::unique_ptr<QApplication> application = makeOne();
    shown = {chosen, chosen};
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        shown = FitZoom(chosen, LargestWindow, RoomOf(*screen, chosen), levels);
    }
    if (shown.Fitted()) {
        application.reset();
        std::copy(arguments.begin(), arguments.end(), argv);
        argc = static_cast<int>(arguments.size());
        applyZoom(shown.Shown);
        application = makeOne();
    }
    return application;
}

} // namespace scanbench
