#pragma once

namespace scanbench {

// Enabled states of the main window's commands and of its editor. A field
// covers the tool button and the menu item of its command unless its name
// says otherwise.
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

    // The four run commands, and Speed Run as the setting allows.
    void EnableRunCommands(bool speedRunSetting) {
        EventByEvent = true;
        StepByStep = true;
        Execute = true;
        Pause = true;
        SpeedRunButton = speedRunSetting;
        SpeedRunItem = speedRunSetting;
    }
    // The run commands' ten controls.
    void DisableRunCommands() {
        EventByEvent = false;
        StepByStep = false;
        Execute = false;
        Pause = false;
        SpeedRunButton = false;
        SpeedRunItem = false;
    }
    // The run commands and Reset as they were in `earlier`, for a dialog
    // that takes them away while it is open.
    void RestoreRunCommands(const CommandStates& earlier) {
        EventByEvent = earlier.EventByEvent;
        StepByStep = earlier.StepByStep;
        Execute = earlier.Execute;
        Pause = earlier.Pause;
        SpeedRunButton = earlier.SpeedRunButton;
        SpeedRunItem = earlier.SpeedRunItem;
        Reset = earlier.Reset;
    }

    friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

} // namespace scanbench
