#pragma once

// Qt: the state diagram's pictures are images.
#include <QImage>

#include <array>
#include <cstdint>

namespace scanbench {

// The TAP state diagram at one pixel density: the whole diagram with every
// box in its normal colour, and per state a normal and a highlighted tile
// cut from the same drawing, so that pasting a normal tile restores the
// diagram exactly.
struct StateDiagramArt {
    qreal PixelRatio = 1;
    QImage Diagram;
    std::array<QImage, 16> NormalTiles;
    std::array<QImage, 16> HighlightTiles;
};

[[nodiscard]] StateDiagramArt DrawStateDiagramArt(qreal pixelRatio);

// The device pixel where a state's tile starts in a diagram at `pixelRatio`.
[[nodiscard]] QPoint TileCorner(std::uint8_t state, qreal pixelRatio);

// Colours of the diagram.
namespace DiagramColours {
inline const QColor Background(0, 128, 128); // teal
inline const QColor Box(255, 255, 0);        // yellow
inline const QColor Highlight(0, 255, 255);  // cyan
inline const QColor Tms0(0, 255, 0);
inline const QColor Tms1(255, 0, 0);
} // namespace DiagramColours

} // namespace scanbench
