#include "ui/editor/search_commands.h"

#include "ui/editor/editor_area.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/command_scope.h"

namespace scanbench {

SearchCommands::SearchCommands(EditorArea& editor, CommandTracker& commands) : Commands(commands) {
    EditorSearchProperties properties;
    properties.HideAfterSearch = false;
    properties.PromptReplace = true;
    properties.ShowReplaceCount = true;
    Searcher = std::make_unique<EditorSearch>(editor.Editor(), properties);
    QObject::connect(Searcher.get(), &EditorSearch::HitSelected, &editor,
                     &EditorArea::ShowCaretPos);
}

SearchCommands::~SearchCommands() = default;

void SearchCommands::Search() {
    const CommandScope scope(Commands);
    Searcher->RequestDialog(false);
}

void SearchCommands::Replace() {
    const CommandScope scope(Commands);
    Searcher->RequestDialog(true);
}

} // namespace scanbench
