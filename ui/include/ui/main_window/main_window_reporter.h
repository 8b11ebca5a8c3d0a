#pragma once

// Qt: it holds the pictures and texts the main window shows.
#include "engine/feed/engine_listener.h"
#include "window_logic/editor/editor_view_updates.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace scanbench {

class CommandTracker;
class MainWindow;
class MessageLog;
class MessagesWindow;

// Where the run is when a message is shown: CurrentLine and the events played.
struct LogPlace {
    std::int32_t Line = 0;
    std::uint64_t Event = 0;
};

// Shows the engine's reports in the main window. The engine reports on every
// step; the reports are recorded and the displays brought up to date once at
// the end of each command and whenever a run lets the interface work, so
// that a run never lays out or repaints the window per event.
class MainWindowReporter final : public EngineListener {
public:
    MainWindowReporter(MainWindow& window, const CommandTracker& commands);

    void ShowStatus(std::string_view text, StatusColour colour) override;
    // The scroll bar goes to `currentLine`, the caret to the start of editor
    // line `currentLine` - 1 (the last line of the statement just fetched,
    // 0-based) with that line scrolled into view, and the arrow beside it.
    void ShowExecPoint(std::int32_t currentLine) override;
    void StoppedAtBreakpoint(std::int32_t line) override;
    // The execution-point arrow leaves the gutter.
    void ClearExecPoint() override;
    void DrawFlagMarkers(const std::array<int, 2>& selectedBits) override;
    void ShowCounter(std::uint8_t tap, std::string_view text) override;
    void ShowFlags(std::uint8_t tap, std::string_view text) override;
    void HighlightSelectedTap(std::uint8_t tap) override;

    // Frame of the activity indicator (0 = idle picture, 1..8 animation).
    void DrawActivity(int frame);

    // Keeps every status message in `log` (none: no log) with the place
    // `where` gives; `window` shows the log and is refreshed with the other
    // displays while it is open.
    void LogMessagesTo(MessageLog* log, MessagesWindow* window, std::function<LogPlace()> where);

    // The line fetch shows a program line.
    void ShowLine(std::int32_t line);
    // A run command starts: the mark of the breakpoint the last run stopped
    // at goes.
    void ClearBreakpointHit();
    // The editor got a new text: moves of the view asked for the old one are
    // dropped, and no line is marked as running.
    void TextReplaced();
    // Brings every display up to date with what was reported.
    void RefreshDisplays();

private:
    [[nodiscard]] EditorViewUpdates& ViewBatch();
    void ApplyView(const EditorViewUpdates::Outcome& outcome);
    void RefreshIfIdle();

    MainWindow& Window;
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
    // The editor line to highlight as running (-1: none), when it changed.
    std::optional<std::int32_t> PendingRunningLine;
    // The editor line whose breakpoint box shows a stop (-1: none), when it changed.
    std::optional<std::int32_t> PendingHitLine;
    MessageLog* Log = nullptr;
    MessagesWindow* LogWindow = nullptr;
    std::function<LogPlace()> LogWhere;
    EditorViewUpdates ViewUpdates;
};

} // namespace scanbench
