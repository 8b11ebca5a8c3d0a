#include "ui/editor/editor_search.h"

#include "ui/dialogs/search_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>

namespace scanbench {

namespace {

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The toolkit's upper case, where it keeps one character one character.
char16_t UpperCase(char16_t c) {
    const char32_t upper = QChar::toUpper(static_cast<char32_t>(c));
    return upper > 0xFFFF ? c : static_cast<char16_t>(upper);
}

constexpr Qt::KeyboardModifiers ShortcutModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// One undo step for the edits made while it lives.
class EditBlock {
public:
    explicit EditBlock(QTextDocument* document) : Cursor(document) { Cursor.beginEditBlock(); }
    ~EditBlock() { Cursor.endEditBlock(); }
    EditBlock(const EditBlock&) = delete;
    EditBlock& operator=(const EditBlock&) = delete;

private:
    QTextCursor Cursor;
};

// A message box that places itself once it knows its size.
class PlacedMessageBox : public QMessageBox {
public:
    PlacedMessageBox(QWidget* parent, std::function<QPoint(QSize)> place)
        : QMessageBox(QMessageBox::Question, QStringLiteral("Confirm"),
                      QStringLiteral("Replace current text?"), QMessageBox::NoButton, parent),
          Place(std::move(place)) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        move(Place(size()));
    }

private:
    std::function<QPoint(QSize)> Place;
};

} // namespace

EditorSearch::EditorSearch(QPlainTextEdit& memo, EditorSearchProperties properties)
    : Memo(memo), Props(std::move(properties)) {
    Memo.installEventFilter(this);
}

EditorSearch::~EditorSearch() {
    Memo.removeEventFilter(this);
    delete Current.data();
}

SearchDialog* EditorSearch::Dialog() const {
    return Current;
}

EditorSearch::KeyRole EditorSearch::RoleOf(const QKeyEvent& key) const {
    const QKeySequence pressed(
        QKeyCombination(key.modifiers() & ShortcutModifiers, static_cast<Qt::Key>(key.key())));
    if (pressed == Props.SearchKey) {
        return KeyRole::Search;
    }
    if (pressed == Props.ReplaceKey) {
        return KeyRole::Replace;
    }
    if (pressed == Props.SearchAgainKey && !Searched.isEmpty()) {
        return KeyRole::SearchAgain;
    }
    return KeyRole::None;
}

bool EditorSearch::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != &Memo || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)) {
        return false;
    }
    const KeyRole role = RoleOf(*static_cast<QKeyEvent*>(event));
    if (role == KeyRole::None) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // The key comes to the editor, and so to this filter, before any
        // shortcut of the window.
        event->accept();
        return true;
    }
    switch (role) {
    case KeyRole::Search:
        RequestDialog(false);
        break;
    case KeyRole::Replace:
        RequestDialog(true);
        break;
    case KeyRole::SearchAgain:
        if (ReplaceMode) {
            ReplaceNext();
        } else {
            FindNext();
        }
        break;
    case KeyRole::None:
        break;
    }
    return true; // the editor never types these keys
}

void EditorSearch::RequestDialog(bool replace) {
    QTimer::singleShot(0, this, [this, replace] { StartSearch(replace); });
}

void EditorSearch::StartSearch(bool replace, const std::optional<QString>& preset) {
    Searched.clear();
    DropDialog();
    ReplaceMode = replace;
    ReplaceAllOn = false;
    auto* dialog = new SearchDialog(
        replace ? SearchDialog::Mode::Replace : SearchDialog::Mode::Find, Memo.window());
    dialog->SetOptions(Props.Options);
    Current = dialog;
    Replaced = 0;

    // The selection's first line, if no text is given.
    const QString selected =
        Memo.textCursor().selectedText().section(QChar::ParagraphSeparator, 0, 0);
    dialog->SetFindText(preset.value_or(selected));

    connect(dialog, &SearchDialog::FindNextRequested, this, &EditorSearch::FindNext);
    connect(dialog, &SearchDialog::ReplaceRequested, this, [this] {
        ReplaceAllOn = false;
        ReplaceNext();
    });
    connect(dialog, &SearchDialog::ReplaceAllRequested, this, [this] {
        ReplaceAllOn = true;
        ReplaceNext();
    });
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        Props.Options = dialog->Options();
        // Typing goes on in the editor.
        Memo.window()->activateWindow();
        if (Memo.isEnabled()) {
            Memo.setFocus(Qt::OtherFocusReason);
        }
    });

    if (!preset) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    } else if (replace) {
        ReplaceNext();
    } else {
        FindNext();
    }
}

SearchOptions EditorSearch::TakeDialogText() {
    const QString dialogText = Current ? Current->FindText() : Searched;
    const SearchOptions options = Current ? Current->Options() : Props.Options;
    if (dialogText != Searched) {
        SearchFrom.reset();
        Searched = dialogText;
    } else {
        const QTextCursor selection = Memo.textCursor();
        const auto start = static_cast<std::size_t>(selection.selectionStart());
        const auto length = static_cast<std::size_t>(selection.selectionEnd()) - start;
        SearchFrom = NextSearchFrom(start, length, options.Down);
    }
    FoundAt.reset();
    return options;
}

bool EditorSearch::PrepareAndSelect() {
    const SearchOptions options = TakeDialogText();
    const QString text = Memo.document()->toRawText();
    FoundAt = FindInText(View(text), View(Searched), options, {SearchFrom}, UpperCase);
    if (Props.HideAfterSearch) {
        CloseDialog();
    }
    if (!FoundAt) {
        return false;
    }
    QTextCursor hit(Memo.document());
    hit.setPosition(static_cast<int>(*FoundAt));
    hit.setPosition(static_cast<int>(*FoundAt) + static_cast<int>(Searched.size()),
                    QTextCursor::KeepAnchor);
    Memo.setTextCursor(hit);
    Memo.ensureCursorVisible();
    emit HitSelected();
    return true;
}

void EditorSearch::FindNext() {
    ReplaceMode = false;
    if (!PrepareAndSelect()) {
        ShowNotFound(QStringLiteral("Search Results"));
        return;
    }
    Memo.window()->activateWindow();
    Memo.setFocus();
    if (Props.HideAfterSearch) {
        CloseDialog();
    }
}

void EditorSearch::ReplaceNext() {
    ReplaceMode = true;
    if (Memo.isReadOnly()) {
        // A running program's text is not changed.
        QApplication::beep();
        return;
    }
    const int enteredWith = Replaced;
    // "Yes to All" and an unprompted replace-all are one undo step.
    std::optional<EditBlock> unprompted;
    if (!Props.PromptReplace && ReplaceAllOn) {
        unprompted.emplace(Memo.document());
    }
    // Hit by hit while each is asked for (or for a single replacement).
    while (!unprompted) {
        if (!PrepareAndSelect()) {
            FinishReplaceRun(enteredWith);
            return;
        }
        switch (Props.PromptReplace ? AskReplace() : Answer::Yes) {
        case Answer::No:
            FoundAt = *FoundAt + static_cast<std::size_t>(Searched.size());
            break;
        case Answer::YesToAll:
            // For the rest of this run only: the next run asks again.
            ReplaceAllOn = true;
            unprompted.emplace(Memo.document());
            ReplaceSelection();
            break;
        case Answer::Yes:
            ReplaceSelection();
            break;
        }
        Memo.ensureCursorVisible();
        if (Props.HideAfterSearch && Replaced == 1) {
            CloseDialog();
        }
        if (!ReplaceAllOn) {
            return;
        }
    }
    ReplaceRest();
    unprompted.reset();
    FinishReplaceRun(enteredWith);
}

void EditorSearch::ReplaceRest() {
    const SearchOptions options = TakeDialogText();
    const QString with = Current ? Current->ReplaceText() : QString();
    const QString text = Memo.document()->toRawText();
    const ReplaceAllOutcome outcome =
        ReplaceAllInText(View(text), View(Searched), View(with), options, {SearchFrom}, UpperCase);
    if (Props.HideAfterSearch) {
        CloseDialog();
    }
    if (outcome.Count == 0) {
        return;
    }
    QTextCursor edit(Memo.document());
    edit.setPosition(static_cast<int>(outcome.Begin));
    edit.setPosition(static_cast<int>(outcome.End), QTextCursor::KeepAnchor);
    edit.insertText(
        QString::fromUtf16(outcome.Segment.data(), static_cast<qsizetype>(outcome.Segment.size())));
    Replaced += static_cast<int>(outcome.Count);
    const auto last = static_cast<int>(outcome.LastInserted);
    edit.setPosition(last);
    edit.setPosition(last + static_cast<int>(with.size()), QTextCursor::KeepAnchor);
    Memo.setTextCursor(edit);
    Memo.ensureCursorVisible();
    emit HitSelected();
}

void EditorSearch::FinishReplaceRun(int enteredWith) {
    if (Replaced == 0 || !ReplaceAllOn) {
        ShowNotFound(QStringLiteral("Replace Results"));
    } else if (enteredWith == 0 && Props.ShowReplaceCount) {
        ShowMessage(QStringLiteral("Replace Results"),
                    QStringLiteral("Replaced %1 instances of \"%2\".").arg(Replaced).arg(Searched));
    }
}

void EditorSearch::ReplaceSelection() {
    QTextCursor cursor = Memo.textCursor();
    const QString with = Current ? Current->ReplaceText() : QString();
    cursor.insertText(with);
    const int end = cursor.position();
    FoundAt = static_cast<std::size_t>(end);
    ++Replaced;
    cursor.setPosition(end - static_cast<int>(with.size()));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    Memo.setTextCursor(cursor);
    emit HitSelected();
}

EditorSearch::Answer EditorSearch::AskReplace() {
    QTextCursor start = Memo.textCursor();
    start.setPosition(start.selectionStart());
    const QRect line = Memo.cursorRect(start);
    const QPoint hit = Memo.viewport()->mapToGlobal(line.topLeft());
    const QScreen* screen = Memo.screen();
    const QRect area =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);

    PlacedMessageBox box(Memo.window(), [=](QSize size) {
        const PromptPlacement at =
            PlacePromptAtHit(hit.x(), hit.y(), line.height(), size.width(), size.height(),
                             {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        return QPoint(at.X, at.Y);
    });
    box.setObjectName(QStringLiteral("ReplacePrompt"));
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* all = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::YesRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::Yes;
    }
    return box.clickedButton() == all ? Answer::YesToAll : Answer::No;
}

void EditorSearch::ShowNotFound(const QString& title) {
    const QString text = SearchFrom ? QStringLiteral("No more instances of \"%1\" found.")
                                    : QStringLiteral("Search string \"%1\" not found.");
    ShowMessage(title, text.arg(Searched));
}

void EditorSearch::ShowMessage(const QString& title, const QString& text) {
    QWidget* parent =
        Current && Current->isVisible() ? static_cast<QWidget*>(Current) : Memo.window();
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SearchMessage"));
    box.exec();
}

void EditorSearch::CloseDialog() {
    if (Current && Current->isVisible()) {
        Current->close();
    }
}

void EditorSearch::DropDialog() {
    if (!Current) {
        return;
    }
    CloseDialog();
    Current->disconnect(this);
    Current->deleteLater();
    Current = nullptr;
}

} // namespace scanbench
