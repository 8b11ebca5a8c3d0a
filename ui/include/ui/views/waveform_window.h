#pragma once

// Qt: the waveform window is a top-level QWidget.
#include "ui/views/trace_marker.h"
#include "ui/views/view_window.h"
#include "window_logic/views/waveform_traces.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace scanbench {

struct EngineState;
class ImageView;

// The recorded events as logic traces: TCK, TMS, RX and TX of each TAP, and
// on request the four sync lines, one 15-pixel column per event from the
// scroll position on, with a marker line that can be dragged across them.
// It reads the engine's state and never changes it. While shown it follows
// the event steps; hidden, it draws nothing and catches up when shown.
class WaveformWindow : public ViewWindow {
    Q_OBJECT
public:
    WaveformWindow(const EngineState& state, ViewFeed& views, QWidget* parent);
    ~WaveformWindow() override;
    WaveformWindow(const WaveformWindow&) = delete;
    WaveformWindow& operator=(const WaveformWindow&) = delete;

    // "Refresh Waveforms": keeps the scroll position unless the store shrank
    // below it, and draws the traces.
    void Refresh();
    // The scroll bar moved to `position`.
    void ScrollTo(int position);
    void SetShowSync(bool show);
    // The marker strip: press, drag with the button held, release.
    void PressMarker(int x);
    void DragMarker(int x);
    void ReleaseMarker();
    // What "Export VCD..." does; the item is disabled while there is none.
    void SetVcdExport(std::function<void()> exportVcd);

    [[nodiscard]] std::uint32_t FirstEvent() const { return First; }
    [[nodiscard]] bool ShowSync() const { return SyncShown; }
    [[nodiscard]] int MarkerX() const { return Marker->Position(); }
    [[nodiscard]] const QImage& TapPicture(std::uint8_t tap) const;
    [[nodiscard]] const QImage& SyncPicture() const;
    [[nodiscard]] QScrollBar& ScrollBar() const { return *Scroll; }
    [[nodiscard]] QAction& ExportVcdItem() const { return *ExportVcd; }

    void RefreshView(ViewChanges changes) override;

protected:
    void Opened() override;
    void DensityChanged() override;

private:
    void BuildCaptions();
    void ApplyLayout();
    void StartPictures();
    void DrawAll();
    void ClearTraces();
    void SetScroll(int position, int maximum);

    const EngineState& State;

    std::array<ImageView*, 2> TapPictures{};
    ImageView* SyncPicture_ = nullptr;
    ImageView* MarkerStrip = nullptr;
    QScrollBar* Scroll = nullptr;
    QCheckBox* SyncBox = nullptr;
    QPushButton* RefreshButton = nullptr;
    std::array<QLabel*, 4> SyncCaptions{};
    std::unique_ptr<TraceMarker> Marker;
    QAction* ExportVcd = nullptr;
    std::function<void()> VcdHook;
    // What the pictures show now; nothing while they are empty.
    std::optional<WaveformTraces> Drawn;

    std::uint32_t First = 0;
    bool SyncShown = false;
    bool MarkerDown = false;
    bool ScrollByProgram = false;
};

} // namespace scanbench
