#include "window_fixture.h"

#include "ui/editor/program_editor.h"

#include <QDialog>
#include <QFile>
#include <QTimer>

namespace scanbench::testing {

bool ScriptedUser::AskYesNo(QWidget* parent, const QString& question) {
    (void)parent;
    Questions << question;
    if (WhileAsking) {
        WhileAsking();
    }
    if (Answers.empty()) {
        return true;
    }
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

QString ScriptedUser::ChooseFileToOpen(QWidget* parent, const QString& folder) {
    (void)parent;
    OpenFolder = folder;
    return OpenPath;
}

QString ScriptedUser::ChooseFileToSave(QWidget* parent, const QString& folder,
                                       const QString& suggested) {
    (void)parent;
    SaveFolder = folder;
    SaveSuggestion = suggested;
    return SavePath;
}

QString ScriptedUser::ChooseBoardFile(QWidget* parent, const QString& folder) {
    (void)parent;
    (void)folder;
    return BoardPath;
}

void ScriptedUser::ShowError(QWidget* parent, const QString& message) {
    (void)parent;
    Errors << message;
}

bool ScriptedUser::OpenDocument(const QString& path) {
    Documents << path;
    return BrowserOpens;
}

Settings LoopbackSettings() {
    Settings settings;
    settings.Board = BoardKind::Loopback;
    return settings;
}

WindowFixture::WindowFixture(bool speedRun, MainWindowOptions options,
                             PortConnection::Opener openPort)
    : SettingsFile(std::filesystem::path(Scratch.path().toStdString()) / "kzt.json",
                   FileTypeRegistrar(Scratch.path().toStdString(), FileTypeRegistrar::NoTools())),
      Connection(Stored.Port, Stored.Pins, Stored.Board, std::move(openPort)),
      Engine_(Connection.Signals(), EventBudget::ForBytes(1ULL << 30)) {
    Engine_.UseClock(Time);
    Stored.SpeedRun = speedRun;
    Main = std::make_unique<MainWindow>(
        Engine_, Person, Workbench{Stored, SettingsFile, Connection}, std::move(options));
}

QString WindowFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
    const QString path = Scratch.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

void WindowFixture::OpenProgram(const QByteArray& text, const QString& name) {
    Person.OpenPath = WriteFile(name, text);
    Main->Files().OpenProgram();
}

void WindowFixture::Type(const QString& text) {
    Main->Editor().insertPlainText(text);
}

int WindowFixture::Execute(int ticks) {
    Main->Runs().Execute();
    int n = 0;
    while (Main->ExecuteTimer().isActive() && n < ticks) {
        Main->Runs().ExecuteTick();
        ++n;
    }
    return n;
}

void WhenModal(QDialog& dialog, std::function<void()> steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
        steps();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
}

bool BothEnabled(const QAction* button, const QAction* item) {
    return button->isEnabled() && item->isEnabled();
}

} // namespace scanbench::testing
