#pragma once

#include <memory>

namespace scanbench {

class CommandTracker;
class EditorArea;
class EditorSearch;

// Search and Replace in the program editor: the editor's search opens its
// dialog once pending messages have run, and a hit shows its place in the
// status line.
class SearchCommands {
public:
    SearchCommands(EditorArea& editor, CommandTracker& commands);
    ~SearchCommands();
    SearchCommands(const SearchCommands&) = delete;
    SearchCommands& operator=(const SearchCommands&) = delete;

    void Search();
    void Replace();

    [[nodiscard]] EditorSearch& TextSearch() const { return *Searcher; }

private:
    CommandTracker& Commands;
    std::unique_ptr<EditorSearch> Searcher;
};

} // namespace scanbench
