#pragma once

// Qt: the marker line is drawn into the pictures' images.
#include <QImage>

#include <array>

namespace scanbench {

class ImageView;

// The vertical marker line across the waveform pictures. It moves by putting
// back the pixel columns it covered and saving the ones it will cover, never
// by redrawing the traces.
class TraceMarker {
public:
    explicit TraceMarker(std::array<ImageView*, 3> pictures) : Pictures(pictures) {}

    // Puts the line at picture x, taking it away from where it was.
    void MoveTo(int x);
    // Takes the line away, leaving the pictures as they were drawn.
    void Remove();
    // Forgets the line without touching the pictures (they were drawn anew).
    void Drop() { X = -1; }
    [[nodiscard]] int Position() const { return X; }

private:
    std::array<ImageView*, 3> Pictures;
    std::array<QImage, 3> Saved;
    int X = -1;
};

} // namespace scanbench
