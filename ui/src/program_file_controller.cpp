#include "ui/program_file_controller.h"

#include "engine/engine.h"
#include "engine/program_file.h"
#include "svf/svf_import.h"
#include "ui/command_scope.h"
#include "ui/language_text.h"
#include "ui/main_window.h"
#include "ui/program_editor.h"
#include "ui/program_file_io.h"
#include "ui/run_controller.h"
#include "ui/user_interaction.h"

#include <QFileInfo>

namespace scanbench {

namespace {

std::string AbsolutePath(const QString& path) {
    return QFileInfo(path).absoluteFilePath().toStdString();
}

bool IsSvf(const QString& path) {
    return IsSvfFileName(path.toStdString());
}

// An SVF file opens as its translation, any other file as a program.
ProgramFileRead ReadOpenedFile(const QString& path) {
    return IsSvf(path) ? ReadSvfFile(path) : ReadProgramFile(path);
}

} // namespace

ProgramFileController::ProgramFileController(Engine& engine, CommandTracker& commands,
                                             MainWindow& window, RunController& runs,
                                             UserInteraction& user)
    : Eng(engine), Commands(commands), Window(window), Runs(runs), User(user), FileSession(engine) {
}

bool ProgramFileController::MayDropText() {
    return !Window.Editor().document()->isModified() ||
           User.AskYesNo(&Window, LanguageText(Window.LangIdx(), LangPos::UnsavedText));
}

void ProgramFileController::ShowText(const QString& text) {
    ProgramEditor& editor = Window.Editor();
    editor.setPlainText(text);
    editor.document()->setModified(false);
}

void ProgramFileController::NewProgram() {
    const CommandScope scope(Commands);
    if (!MayDropText()) {
        return;
    }
    Runs.StopRun();
    ShowText(QString());
    FileSession.NewProgram();
    Window.SyncBoxes();
}

void ProgramFileController::OpenProgram() {
    const CommandScope scope(Commands);
    if (!MayDropText()) {
        return;
    }
    const QString path = User.ChooseFileToOpen(&Window, OpenFolder);
    if (!path.isEmpty()) {
        OpenChosenFile(path);
    }
}

void ProgramFileController::OpenProgramFile(const QString& path) {
    const CommandScope scope(Commands);
    if (MayDropText()) {
        OpenChosenFile(path);
    }
}

void ProgramFileController::SetOpenFolder(QString folder,
                                          std::function<void(const QString&)> opened) {
    OpenFolder = std::move(folder);
    Opened = std::move(opened);
}

void ProgramFileController::RestoreSession(const QString& text, const QString& path,
                                           bool modified) {
    const CommandScope scope(Commands);
    ShowText(text);
    if (!path.isEmpty()) {
        FileSession.Saved(path.toStdString());
    }
    Window.Editor().document()->setModified(modified);
}

void ProgramFileController::OpenChosenFile(const QString& path) {
    const ProgramFileRead read = ReadOpenedFile(path);
    if (!read.Ok) {
        User.ShowError(&Window, read.Error);
        return;
    }
    Runs.StopRun();
    ShowText(read.Text);
    if (IsSvf(path)) {
        FileSession.TranslationOpened(AbsolutePath(path));
    } else {
        FileSession.ProgramOpened(AbsolutePath(path));
    }
    Window.SyncBoxes();
    OpenFolder = QFileInfo(path).absolutePath();
    if (Opened) {
        Opened(path);
    }
}

void ProgramFileController::LoadStartFile(const QString& path) {
    const CommandScope scope(Commands);
    const ProgramFileRead read = ReadOpenedFile(path);
    if (!read.Ok) {
        User.ShowError(&Window, read.Error);
        return;
    }
    ShowText(read.Text);
    if (IsSvf(path)) {
        FileSession.TranslationOpened(AbsolutePath(path));
    } else {
        // The text now belongs to the file, as after saving it there.
        FileSession.Saved(AbsolutePath(path));
    }
}

void ProgramFileController::SaveProgram() {
    const CommandScope scope(Commands);
    SaveProg();
}

bool ProgramFileController::SaveProg() {
    if (FileSession.ProgNamed()) {
        return WriteProgram(QString::fromStdString(FileSession.ProgFile()));
    }
    const QString path = User.ChooseFileToSave(&Window, SaveSuggestion());
    return !path.isEmpty() && WriteProgram(path);
}

void ProgramFileController::SaveProgramAs() {
    const CommandScope scope(Commands);
    const QString path = User.ChooseFileToSave(&Window, SaveSuggestion());
    if (!path.isEmpty()) {
        WriteProgram(path);
    }
}

QString ProgramFileController::SaveSuggestion() const {
    return QString::fromStdString(FileSession.SaveSuggestion());
}

bool ProgramFileController::WriteProgram(const QString& path) {
    const QString error = WriteProgramFile(path, ProgramFileBytes(Window.ProgramLines()));
    if (!error.isEmpty()) {
        // The old file is intact and the text still differs from it.
        User.ShowError(&Window, error);
        return false;
    }
    FileSession.Saved(AbsolutePath(path));
    Window.Editor().document()->setModified(false);
    return true;
}

} // namespace scanbench
