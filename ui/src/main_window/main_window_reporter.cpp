#include "ui/main_window/main_window_reporter.h"

#include "settings/display_colours.h"
#include "ui/appearance/window_colours.h"
#include "ui/artwork/artwork.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/readout_panel.h"
#include "ui/main_window/status_line.h"
#include "ui/views/messages_window.h"
#include "ui/views/picture_view.h"

namespace scanbench {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindowReporter::MainWindowReporter(EditorArea& editor, StatusLine& status,
                                       ReadoutPanel& readouts, PictureView& activity,
                                       const QColor& face, const CommandTracker& commands)
    : Area(editor), Status(status), Readouts(readouts), Activity(activity), Commands(commands) {
    for (int frame = 0; frame < ActivityFrameCount; ++frame) {
        ActivityFrames[static_cast<std::size_t>(frame)] = ActivityPicture(frame, face);
    }
    ExecArrow = ArrowPicture(ToQColor(ArrowColor), face);
}

void MainWindowReporter::LogMessagesTo(MessageLog* log, MessagesWindow* window,
                                       std::function<LogPlace()> where) {
    Log = log;
    LogWindow = window;
    LogWhere = std::move(where);
}

void MainWindowReporter::ShowStatus(std::string_view text, StatusColour colour) {
    Pending.Status.emplace(FromUtf8(text), colour);
    // The engine reports only changes of the status, so the log costs
    // nothing while a run repeats the same message.
    if (Log != nullptr) {
        const LogPlace place = LogWhere();
        Log->Add(LogText(text, colour, place.Line), colour, place.Line, place.Event);
    }
    RefreshIfIdle();
}

void MainWindowReporter::StoppedAtBreakpoint(std::int32_t line) {
    // The arrow stays beside the statement just run; the breakpoint's line
    // comes into view with its box marked.
    ViewBatch().RevealLine(line - 1);
    PendingHitLine = line - 1;
    if (Log != nullptr) {
        Log->Add(BreakpointStopText(line), StatusColour::Blue, line, LogWhere().Event);
    }
    RefreshIfIdle();
}

void MainWindowReporter::ClearBreakpointHit() {
    PendingHitLine = -1;
    RefreshIfIdle();
}

void MainWindowReporter::ShowExecPoint(std::int32_t currentLine) {
    ViewBatch().ShowExecPoint(currentLine);
    PendingRunningLine = currentLine > 0 ? currentLine - 1 : -1;
    RefreshIfIdle();
}

void MainWindowReporter::ClearExecPoint() {
    ViewBatch().ClearArrow();
    PendingRunningLine = -1;
    PendingHitLine = -1;
    RefreshIfIdle();
}

void MainWindowReporter::ShowLine(std::int32_t line) {
    ViewBatch().ShowLine(line);
    RefreshIfIdle();
}

void MainWindowReporter::TextReplaced() {
    if (ViewUpdates.Pending()) {
        (void)ViewUpdates.Take();
    }
    PendingRunningLine = -1;
    PendingHitLine = -1;
    RefreshIfIdle();
}

void MainWindowReporter::ShowCounter(std::uint8_t tap, std::string_view text) {
    Pending.Counters[tap & 1].emplace(FromUtf8(text));
    RefreshIfIdle();
}

void MainWindowReporter::ShowFlags(std::uint8_t tap, std::string_view text) {
    Pending.Flags[tap & 1].emplace(FromUtf8(text));
    RefreshIfIdle();
}

void MainWindowReporter::HighlightSelectedTap(std::uint8_t tap) {
    Pending.HighlightedTap = tap;
    RefreshIfIdle();
}

void MainWindowReporter::DrawFlagMarkers(const std::array<int, 2>& selectedBits) {
    Readouts.DrawFlagMarkers(selectedBits);
}

void MainWindowReporter::DrawActivity(int frame) {
    if (frame >= 0 && frame < static_cast<int>(ActivityFrames.size())) {
        Activity.SetPicture(ActivityFrames[static_cast<std::size_t>(frame)]);
    }
}

EditorViewUpdates& MainWindowReporter::ViewBatch() {
    if (!ViewUpdates.Pending()) {
        const ProgramEditor& editor = Area.Editor();
        ViewUpdates.Begin({editor.FirstVisibleLine(), editor.MaxFirstVisibleLine(),
                           editor.CaretLine(), editor.LastLine(), editor.WholeRows()});
    }
    return ViewUpdates;
}

void MainWindowReporter::RefreshIfIdle() {
    if (!Commands.InCommand()) {
        RefreshDisplays();
    }
}

void MainWindowReporter::RefreshDisplays() {
    if (Pending.Status) {
        Status.ShowStatus(Pending.Status->first, Pending.Status->second);
    }
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        if (const auto& counter = Pending.Counters[tap]) {
            Readouts.ShowCounter(tap, *counter);
        }
        if (const auto& flags = Pending.Flags[tap]) {
            Readouts.ShowFlags(tap, *flags);
        }
    }
    if (Pending.HighlightedTap) {
        Readouts.HighlightTap(*Pending.HighlightedTap);
    }
    Pending = PendingReadouts{};
    if (ViewUpdates.Pending()) {
        ApplyView(ViewUpdates.Take());
    }
    if (PendingRunningLine) {
        Area.Editor().SetRunningLine(*PendingRunningLine >= 0
                                         ? std::optional<std::int32_t>(*PendingRunningLine)
                                         : std::nullopt);
        PendingRunningLine.reset();
    }
    if (PendingHitLine) {
        Area.Gutter().MarkHit(*PendingHitLine >= 0 ? std::optional<std::int32_t>(*PendingHitLine)
                                                   : std::nullopt);
        PendingHitLine.reset();
    }
    if (LogWindow != nullptr && LogWindow->isVisible()) {
        LogWindow->Refresh();
    }
}

void MainWindowReporter::ApplyView(const EditorViewUpdates::Outcome& outcome) {
    ProgramEditor& editor = Area.Editor();
    if (outcome.ScrollBarPosition) {
        Area.SetScrollBarPosition(*outcome.ScrollBarPosition);
    }
    if (outcome.MoveCaret) {
        editor.PutCaretAtLineStart(outcome.CaretLine);
    }
    if (outcome.RefreshShown) {
        // Only a batch that showed a line moves the view: one that just took
        // the arrow away leaves it where the editor has it now.
        editor.SetFirstVisibleLine(outcome.FirstLine);
        Area.ShowCaretPos();
        Area.SyncBoxes();
    }
    switch (outcome.ArrowState) {
    case EditorViewUpdates::Arrow::Unchanged:
        break;
    case EditorViewUpdates::Arrow::Cleared:
        Area.Gutter().ClearMarkers();
        break;
    case EditorViewUpdates::Arrow::Drawn:
        Area.Gutter().ShowArrow(outcome.ArrowRow, ExecArrow);
        break;
    }
}

} // namespace scanbench
