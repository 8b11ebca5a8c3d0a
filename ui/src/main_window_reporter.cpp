#include "engine/engine.h"
#include "ui/breakpoint_gutter.h"
#include "ui/main_window.h"
#include "ui/picture_view.h"
#include "ui/program_editor.h"
#include "ui/readout_panel.h"
#include "ui/status_line.h"

#include <QCoreApplication>
#include <QFrame>

#include <initializer_list>

namespace scanbench {

namespace {

void Enable(std::initializer_list<QAction*> actions, bool enabled) {
    for (QAction* action : actions) {
        action->setEnabled(enabled);
    }
}

} // namespace

void MainWindow::ShowStatus(std::string_view text, StatusColour colour) {
    Pending.Status.emplace(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                           colour);
    RefreshIfIdle();
}

void MainWindow::ShowExecPoint(std::int32_t currentLine) {
    ViewBatch().ShowExecPoint(currentLine);
    RefreshIfIdle();
}

void MainWindow::ClearExecPoint() {
    ViewBatch().ClearArrow();
    RefreshIfIdle();
}

void MainWindow::ShowLine(std::int32_t line) {
    ViewBatch().ShowLine(line);
    RefreshIfIdle();
}

void MainWindow::ShowCounter(std::uint8_t tap, std::string_view text) {
    Pending.Counters[tap & 1].emplace(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    RefreshIfIdle();
}

void MainWindow::ShowFlags(std::uint8_t tap, std::string_view text) {
    Pending.Flags[tap & 1].emplace(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    RefreshIfIdle();
}

void MainWindow::HighlightSelectedTap(std::uint8_t tap) {
    Pending.HighlightedTap = tap;
    RefreshIfIdle();
}

void MainWindow::DrawFlagMarkers(const std::array<int, 2>& selectedBits) {
    ReadoutBoxes->DrawFlagMarkers(selectedBits);
}

void MainWindow::DrawActivity(int frame) {
    if (frame >= 0 && frame < static_cast<int>(ActivityFrames.size())) {
        CircDrwImg->SetPicture(ActivityFrames[static_cast<std::size_t>(frame)]);
    }
}

void MainWindow::ApplyCommandStates(const CommandStates& states) {
    Enable({Tools.ToolButton12, Menu.StepbyStep1}, states.EventByEvent);
    Enable({Tools.ToolButton17, Menu.EventbyEvent1}, states.StepByStep);
    Enable({Tools.ToolButton6, Menu.Run1}, states.Execute);
    Enable({Tools.ToolButton20, Menu.Pause1}, states.Pause);
    Enable({Tools.ToolButton18}, states.SpeedRunButton);
    Enable({Menu.SpeedRunTM1}, states.SpeedRunItem);
    Enable({Tools.ToolButton14, Menu.Reset1}, states.Reset);
    Enable({Menu.ShowExec1}, states.ShowExecPoint);
    Enable({Menu.Search1, Menu.Replace1, Tools.ToolButton5}, states.Search);
    Enable({Tools.ToolButton3}, states.SaveFileButton);
    Enable({Menu.Save1, Menu.SaveAs1}, states.SaveItems);
    Memo1->setReadOnly(!states.EditorWritable);
    Panel1->setEnabled(states.EditorWritable);
    Boxes->SetBoxesEnabled(states.GutterBoxes);
}

void MainWindow::ProcessPendingMessages() {
    RefreshDisplays();
    QCoreApplication::processEvents();
}

EditorViewUpdates& MainWindow::ViewBatch() {
    if (!ViewUpdates.Pending()) {
        ViewUpdates.Begin({Memo1->FirstVisibleLine(), Memo1->MaxFirstVisibleLine(),
                           Memo1->CaretLine(), Memo1->LastLine(), Memo1->WholeRows()});
    }
    return ViewUpdates;
}

void MainWindow::RefreshIfIdle() {
    if (CommandDepth == 0) {
        RefreshDisplays();
    }
}

void MainWindow::RefreshDisplays() {
    if (Pending.Status) {
        StatusBar->ShowStatus(Pending.Status->first, Pending.Status->second);
    }
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        if (const auto& counter = Pending.Counters[tap]) {
            ReadoutBoxes->ShowCounter(tap, *counter);
        }
        if (const auto& flags = Pending.Flags[tap]) {
            ReadoutBoxes->ShowFlags(tap, *flags);
        }
    }
    if (Pending.HighlightedTap) {
        ReadoutBoxes->HighlightTap(*Pending.HighlightedTap);
    }
    Pending = PendingReadouts{};
    if (ViewUpdates.Pending()) {
        ApplyView(ViewUpdates.Take());
    }
}

void MainWindow::ApplyView(const EditorViewUpdates::Outcome& outcome) {
    if (outcome.ScrollBarPosition) {
        SetScrollBarPosition(*outcome.ScrollBarPosition);
    }
    if (outcome.MoveCaret) {
        Memo1->PutCaretAtLineStart(outcome.CaretLine);
    }
    Memo1->SetFirstVisibleLine(outcome.FirstLine);
    if (outcome.RefreshShown) {
        ShowCaretPos();
        SyncBoxes();
    }
    switch (outcome.ArrowState) {
    case EditorViewUpdates::Arrow::Unchanged:
        break;
    case EditorViewUpdates::Arrow::Cleared:
        Boxes->ClearMarkers();
        break;
    case EditorViewUpdates::Arrow::Drawn:
        Boxes->ShowArrow(outcome.ArrowRow, ExecArrow);
        break;
    }
}

} // namespace scanbench
