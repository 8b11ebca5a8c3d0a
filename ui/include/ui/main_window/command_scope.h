#pragma once

#include "engine/feed/view_feed.h"

#include <functional>

namespace scanbench {

class Engine;
class MainWindowModel;

// Counts the main window's commands in progress. A command can run inside
// another one (a click handled while a run lets the interface work); the
// window brings its displays up to date when each command ends.
class CommandTracker {
public:
    CommandTracker(Engine& engine, MainWindowModel& model,
                   std::function<void(bool outermost)> commandEnded)
        : Eng(engine), Model(model), Ended(std::move(commandEnded)) {}

    [[nodiscard]] bool InCommand() const { return Depth > 0; }

private:
    friend class CommandScope;
    Engine& Eng;
    MainWindowModel& Model;
    std::function<void(bool)> Ended;
    int Depth = 0;
};

// One command of the window, from start to end. Nearly every command clears
// the About dialog's click count; the views hear of the command's changes
// once, when it ends.
class CommandScope {
public:
    explicit CommandScope(CommandTracker& tracker, bool clearsAboutClicks = true);
    ~CommandScope();
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    CommandTracker& Tracker;
    ViewFeed::Batch Views;
};

} // namespace scanbench
