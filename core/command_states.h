#pragma once

namespace scanbench {

// Enabled states of the main window's commands that the engine decides. A
// field covers the tool button and the menu item of its command unless its
// name says otherwise.
struct CommandStates {
    bool EventByEvent = false;
    bool StepByStep = false;
    bool Execute = false;
    bool Pause = false;
    bool SpeedRunButton = false;
    bool SpeedRunItem = false;
    bool Reset = false;
    bool ShowExecPoint = false; // menu item only
    bool Search = true;         // Search, Replace and the search button
    bool EditorWritable = true; // editor writable and its panel enabled
    bool SaveFileButton = false;
    bool SaveItems = false;   // "&Save" and "Save &As..."
    bool GutterBoxes = false; // the breakpoint check boxes

    friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

} // namespace scanbench
