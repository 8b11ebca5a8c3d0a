#include "ui/program_file_controller.h"

#include "engine/engine.h"
#include "engine/program_file.h"
#include "engine/result_codes.h"
#include "ui/command_scope.h"
#include "ui/language_text.h"
#include "ui/main_window.h"
#include "ui/program_editor.h"
#include "ui/program_file_io.h"
#include "ui/run_controller.h"
#include "ui/user_interaction.h"

#include <QFileInfo>
#include <QTextDocument>

#include <new>

namespace scanbench {

namespace {

std::string AbsolutePath(const QString& path) {
    return QFileInfo(path).absoluteFilePath().toStdString();
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

bool ProgramFileController::ReplaceText(const QString& text) {
    QTextDocument& document = *Window.Editor().document();
    const QString kept = document.toPlainText();
    const bool modified = document.isModified();
    try {
        ShowText(text);
        return true;
    } catch (const std::bad_alloc&) {
        ShowText(kept);
        document.setModified(modified);
        User.ShowError(&Window, QStringLiteral("The file does not fit into the memory. %1")
                                    .arg(QString::fromLatin1(
                                        Status::NotEnoughMemory.data(),
                                        static_cast<qsizetype>(Status::NotEnoughMemory.size()))));
        return false;
    }
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
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.Ok) {
        User.ShowError(&Window, read.Error);
        return;
    }
    Runs.StopRun();
    if (!ReplaceText(read.Text)) {
        return;
    }
    FileSession.ProgramOpened(AbsolutePath(path));
    Window.SyncBoxes();
    OpenFolder = QFileInfo(path).absolutePath();
    if (Opened) {
        Opened(path);
    }
}

void ProgramFileController::LoadStartFile(const QString& path) {
    const CommandScope scope(Commands);
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.Ok) {
        User.ShowError(&Window, read.Error);
        return;
    }
    if (!ReplaceText(read.Text)) {
        return;
    }
    // The text now belongs to the file, as after saving it there.
    FileSession.Saved(AbsolutePath(path));
}

void ProgramFileController::SaveProgram() {
    const CommandScope scope(Commands);
    SaveProg();
}

bool ProgramFileController::SaveProg() {
    if (FileSession.ProgNamed()) {
        return WriteProgram(QString::fromStdString(FileSession.ProgFile()));
    }
    const QString path = User.ChooseFileToSave(&Window);
    return !path.isEmpty() && WriteProgram(path);
}

void ProgramFileController::SaveProgramAs() {
    const CommandScope scope(Commands);
    const QString path = User.ChooseFileToSave(&Window);
    if (!path.isEmpty()) {
        WriteProgram(path);
    }
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
