#include "engine/engine.h"
#include "engine/program_file.h"
#include "ui/breakpoint_gutter.h"
#include "ui/editor_program_text.h"
#include "ui/main_window.h"
#include "ui/program_editor.h"
#include "ui/program_file_io.h"
#include "ui/user_interaction.h"

#include <QFileInfo>

namespace scanbench {

bool MainWindow::MayDropText() {
    return !Memo1->document()->isModified() ||
           User.AskYesNo(this, QString::fromLatin1(UnsavedTextQuestion));
}

void MainWindow::StopRunningLoop() {
    if (Eng.Run().Busy()) {
        Eng.ResetSimulation();
    }
}

void MainWindow::ToolButton1Click() {
    const CommandScope scope(*this);
    if (!MayDropText()) {
        return;
    }
    StopRunningLoop();
    Memo1->setPlainText(QString());
    Memo1->document()->setModified(false);
    FileSession.NewProgram();
    SyncBoxes();
}

void MainWindow::ToolButton2Click() {
    const CommandScope scope(*this);
    if (!MayDropText()) {
        return;
    }
    const QString path = User.ChooseFileToOpen(this);
    if (path.isEmpty()) {
        return;
    }
    const ProgramFileRead read = ReadProgramFile(path);
    if (!read.Ok) {
        User.ShowError(this, read.Error);
        return;
    }
    StopRunningLoop();
    Memo1->setPlainText(read.Text);
    Memo1->document()->setModified(false);
    FileSession.ProgramOpened(QFileInfo(path).absoluteFilePath().toStdString());
    SyncBoxes();
}

void MainWindow::LoadStartFile() {
    const CommandScope scope(*this);
    const ProgramFileRead read = ReadProgramFile(Options.StartFile);
    if (!read.Ok) {
        User.ShowError(this, read.Error);
        return;
    }
    Memo1->setPlainText(read.Text);
    Memo1->document()->setModified(false);
    // The text now belongs to the file, as after saving it there.
    FileSession.Saved(QFileInfo(Options.StartFile).absoluteFilePath().toStdString());
}

void MainWindow::ToolButton3Click() {
    const CommandScope scope(*this);
    SaveProg();
}

bool MainWindow::SaveProg() {
    if (FileSession.ProgNamed()) {
        return WriteProgram(QString::fromStdString(FileSession.ProgFile()));
    }
    const QString path = User.ChooseFileToSave(this);
    return !path.isEmpty() && WriteProgram(path);
}

void MainWindow::SaveAs1Click() {
    const CommandScope scope(*this);
    const QString path = User.ChooseFileToSave(this);
    if (!path.isEmpty()) {
        WriteProgram(path);
    }
}

bool MainWindow::WriteProgram(const QString& path) {
    const QString error = WriteProgramFile(path, ProgramFileBytes(*ProgramLines));
    if (!error.isEmpty()) {
        // The old file is intact and the text still differs from it.
        User.ShowError(this, error);
        return false;
    }
    FileSession.Saved(QFileInfo(path).absoluteFilePath().toStdString());
    Memo1->document()->setModified(false);
    return true;
}

void MainWindow::Exit1Click() {
    close();
}

} // namespace scanbench
