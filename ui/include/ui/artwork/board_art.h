#pragma once

// Qt: the simulated board is drawn with QPainter.
#include "window_logic/views/board_layout.h"

#include <QFont>
#include <QString>

class QPainter;

namespace scanbench {

struct ChipView;

// The fonts of the board picture, all shipped with the program.
struct BoardFonts {
    QFont Title; // chip names, TAP titles, the notice
    QFont Label; // field names, pin names, IDCODEs
    QFont Value; // states, instructions, registers, levels
    [[nodiscard]] static BoardFonts Standard();
};

// The widths and heights the fonts really take, for LayOutBoard.
[[nodiscard]] BoardTextMetrics MeasureBoardText(const BoardFonts& fonts);

// What never changes while the layout stands: the board, the TAP titles,
// the chains' wires and pin names, the sync panel and its captions.
void DrawBoardStatic(QPainter& painter, const BoardLayout& layout, const BoardFonts& fonts);
// One chip, its body area drawn afresh.
void DrawChip(QPainter& painter, const ChipLayout& chip, const ChipView& view,
              const BoardFonts& fonts);
// The SIA and SIB switches in their panel.
void DrawSyncSwitches(QPainter& painter, const SyncPanelLayout& sync, bool sia, bool sib,
                      const BoardFonts& fonts);
// The whole picture of `width` x `height` taken by a notice.
void DrawNotice(QPainter& painter, int width, int height, const QString& notice,
                const BoardFonts& fonts);

} // namespace scanbench
