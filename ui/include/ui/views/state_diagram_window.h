#pragma once

// Qt: the state diagram window is a top-level QWidget.
#include "ui/artwork/state_diagram_art.h"
#include "ui/views/view_window.h"

#include <QString>

#include <array>
#include <cstdint>

class QLabel;

namespace scanbench {

class ImageView;
class TapModels;

// The texts the state diagram window shows in the interface language.
struct StateDiagramTexts {
    QString PortLabel; // followed by the port digit
    QString Caption;
    [[nodiscard]] static StateDiagramTexts English();
};

// The TAP state diagram of each port, with the present state of the port's
// controller model highlighted. It follows the models while it is shown: on
// every delivery of stepped TAP states (unless it is told not to follow
// every step) and on every repaint, only the tiles of the old and the new
// state are drawn.
class StateDiagramWindow : public ViewWindow {
    Q_OBJECT
public:
    StateDiagramWindow(const TapModels& taps, ViewFeed& views, QWidget* parent);

    // Brings the highlights up to date with the models.
    void ShowStates();
    // Whether the diagrams follow every step of the models; when they
    // follow again, they show the states the models are in.
    void SetFollowsSteps(bool follows);
    void SetLanguage(const StateDiagramTexts& texts);

    [[nodiscard]] const QImage& Diagram(std::uint8_t tap) const;
    // The state highlighted in a port's diagram; StateDiagram::NoState before the first.
    [[nodiscard]] std::uint8_t ShownState(std::uint8_t tap) const { return Shown[tap & 1]; }

    void RefreshView(ViewChanges changes) override;

protected:
    void Opened() override;
    void DensityChanged() override;
    // Every repaint of a picture first brings the highlights up to date.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartPictures();
    void ShowState(std::uint8_t tap);

    const TapModels& Taps;
    StateDiagramArt Art;
    std::array<ImageView*, 2> Pictures{};
    std::array<QLabel*, 2> PortLabels{};
    std::array<std::uint8_t, 2> Shown{};
    bool FollowsSteps = true;
};

} // namespace scanbench
