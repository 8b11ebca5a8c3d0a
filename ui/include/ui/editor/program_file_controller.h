#pragma once

#include "window_logic/main_window/program_session.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace scanbench {

class CommandTracker;
class EditorArea;
class Engine;
class MainWindowModel;
class MainWindowReporter;
class ProgramText;
class RunController;
class UserInteraction;

// What the file commands work on: the editor and its program text, the
// window's model and reports, the runs they stop, the questions they ask
// (on `dialogParent`, in the interface language `language` gives).
struct ProgramFileParts {
    Engine& Eng;
    CommandTracker& Commands;
    MainWindowModel& Model;
    EditorArea& Area;
    ProgramText& Lines;
    MainWindowReporter& Reports;
    RunController& Runs;
    UserInteraction& User;
    QWidget& DialogParent;
    std::function<std::uint8_t()> Language;
    // Puts in the board the program in the editor names (Setup's when it
    // names none); true: the program was just opened.
    std::function<void(bool opened)> FollowProgramBoard;
};

// The main window's file commands: New, Open, Save, Save As and the program
// named on the command line. An SVF file opens as its translation, which
// Save writes to a program file of its own. They ask about unsaved text, stop a run that is
// going before the text changes, and keep the program session (file name,
// title, command enabling) up to date.
class ProgramFileController {
public:
    explicit ProgramFileController(ProgramFileParts parts);

    void NewProgram();
    void OpenProgram();
    void SaveProgram();
    void SaveProgramAs();
    // Opens `path` as Open does once a file is chosen, asking about unsaved
    // text first.
    void OpenProgramFile(const QString& path);
    // The user's program folder, where the Open dialog starts at first and
    // the Save dialog for a program without a file of the user's; which
    // files are shipped examples (Save asks for a new name for them, and
    // they never become the program folder); whom to tell when the folder
    // changes (a program of the user's opened or saved elsewhere).
    void SetProgramFolder(QString folder, std::function<bool(const QString&)> shipped,
                          std::function<void(const QString&)> changed);
    // Shows `text` as the program of `path` (empty: never saved), modified
    // or not: the session a restart handed over.
    void RestoreSession(const QString& text, const QString& path, bool modified);
    // Loads the program named at start, as if it had just been saved there.
    void LoadStartFile(const QString& path);

    // Writes the program to its file, asking for one when it has none.
    // False when nothing was written.
    bool SaveProg();
    // Asks about unsaved text; true when the command may go on.
    [[nodiscard]] bool MayDropText();

    [[nodiscard]] ProgramSession& Session() { return FileSession; }
    [[nodiscard]] const ProgramSession& Session() const { return FileSession; }

private:
    bool WriteProgram(const QString& path);
    // The Save dialog, starting in the program folder or the file's own.
    [[nodiscard]] QString ChooseSavePath();
    [[nodiscard]] bool Shipped(const std::string& path) const;
    // A program of the user's was opened or saved at `path`: its folder is
    // the program folder from now on.
    void NoteProgramFolder(const QString& path);
    void OpenChosenFile(const QString& path);
    void ShowText(const QString& text);
    // ShowText, or, when the memory runs out on the way, the text the editor
    // had put back and the user told; false then.
    [[nodiscard]] bool ReplaceText(const QString& text);

    ProgramFileParts Parts;
    Engine& Eng;
    CommandTracker& Commands;
    RunController& Runs;
    UserInteraction& User;
    ProgramSession FileSession;
    QString OpenFolder;    // where the next Open dialog starts
    QString ProgramFolder; // the user's program folder
    std::function<bool(const QString&)> IsShipped;
    std::function<void(const QString&)> FolderChanged;
};

} // namespace scanbench
