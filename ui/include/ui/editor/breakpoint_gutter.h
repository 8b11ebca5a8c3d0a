#pragma once

#include "window_logic/editor/gutter_geometry.h"

#include <QObject>
#include <QPixmap>

#include <array>
#include <optional>

class QCheckBox;
class QWidget;

namespace scanbench {

class PictureView;
class ProgramEditor;

// The gutter beside the editor: the 23 breakpoint boxes (CheckBox1..23), one
// per visible row, and the marker picture that shows at most one
// arrow. Boxes and arrow sit beside the rows the editor really lays out and
// follow them whenever they move, whatever the font, row height or display
// scaling; a box whose row is not wholly on screen is hidden. Box states set
// by the window are not reported back: BoxSync is false while they change,
// as the window's SyncBoxes requires.
class BreakpointGutter : public QObject {
    Q_OBJECT
public:
    // Places the boxes and the picture on `client`, beside `editor`'s rows.
    BreakpointGutter(QWidget& client, const ProgramEditor& editor);

    void ShowStates(const GutterBoxStates& states);
    [[nodiscard]] GutterBoxStates States() const;
    [[nodiscard]] bool BoxSync() const { return Sync; }
    void SetBoxesEnabled(bool enabled);
    [[nodiscard]] QCheckBox* Box(int number) const; // 1..23

    // Fills the marker picture with the window's background colour.
    void ClearMarkers();
    // Shows `arrow` beside editor row `row` (the line `row` below the first
    // visible one); the arrow stays with that line while the editor scrolls.
    void ShowArrow(std::int32_t row, const QPixmap& arrow);
    // The row of the arrow shown, if any is on screen.
    [[nodiscard]] std::optional<std::int32_t> ArrowRow() const;
    // Marks the box of editor line `line` as the breakpoint a run stopped
    // at, while that line is on screen; none takes the mark away.
    void MarkHit(std::optional<std::int32_t> line);
    // The box (1..23) marked as hit, if its line is on screen.
    [[nodiscard]] std::optional<int> HitBox() const;
    [[nodiscard]] const PictureView& Markers() const { return *Picture; }

signals:
    // The user changed a box while BoxSync was true.
    void BoxesChanged();

private:
    // Moves the boxes and the arrow beside the editor's rows as they are now.
    void FollowRows();
    // How many of the editor's `rows` are wholly on screen.
    [[nodiscard]] int WholeRows(const std::vector<RowSpan>& rows) const;
    // Where the arrow goes in the picture, if its line is on screen.
    [[nodiscard]] std::optional<int> ArrowTop(const std::vector<RowSpan>& rows,
                                              int wholeRows) const;
    // A fresh picture with the arrow at `arrowTop`, or none.
    void DrawPicture(std::optional<int> arrowTop);

    const ProgramEditor& Editor;
    QWidget& Client;
    std::array<QCheckBox*, Gutter::BoxCount> Boxes{};
    PictureView* Picture;
    QPixmap Arrow;
    std::optional<std::int32_t> ArrowLine; // the editor line the arrow stands beside
    std::optional<int> DrawnArrowTop;      // where the picture shows it now
    std::optional<std::int32_t> HitLine;   // the line of the breakpoint hit
    QWidget* HitMark;                      // the ring round its box
    bool Sync = true;
};

} // namespace scanbench
