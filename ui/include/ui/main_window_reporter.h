#pragma once

// Qt: it holds the pictures and texts the main window shows.
#include "engine/engine_reporter.h"
#include "window_logic/editor_view_updates.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <optional>

namespace scanbench {

class CommandTracker;
class MainWindow;
class RunController;

// Shows the engine's reports in the main window. The engine reports on every
// step; the reports are recorded and the displays brought up to date once at
// the end of each command and whenever a run lets the interface work, so
// that a run never lays out or repaints the window per event.
class MainWindowReporter final : public EngineReporter {
public:
    MainWindowReporter(MainWindow& window, RunController& runs, const CommandTracker& commands);

    void ShowStatus(std::string_view text, StatusColour colour) override;
    void ShowExecPoint(std::int32_t currentLine) override;
    void ClearExecPoint() override;
    void DrawFlagMarkers(const std::array<int, 2>& selectedBits) override;
    void ShowCounter(std::uint8_t tap, std::string_view text) override;
    void ShowFlags(std::uint8_t tap, std::string_view text) override;
    void HighlightSelectedTap(std::uint8_t tap) override;
    void ApplyCommandStates(const CommandStates& states) override;
    void DrawActivity(int frame) override;
    void SetExecuteTimer(bool running) override;
    void SetActivityTimer(bool running) override;
    void ProcessPendingMessages() override;

    // The line fetch shows a program line.
    void ShowLine(std::int32_t line);
    // Brings every display up to date with what was reported.
    void RefreshDisplays();

private:
    [[nodiscard]] EditorViewUpdates& ViewBatch();
    void ApplyView(const EditorViewUpdates::Outcome& outcome);
    void RefreshIfIdle();

    MainWindow& Window;
    RunController& Runs;
    const CommandTracker& Commands;
    std::array<QPixmap, 9> ActivityFrames;
    QPixmap ExecArrow;

    // Reports waiting for the next refresh.
    struct PendingReadouts {
        std::optional<std::pair<QString, StatusColour>> Status;
        std::array<std::optional<QString>, 2> Counters;
        std::array<std::optional<QString>, 2> Flags;
        std::optional<std::uint8_t> HighlightedTap;
    };
    PendingReadouts Pending;
    EditorViewUpdates ViewUpdates;
};

} // namespace scanbench
