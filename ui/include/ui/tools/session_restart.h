#pragma once

#include "ui/main_window/classroom_options.h"

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

namespace scanbench {

class BreakpointFlags;
class CommandTracker;
class EditorArea;
class EngineDisplay;
class ExecutePaceMenu;
class ProgramFileController;
class RunController;
class UserInteraction;

// What the status line and the message log say when a restart for a new
// zoom ended a run.
inline constexpr std::string_view RunStoppedByZoomText =
    "The zoom restart stopped the run; it starts again at line 1";

// What a restart hands over and takes over: the program text, file name,
// modified flag and breakpoints, Execute's pace and whether a run was
// stopped; the launcher that starts the program anew and the window that
// then closes without asking.
struct SessionRestartParts {
    CommandTracker& Commands;
    RunController& Runs;
    EditorArea& Area;
    ProgramFileController& Files;
    BreakpointFlags& Breakpoints;
    ExecutePaceMenu& Pace;
    EngineDisplay& Display;
    UserInteraction& User;
    QWidget& DialogParent;
    ProgramLauncher Launch;
    std::function<void()> CloseWindow;
};

// The restart for a new zoom: the session goes to a file only this user may
// read, the program starts again on it and takes it over.
class SessionRestart {
public:
    explicit SessionRestart(SessionRestartParts parts);

    // Writes the session to a new handover file and starts the program on
    // it; the window then closes without asking. False (with the reason
    // shown) when the program did not start, or when there is no launcher.
    bool Relaunch();
    // Takes over the session a restart handed over in `path`, and removes
    // the file; false (with the reason shown) when it holds none.
    bool TakeHandover(const QString& path);

private:
    SessionRestartParts Parts;
};

} // namespace scanbench
