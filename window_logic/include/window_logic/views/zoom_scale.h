#pragma once

#include <span>
#include <string>
#include <string_view>

namespace scanbench {

// The toolkit's scale factor (QT_SCALE_FACTOR) for a zoom in percent, on
// top of the factor the user set (`userFactor`, the variable's value before
// the program changed it; empty, not a number or not above zero counts as 1).
[[nodiscard]] std::string ZoomScaleFactor(int zoom, std::string_view userFactor);

// A width and a height in the toolkit's pixels.
struct PixelSize {
    int Width = 0;
    int Height = 0;
    friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The room the largest windows need at zoom 100 %: as wide as the
// simulated board's window (772 with the shipped fonts), as high as the main
// window with its menu bar or the waveforms with their sync channels (511).
inline constexpr PixelSize LargestWindow{780, 511};

// What the desktop's frame round a window takes, in the screen's own pixels
// (the zoom does not scale it).
inline constexpr PixelSize WindowFrame{8, 32};

// The smallest zoom the window shrinks to when even 100 % does not fit.
inline constexpr int SmallestZoom = 50;

// The room on a screen, as the windows see it at zoom 100 %: its free area
// in the toolkit's pixels, and how many of the screen's own pixels one of
// them takes.
struct ScreenRoom {
    PixelSize Available;
    double PixelRatio = 1.0;
};

// The room measured while the windows are shown at `shownZoom` (its free
// area and pixel ratio then), as it is at zoom 100 %.
[[nodiscard]] ScreenRoom RoomAtFullSize(PixelSize available, double pixelRatio, int shownZoom);

// Whether `window` (its size at zoom 100 %) with the desktop's frame fits
// into the screen's room at `zoom` percent.
[[nodiscard]] bool ZoomFits(int zoom, PixelSize window, const ScreenRoom& screen);

// The zoom the windows are shown at for the zoom the user chose.
struct ZoomChoice {
    int Chosen = 100;
    int Shown = 100;
    [[nodiscard]] bool Fitted() const { return Shown != Chosen; }
    friend constexpr bool operator==(const ZoomChoice&, const ZoomChoice&) = default;
};

// The chosen zoom when it fits; otherwise the largest of `levels` below it
// that fits; when not even the smallest level fits, the largest multiple of
// 5 % from SmallestZoom up that does (SmallestZoom when none does). No zoom
// ever makes a window larger than the screen.
[[nodiscard]] ZoomChoice FitZoom(int chosen, PixelSize window, const ScreenRoom& screen,
                                 std::span<const int> levels);

// What the status line says when the windows show at another zoom than the
// one chosen.
[[nodiscard]] std::string ZoomFitNotice(const ZoomChoice& choice);

} // namespace scanbench
