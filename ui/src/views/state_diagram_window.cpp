#include "ui/views/state_diagram_window.h"

#include "engine/tap/tap_models.h"
#include "ui/views/image_view.h"
#include "window_logic/views/state_diagram_layout.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

namespace scanbench {

namespace {

constexpr QSize ClientSize(601, 337);
constexpr QSize PictureSize(StateDiagram::PictureWidth, StateDiagram::PictureHeight);
constexpr std::array<QPoint, 2> PictureCorners{QPoint(24, 24), QPoint(312, 24)};
constexpr std::array<QPoint, 2> LabelCorners{QPoint(96, 8), QPoint(392, 8)};

} // namespace

StateDiagramTexts StateDiagramTexts::English() {
    return {QStringLiteral("State Diagram for Port "), QStringLiteral("State Diagrams")};
}

StateDiagramWindow::StateDiagramWindow(const TapModels& taps, ViewFeed& views, QWidget* parent)
    : ViewWindow(views, parent, Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint, "este1"),
      Taps(taps) {
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(ClientSize);
    for (std::size_t tap = 0; tap < 2; ++tap) {
        Pictures[tap] = new ImageView(this, tap == 0 ? "Image1" : "Image2", PictureSize);
        Pictures[tap]->move(PictureCorners[tap]);
        Pictures[tap]->installEventFilter(this);
        PortLabels[tap] = new QLabel(this);
        PortLabels[tap]->setObjectName(tap == 0 ? QStringLiteral("Label1")
                                                : QStringLiteral("Label2"));
        PortLabels[tap]->move(LabelCorners[tap]);
    }
    SetLanguage(StateDiagramTexts::English());
    StartPictures();
}

void StateDiagramWindow::SetLanguage(const StateDiagramTexts& texts) {
    for (std::size_t tap = 0; tap < 2; ++tap) {
        QLabel& label = *PortLabels[tap];
        label.setText(texts.PortLabel + QString::number(tap));
        label.adjustSize();
        // A caption too long for its place is centred over its diagram
        // instead of running past it.
        const QRect picture = Pictures[tap]->geometry();
        QPoint corner = LabelCorners[tap];
        if (corner.x() + label.width() > picture.right()) {
            corner.setX(std::max(picture.left(), picture.center().x() - label.width() / 2));
        }
        label.move(corner);
    }
    setWindowTitle(texts.Caption);
}

const QImage& StateDiagramWindow::Diagram(std::uint8_t tap) const {
    return Pictures[tap & 1]->Image();
}

void StateDiagramWindow::StartPictures() {
    Art = DrawStateDiagramArt(devicePixelRatioF());
    for (std::size_t tap = 0; tap < 2; ++tap) {
        Pictures[tap]->Image() = Art.Diagram;
        Pictures[tap]->Changed();
    }
    Shown = {StateDiagram::NoState, StateDiagram::NoState};
}

void StateDiagramWindow::ShowStates() {
    ShowState(0);
    ShowState(1);
}

void StateDiagramWindow::ShowState(std::uint8_t tap) {
    const HighlightMove move = MoveHighlight(Shown[tap], Taps.State(tap));
    if (!move.Highlight) {
        return;
    }
    QImage& picture = Pictures[tap]->Image();
    if (move.Restore) {
        PastePixels(picture, TileCorner(*move.Restore, Art.PixelRatio),
                    Art.NormalTiles[*move.Restore]);
    }
    PastePixels(picture, TileCorner(*move.Highlight, Art.PixelRatio),
                Art.HighlightTiles[*move.Highlight]);
    Shown[tap] = *move.Highlight;
    Pictures[tap]->Changed();
}

void StateDiagramWindow::SetFollowsSteps(bool follows) {
    if (FollowsSteps == follows) {
        return;
    }
    FollowsSteps = follows;
    if (follows && isVisible()) {
        ShowStates();
    }
}

void StateDiagramWindow::RefreshView(ViewChanges changes) {
    if (FollowsSteps && changes.Has(ViewChange::TapStates)) {
        ShowStates();
    }
}

void StateDiagramWindow::Opened() {
    if (!qFuzzyCompare(Art.PixelRatio, devicePixelRatioF())) {
        StartPictures(); // it opens on a screen of another density
    }
    ShowStates();
}

void StateDiagramWindow::DensityChanged() {
    if (!qFuzzyCompare(Art.PixelRatio, devicePixelRatioF())) {
        StartPictures();
        ShowStates();
    }
}

bool StateDiagramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ShowStates();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace scanbench
