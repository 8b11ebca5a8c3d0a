#pragma once

// Qt: a window of labels.
#include "engine/feed/view_feed.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <span>

class QAction;
class QGroupBox;
class QLabel;

namespace scanbench {

class PortConnection;

// The Parallel Port Signals window: every signal pin of the connector with
// the controller signal wired to it and its present level. It follows the
// engine's port writes through the view feed while it is shown and reads
// the port afresh whenever it is shown.
class PortSignalsWindow : public QWidget, private ViewListener {
    Q_OBJECT
public:
    PortSignalsWindow(PortConnection& port, ViewFeed& views, QWidget* parent);

    // Writes the signal names from the pin settings in use.
    void RelabelPins();
    // Reads the port and shows the level of every pin.
    void RefreshPinLevels();

    // The name and level labels of a pin 1..17 (tests and the screenshot tool).
    [[nodiscard]] QString PinName(std::uint8_t pin) const;
    [[nodiscard]] QString PinLevelText(std::uint8_t pin) const;
    [[nodiscard]] QAction& StayOnTopItem() const { return *StayOnTop; }

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RefreshView(ViewChanges changes) override;
    QGroupBox* BuildGroup(const QString& title, std::span<const std::uint8_t> pins,
                          const char* levelPrefix);
    void KeepOnTop(bool onTop);

    PortConnection& Port;
    QGroupBox* OutputGroup = nullptr;
    QAction* CloseItem = nullptr;
    QAction* StayOnTop = nullptr;
    // Indexed by pin number; null at 0 and nowhere else.
    std::array<QLabel*, 18> Names{};
    std::array<QLabel*, 18> Levels{};
    ViewFeed::Subscription Feed;
};

} // namespace scanbench
