#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;

namespace scanbench {

class PictureView;

// The flag and counter read-outs of both TAPs: the group boxes "Flags TAP0",
// "Flags TAP1", "Counter TAP0" and "Counter TAP1" with the labels Flag0,
// Flag1, cnt0 and cnt1 and the flag marker pictures FlagImg0 and FlagImg1.
class ReadoutPanel : public QObject {
    Q_OBJECT
public:
    explicit ReadoutPanel(QWidget& client);

    void ShowFlags(std::uint8_t tap, const QString& text);
    void ShowCounter(std::uint8_t tap, const QString& text);
    // The selected TAP's captions blue and bold with red labels; the
    // other's captions navy with grey labels.
    void HighlightTap(std::uint8_t tap);
    // Marker under the flag bit each TAP's mask selects (0..7).
    void DrawFlagMarkers(const std::array<int, 2>& bits);

    [[nodiscard]] QString FlagsText(std::uint8_t tap) const;
    [[nodiscard]] QString CounterText(std::uint8_t tap) const;
    [[nodiscard]] const QLabel& FlagLabel(std::uint8_t tap) const { return *Flags[tap & 1]; }
    [[nodiscard]] const QGroupBox& FlagGroup(std::uint8_t tap) const {
        return *FlagGroups[tap & 1];
    }

private:
    std::array<QGroupBox*, 2> FlagGroups{};
    std::array<QGroupBox*, 2> CounterGroups{};
    std::array<QLabel*, 2> Flags{};
    std::array<QLabel*, 2> Counters{};
    std::array<PictureView*, 2> Markers{};
};

} // namespace scanbench
