#pragma once

#include "window_logic/gutter_geometry.h"

#include <QObject>

#include <array>
#include <optional>

class QCheckBox;
class QWidget;

namespace scanbench {

class PictureView;

// The gutter beside the editor: the 23 breakpoint boxes (CheckBox1..23), one
// per visible row, and the marker picture ImgSeta that shows at most one
// arrow. Box states set by the window are not reported back: BoxSync is
// false while they change, as the window's SyncBoxes requires.
class BreakpointGutter : public QObject {
    Q_OBJECT
public:
    // Places the boxes and the picture on `client` at their window positions.
    explicit BreakpointGutter(QWidget& client);

    void ShowStates(const GutterBoxStates& states);
    [[nodiscard]] GutterBoxStates States() const;
    [[nodiscard]] bool BoxSync() const { return Sync; }
    void SetBoxesEnabled(bool enabled);
    [[nodiscard]] QCheckBox* Box(int number) const; // 1..23

    // Fills the marker picture with the window's background colour.
    void ClearMarkers();
    // Replaces the marker picture by one with `arrow` at editor row `row`.
    void ShowArrow(std::int32_t row, const QPixmap& arrow);
    // The row of the arrow shown, if any.
    [[nodiscard]] std::optional<std::int32_t> ArrowRow() const { return Row; }
    [[nodiscard]] const PictureView& Markers() const { return *Picture; }

signals:
    // The user changed a box while BoxSync was true.
    void BoxesChanged();

private:
    std::array<QCheckBox*, Gutter::BoxCount> Boxes{};
    PictureView* Picture;
    std::optional<std::int32_t> Row;
    bool Sync = true;
};

} // namespace scanbench
