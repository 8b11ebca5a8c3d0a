#include "window_logic/views/zoom_scale.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace scanbench {

std::string ZoomScaleFactor(int zoom, std::string_view userFactor) {
    double user = 1.0;
    double parsed = 0.0;
    const char* end = userFactor.data() + userFactor.size();
    const auto [stop, error] = std::from_chars(userFactor.data(), end, parsed);
    if (error == std::errc() && stop == end && std::isfinite(parsed) && parsed > 0.0) {
        user = parsed;
    }
    const double factor = user * (zoom > 0 ? zoom : 100) / 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", factor);
    return text;
}

ScreenRoom RoomAtFullSize(PixelSize available, double pixelRatio, int shownZoom) {
    const auto scaled = [shownZoom](int pixels) {
        return static_cast<int>(std::int64_t{pixels} * shownZoom / 100);
    };
    const double ratio = shownZoom > 0 ? pixelRatio * 100.0 / shownZoom : pixelRatio;
    return {{scaled(available.Width), scaled(available.Height)}, ratio};
}

bool ZoomFits(int zoom, PixelSize window, const ScreenRoom& screen) {
    const double ratio = screen.PixelRatio > 0.0 ? screen.PixelRatio : 1.0;
    const auto fits = [zoom, ratio](int needed, int frame, int room) {
        return std::int64_t{needed} * zoom + std::llround(frame * 100.0 / ratio) <=
               std::int64_t{room} * 100;
    };
    return fits(window.Width, WindowFrame.Width, screen.Available.Width) &&
           fits(window.Height, WindowFrame.Height, screen.Available.Height);
}

ZoomChoice FitZoom(int chosen, PixelSize window, const ScreenRoom& screen,
                   std::span<const int> levels) {
    if (ZoomFits(chosen, window, screen)) {
        return {chosen, chosen};
    }
    int best = 0;
    int smallest = chosen;
    for (const int level : levels) {
        smallest = level < smallest ? level : smallest;
        if (level < chosen && level > best && ZoomFits(level, window, screen)) {
            best = level;
        }
    }
    if (best > 0) {
        return {chosen, best};
    }
    for (int zoom = (smallest - 1) / 5 * 5; zoom > SmallestZoom; zoom -= 5) {
        if (ZoomFits(zoom, window, screen)) {
            return {chosen, zoom};
        }
    }
    return {chosen, SmallestZoom};
}

std::string ZoomFitNotice(const ZoomChoice& choice) {
    return "Zoom " + std::to_string(choice.Chosen) + " % does not fit this screen: shown at " +
           std::to_string(choice.Shown) + " %";
}

} // namespace scanbench
