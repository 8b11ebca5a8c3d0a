#include "window_logic/zoom_scale.h"

#include <charconv>
#include <cmath>
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

} // namespace scanbench
