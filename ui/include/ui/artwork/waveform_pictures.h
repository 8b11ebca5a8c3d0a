#pragma once

// Qt: the traces are drawn into images.
#include "window_logic/views/waveform_traces.h"

#include <QColor>
#include <QImage>

namespace scanbench {

// The colour of a trace pen.
[[nodiscard]] QColor TraceColour(TracePen pen);
[[nodiscard]] QColor WaveBackground();
[[nodiscard]] QColor MarkerLineColour();
// The marker strip under the pictures.
inline const QColor MarkerStripColour(0, 0, 128); // navy

// Draws a TAP picture afresh: background, the four rows, the dots and line
// numbers of the statements; the column x = 0 is left empty.
void PaintTapTraces(QImage& picture, const TapTraces& traces);
// Draws the sync picture afresh.
void PaintSyncTraces(QImage& picture, const SyncTraces& traces);

} // namespace scanbench
