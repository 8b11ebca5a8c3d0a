#include "ui/editor/program_file_controller.h"

#include "engine/interpreter/result_codes.h"
#include "engine/program/program_file.h"
#include "engine/run/engine.h"
#include "svf/svf_import.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_io.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/language_text.h"
#include "ui/main_window/main_window_reporter.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"
#include "window_logic/main_window/main_window_model.h"

#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextDocument>

#include <new>

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

ProgramFileController::ProgramFileController(ProgramFileParts parts)
    : Parts(std::move(parts)), Eng(Parts.Eng), Commands(Parts.Commands), Runs(Parts.Runs),
      User(Parts.User) {}

bool ProgramFileController::MayDropText() {
    if (!Parts.Area.Editor().document()->isModified()) {
        return true;
    }
    // A run at its pace waits for the answer.
    const RunController::TicksHeld held(Runs);
    return User.AskYesNo(&Parts.DialogParent, LanguageText(Parts.Language(), LangPos::UnsavedText));
}

void ProgramFileController::ShowText(const QString& text) {
    ProgramEditor& editor = Parts.Area.Editor();
    Parts.Reports.TextReplaced();
    editor.setPlainText(text);
    editor.document()->setModified(false);
    // The text shows from its first line, whatever the old one showed.
    editor.SetFirstVisibleLine(0);
    editor.horizontalScrollBar()->setValue(0);
    Parts.Area.SetScrollBarPosition(0);
}

bool ProgramFileController::ReplaceText(const QString& text) {
    QTextDocument& document = *Parts.Area.Editor().document();
    const QString kept = document.toPlainText();
    const bool modified = document.isModified();
    try {
        ShowText(text);
        return true;
    } catch (const std::bad_alloc&) {
        ShowText(kept);
        document.setModified(modified);
        User.ShowError(
            &Parts.DialogParent,
            QStringLiteral("The file does not fit into the memory. %1")
                .arg(QString::fromLatin1(Status::NotEnoughMemory.data(),
                                         static_cast<qsizetype>(Status::NotEnoughMemory.size()))));
        return false;
    }
}

void ProgramFileController::NewProgram() {
    const CommandScope scope(Commands);
    if (MayDropText()) {
        Runs.StopRun();
        ShowText(QString());
        // A new program starts from where an opened one does (start values,
        // an empty store, a reset), so nothing of the old program's run is left.
        Eng.OpenProgram();
        Parts.Model.ProgramCleared();
        FileSession.NewProgram();
        Parts.FollowProgramBoard(true);
        Parts.Area.SyncBoxes();
    }
    // Typing goes on in the editor, whatever the answer.
    Parts.Area.FocusEditor();
}

void ProgramFileController::OpenProgram() {
    const CommandScope scope(Commands);
    if (MayDropText()) {
        const QString path = User.ChooseFileToOpen(&Parts.DialogParent, OpenFolder);
        if (!path.isEmpty()) {
            OpenChosenFile(path);
        }
    }
    Parts.Area.FocusEditor();
}

void ProgramFileController::OpenProgramFile(const QString& path) {
    const CommandScope scope(Commands);
    if (MayDropText()) {
        OpenChosenFile(path);
    }
    Parts.Area.FocusEditor();
}

void ProgramFileController::SetProgramFolder(QString folder,
                                             std::function<bool(const QString&)> shipped,
                                             std::function<void(const QString&)> changed) {
    OpenFolder = folder;
    ProgramFolder = std::move(folder);
    IsShipped = std::move(shipped);
    FolderChanged = std::move(changed);
}

bool ProgramFileController::Shipped(const std::string& path) const {
    return IsShipped && IsShipped(QString::fromStdString(path));
}

void ProgramFileController::NoteProgramFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (Shipped(path.toStdString()) || folder == ProgramFolder) {
        return;
    }
    ProgramFolder = folder;
    if (FolderChanged) {
        FolderChanged(folder);
    }
}

void ProgramFileController::RestoreSession(const QString& text, const QString& path,
                                           bool modified) {
    const CommandScope scope(Commands);
    ShowText(text);
    if (!path.isEmpty()) {
        FileSession.Saved(path.toStdString());
    }
    Parts.Area.Editor().document()->setModified(modified);
    Parts.FollowProgramBoard(true);
}

void ProgramFileController::OpenChosenFile(const QString& path) {
    const ProgramFileRead read = ReadOpenedFile(path);
    if (!read.Ok) {
        User.ShowError(&Parts.DialogParent, read.Error);
        return;
    }
    Runs.StopRun();
    if (!ReplaceText(read.Text)) {
        return;
    }
    if (IsSvf(path)) {
        FileSession.TranslationOpened(AbsolutePath(path));
    } else {
        FileSession.ProgramOpened(AbsolutePath(path));
    }
    Eng.OpenProgram();
    Parts.Model.ProgramOpened();
    Parts.FollowProgramBoard(true);
    Parts.Area.SyncBoxes();
    OpenFolder = QFileInfo(path).absolutePath();
    NoteProgramFolder(path);
}

void ProgramFileController::LoadStartFile(const QString& path) {
    const CommandScope scope(Commands);
    const ProgramFileRead read = ReadOpenedFile(path);
    if (!read.Ok) {
        User.ShowError(&Parts.DialogParent, read.Error);
        return;
    }
    if (!ReplaceText(read.Text)) {
        return;
    }
    if (IsSvf(path)) {
        FileSession.TranslationOpened(AbsolutePath(path));
    } else {
        // The text now belongs to the file, as after saving it there.
        FileSession.Saved(AbsolutePath(path));
    }
    Parts.FollowProgramBoard(true);
}

void ProgramFileController::SaveProgram() {
    const CommandScope scope(Commands);
    SaveProg();
}

bool ProgramFileController::SaveProg() {
    // A shipped example stays as shipped: its changes go to a new file.
    if (FileSession.ProgNamed() && !Shipped(FileSession.ProgFile())) {
        return WriteProgram(QString::fromStdString(FileSession.ProgFile()));
    }
    const QString path = ChooseSavePath();
    return !path.isEmpty() && WriteProgram(path);
}

void ProgramFileController::SaveProgramAs() {
    const CommandScope scope(Commands);
    const QString path = ChooseSavePath();
    if (!path.isEmpty()) {
        WriteProgram(path);
    }
}

QString ProgramFileController::ChooseSavePath() {
    const std::string& file = FileSession.ProgFile();
    const bool own = FileSession.ProgNamed() && !Shipped(file);
    const QString folder =
        own ? QFileInfo(QString::fromStdString(file)).absolutePath() : ProgramFolder;
    // A translated SVF file is offered as a program beside it, or in the
    // program folder when it came with Scanbench.
    QString suggested = QString::fromStdString(FileSession.SaveSuggestion());
    if (!suggested.isEmpty() && Shipped(file)) {
        suggested = QDir(ProgramFolder).filePath(QFileInfo(suggested).fileName());
    }
    return User.ChooseFileToSave(&Parts.DialogParent, folder, suggested);
}

bool ProgramFileController::WriteProgram(const QString& path) {
    const QString error = WriteProgramFile(path, ProgramFileBytes(Parts.Lines));
    if (!error.isEmpty()) {
        // The old file is intact and the text still differs from it.
        User.ShowError(&Parts.DialogParent, error);
        return false;
    }
    FileSession.Saved(AbsolutePath(path));
    Parts.Area.Editor().document()->setModified(false);
    NoteProgramFolder(path);
    return true;
}

} // namespace scanbench
