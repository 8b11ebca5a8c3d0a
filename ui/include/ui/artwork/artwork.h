#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace scanbench {

// The window's own pictures, drawn with QPainter so that they share one
// style: dark outlines, flat fills, 16 x 16 pixels unless said otherwise.

// The execution-point arrow: a right-pointing arrow outlined in black,
// filled with `fill`, on `face`.
[[nodiscard]] QPixmap ArrowPicture(const QColor& fill, const QColor& face);

// Frame `frame` of the activity indicator: 0 the idle picture, 1..8 a dot
// running round a ring.
inline constexpr int ActivityFrameCount = 9;
[[nodiscard]] QPixmap ActivityPicture(int frame, const QColor& face);

// The logo at the top right of the main window, 197 x 63.
[[nodiscard]] QPixmap LogoPicture(const QSize& size);

// The flag marker: a magenta line 3 pixels wide under binary digit `bit` of
// the flag read-out (digit 0 the rightmost), on `background`.
[[nodiscard]] QPixmap FlagMarkerPicture(const QSize& size, int bit, const QColor& background);

enum class ToolIcon {
    NewFile,
    OpenFile,
    SaveFile,
    Search,
    ClearBreakpoints,
    GotoLine,
    EventByEvent,
    StepByStep,
    Execute,
    Pause,
    Reset,
    SpeedRun,
    StateDiagram,
    Waveforms,
    SimulatedBoard,
    BitstreamShifter,
    Setup,
    About,
    Help,
    ParallelPort,
};

// A tool button picture; the toolkit derives the greyed disabled look.
[[nodiscard]] QIcon ToolButtonIcon(ToolIcon icon);

} // namespace scanbench
