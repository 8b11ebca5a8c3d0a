#pragma once

#include "window_logic/editor/editor_search_rules.h"

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <optional>

class QKeyEvent;
class QPlainTextEdit;

namespace scanbench {

class SearchDialog;

// How a EditorSearch behaves; a new one starts with these values.
struct EditorSearchProperties {
    QKeySequence SearchKey{Qt::CTRL | Qt::Key_F};  // opens the find dialog
    QKeySequence ReplaceKey{Qt::CTRL | Qt::Key_R}; // opens the replace dialog
    QKeySequence SearchAgainKey{Qt::Key_F3};       // repeats the last find or replace
    SearchOptions Options;                         // kept from one dialog to the next
    bool HideAfterSearch = true;                   // close the dialog after a hit
    bool PromptReplace = true;                     // ask before each replacement
    bool ShowReplaceCount = false;                 // report the count of a replace-all run
};

// Find and replace for a plain-text editor: its own find and replace
// dialogs, the keys that open them (seen before the editor sees them),
// find again, prompted replace and replace-all.
class EditorSearch : public QObject {
    Q_OBJECT
public:
    explicit EditorSearch(QPlainTextEdit& memo, EditorSearchProperties properties = {});
    ~EditorSearch() override;
    EditorSearch(const EditorSearch&) = delete;
    EditorSearch& operator=(const EditorSearch&) = delete;

    [[nodiscard]] EditorSearchProperties& Properties() { return Props; }
    [[nodiscard]] const EditorSearchProperties& Properties() const { return Props; }

    // Opens the find or replace dialog once pending window messages have run.
    void RequestDialog(bool replace);
    // Starts afresh with a new dialog. With a preset text the dialog is not
    // shown and the search runs at once.
    void StartSearch(bool replace, const std::optional<QString>& preset = std::nullopt);
    void FindNext();
    void ReplaceNext();

    // The dialog of the latest search (hidden once closed), if any.
    [[nodiscard]] SearchDialog* Dialog() const;
    [[nodiscard]] const QString& SearchString() const { return Searched; }
    [[nodiscard]] int ReplaceCount() const { return Replaced; }

signals:
    // A hit or the text put in its place is selected.
    void HitSelected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Answer { Yes, No, YesToAll };
    enum class KeyRole { None, Search, Replace, SearchAgain };

    [[nodiscard]] KeyRole RoleOf(const QKeyEvent& key) const;
    // Takes the dialog's text and options: a new text is searched from the
    // start of the text, the same text again from the selection on.
    SearchOptions TakeDialogText();
    // Selects the next hit of the dialog's text; false when there is none.
    bool PrepareAndSelect();
    [[nodiscard]] Answer AskReplace();
    void ReplaceSelection();
    // Replaces every remaining hit at once, as one edit.
    void ReplaceRest();
    // The message that ends a replace run entered with `enteredWith` replacements made.
    void FinishReplaceRun(int enteredWith);
    void ShowNotFound(const QString& title);
    void ShowMessage(const QString& title, const QString& text);
    void CloseDialog();
    void DropDialog();

    QPlainTextEdit& Memo;
    EditorSearchProperties Props;
    QPointer<SearchDialog> Current;
    QString Searched;                      // SearchString
    std::optional<std::size_t> SearchFrom; // nothing: the whole text
    std::optional<std::size_t> FoundAt;    // offset of the last hit
    int Replaced = 0;                      // ReplaceCount
    bool ReplaceAllOn = false;
    bool ReplaceMode = false;
};

} // namespace scanbench
