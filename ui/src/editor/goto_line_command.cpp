#include "ui/editor/goto_line_command.h"

#include "engine/program/program_text.h"
#include "ui/artwork/artwork.h"
#include "ui/dialogs/goto_line_dialog.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/language_text.h"
#include "ui/main_window/user_interaction.h"
#include "window_logic/editor/goto_line.h"
#include "window_logic/main_window/main_window_model.h"

namespace scanbench {

namespace {

// The goto arrow stands out from the execution arrow.
const QColor GotoArrowColour(30, 110, 230);

} // namespace

GotoLineCommand::GotoLineCommand(GotoLineParts parts)
    : Parts(std::move(parts)), Box(new GotoLineDialog(&Parts.DialogParent)),
      Arrow(ArrowPicture(GotoArrowColour, Parts.DialogParent.palette().color(QPalette::Window))) {}

void GotoLineCommand::Run() {
    // The dialog waits outside the command, so that a running program's
    // displays keep following it.
    Parts.Model.ClearAboutClicks();
    const int answer = Box->exec();
    Parts.Area.FocusEditor();
    if (answer != QDialog::Accepted) {
        return;
    }
    const CommandScope scope(Parts.Commands);
    const GotoDecision decision =
        DecideGotoLine(Box->Entry().toStdString(), Parts.Lines.LineCount());
    switch (decision.What) {
    case GotoDecision::Kind::NotANumber:
        Parts.User.ShowError(&Parts.DialogParent,
                             LanguageText(Parts.Language(), LangPos::NotANumber));
        return;
    case GotoDecision::Kind::LineNotFound:
        Parts.User.ShowError(&Parts.DialogParent,
                             LanguageText(Parts.Language(), LangPos::LineNotFound));
        return;
    case GotoDecision::Kind::Stay:
        return;
    case GotoDecision::Kind::MoveTo:
        break;
    }
    ProgramEditor& editor = Parts.Area.Editor();
    editor.PutCaretAtLineStart(decision.Line - 1);
    const bool editing = Parts.Area.Writable();
    if (editing) {
        editor.setFocus();
    }
    Parts.Area.ShowCaretPos();
    if (!editing) {
        Target = decision.Line;
        DrawMark();
        Parts.Area.SyncBoxes();
    }
}

void GotoLineCommand::DrawMark() {
    const std::int32_t line = Target - 1;
    ProgramEditor& editor = Parts.Area.Editor();
    // A move of the scroll bar clears the gutter picture.
    Parts.Area.SetScrollBarPosition(line);
    editor.PutCaretAtLineStart(line);
    Parts.Area.ShowCaretPos();
    Parts.Area.Gutter().ShowArrow(editor.CaretLine() - editor.FirstVisibleLine(), Arrow);
}

} // namespace scanbench
