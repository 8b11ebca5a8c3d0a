#include "ui/tools/editor_tools.h"

#include "engine/run/engine.h"
#include "ui/artwork/artwork.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/goto_line_dialog.h"
#include "ui/editor/breakpoint_gutter.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/language_text.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/splash_screen.h"
#include "ui/main_window/user_interaction.h"
#include "ui/views/labels_window.h"
#include "window_logic/editor/goto_line.h"

#include <QEvent>
#include <QFrame>

namespace scanbench {

namespace {

// The goto arrow stands out from the execution arrow.
const QColor GotoArrowColour(30, 110, 230);

} // namespace

EditorTools::EditorTools(MainWindow& window, Engine& engine, CommandTracker& commands,
                         UserInteraction& user, bool splash)
    : Window(window), Eng(engine), Commands(commands), User(user),
      GotoBox(new GotoLineDialog(&window)),
      AboutWindow(new AboutDialog(&window, window.Model().AboutClicks())),
      LabelsBox(new LabelsWindow(&window, engine.State().Labels)),
      GotoArrow(ArrowPicture(GotoArrowColour, window.palette().color(QPalette::Window))) {
    EditorSearchProperties properties;
    properties.HideAfterSearch = false;
    properties.PromptReplace = true;
    properties.ShowReplaceCount = true;
    Searcher = std::make_unique<EditorSearch>(Window.Editor(), properties);
    connect(Searcher.get(), &EditorSearch::HitSelected, &Window, &MainWindow::ShowCaretPos);

    if (splash) {
        SplashWindow = new SplashScreen;
        SplashShowing = true;
        connect(SplashWindow, &SplashScreen::TimeUp, this, [this] { SplashShowing = false; });
        Window.installEventFilter(this);
    }
}

EditorTools::~EditorTools() {
    delete SplashWindow;
}

void EditorTools::Search() {
    const CommandScope scope(Commands);
    Searcher->RequestDialog(false);
}

void EditorTools::Replace() {
    const CommandScope scope(Commands);
    Searcher->RequestDialog(true);
}

void EditorTools::GotoLineCommand() {
    // The dialog waits outside the command, so that a running program's
    // displays keep following it.
    Window.Model().ClearAboutClicks();
    const int answer = GotoBox->exec();
    Window.FocusEditor();
    if (answer != QDialog::Accepted) {
        return;
    }
    const CommandScope scope(Commands);
    const GotoDecision decision =
        DecideGotoLine(GotoBox->Entry().toStdString(), Window.ProgramLines().LineCount());
    switch (decision.What) {
    case GotoDecision::Kind::NotANumber:
        User.ShowError(&Window, LanguageText(Window.LanguageIndex(), LangPos::NotANumber));
        return;
    case GotoDecision::Kind::LineNotFound:
        User.ShowError(&Window, LanguageText(Window.LanguageIndex(), LangPos::LineNotFound));
        return;
    case GotoDecision::Kind::Stay:
        return;
    case GotoDecision::Kind::MoveTo:
        break;
    }
    ProgramEditor& editor = Window.Editor();
    editor.PutCaretAtLineStart(decision.Line - 1);
    const bool editing = Window.EditorPanel().isEnabled();
    if (editing) {
        editor.setFocus();
    }
    Window.ShowCaretPos();
    if (!editing) {
        GotoTarget = decision.Line;
        DrawGotoMark();
        Window.SyncBoxes();
    }
}

void EditorTools::DrawGotoMark() {
    const std::int32_t line = GotoTarget - 1;
    ProgramEditor& editor = Window.Editor();
    Window.SetScrollBarPosition(line); // a move of the scroll bar clears the gutter picture
    editor.PutCaretAtLineStart(line);
    Window.ShowCaretPos();
    Window.Gutter().ShowArrow(editor.CaretLine() - editor.FirstVisibleLine(), GotoArrow);
}

void EditorTools::About() {
    std::int32_t& clicks = Window.Model().AboutClicks();
    if (clicks >= AboutUnlockClicks) {
        Window.Items().Labels->setVisible(true);
    } else {
        clicks = 0;
    }
    AboutWindow->SetLanguage(Window.LanguageIndex());
    AboutWindow->exec();
}

void EditorTools::ShowLabels() {
    Window.Model().ClearAboutClicks();
    LabelsBox->exec();
}

bool EditorTools::eventFilter(QObject* watched, QEvent* event) {
    // Shown when the window first shows too: without a window manager the
    // window is never activated.
    const QEvent::Type type = event->type();
    if (watched == &Window && (type == QEvent::WindowActivate || type == QEvent::Show) &&
        SplashShowing && SplashWindow != nullptr) {
        SplashWindow->show();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace scanbench
