#pragma once

#include "engine/run/engine.h"
#include "port/port_connection.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

class QDialog;

namespace scanbench::testing {

// Answers the window's questions and dialogs as a test tells it to, and
// remembers what it was asked.
class ScriptedUser final : public UserInteraction {
public:
    bool AskYesNo(QWidget* parent, const QString& question) override;
    QString ChooseFileToOpen(QWidget* parent, const QString& folder) override;
    QString ChooseFileToSave(QWidget* parent, const QString& folder,
                             const QString& suggested) override;
    QString ChooseBoardFile(QWidget* parent, const QString& folder) override;
    void ShowError(QWidget* parent, const QString& message) override;
    bool OpenDocument(const QString& path) override;

    std::deque<bool> Answers;          // Yes when empty
    std::function<void()> WhileAsking; // runs while a question is up
    QStringList Questions;
    QString OpenPath;
    QString OpenFolder; // where the last Open dialog started
    QString SavePath;
    QString SaveFolder;     // where the last Save dialog started
    QString SaveSuggestion; // what the last Save dialog offered
    QString BoardPath;      // the board file chosen
    QStringList Errors;
    QStringList Documents;
    bool BrowserOpens = true; // whether OpenDocument finds a browser
};

// Settings for a board that sends every bit straight back.
[[nodiscard]] Settings LoopbackSettings();

// A main window over the simulated loopback board, with its engine, a
// scripted user, and a scratch folder for program files and the settings
// store. The engine's runs are timed by a stepping clock, so a Speed Run
// lets the interface in after a fixed number of events on any machine.
class WindowFixture {
public:
    // `openPort` stands for the hardware where a test needs its own.
    explicit WindowFixture(bool speedRun = false, MainWindowOptions options = {},
                           PortConnection::Opener openPort = {});

    MainWindow& Window() { return *Main; }
    Engine& Eng() { return Engine_; }
    ScriptedUser& User() { return Person; }
    Settings& Values() { return Stored; }
    SettingsStore& Store() { return SettingsFile; }
    PortConnection& Port() { return Connection; }

    // Writes a file in the scratch folder and returns its path.
    QString WriteFile(const QString& name, const QByteArray& bytes) const;
    // Opens `text` through the Open command, from a file called `name`.
    void OpenProgram(const QByteArray& text, const QString& name = QStringLiteral("prog.bst"));
    // Types `text` at the caret, as the user would.
    void Type(const QString& text);
    // Executes (Execute and its timer ticks) until the timer stops, at most `ticks` ticks.
    int Execute(int ticks = 10000);
    [[nodiscard]] std::int32_t CurrentLine() { return Engine_.Registers().CurrentLine; }

private:
    QTemporaryDir Scratch;
    Settings Stored = LoopbackSettings(); // every bit sent comes straight back
    SettingsStore SettingsFile;
    PortConnection Connection;
    SteppingClock Time;
    Engine Engine_;
    ScriptedUser Person;
    std::unique_ptr<MainWindow> Main;
};

// Runs `steps` once `dialog` is up as a modal dialog, then rejects it if the
// steps left it open. Call before the command that opens it.
void WhenModal(QDialog& dialog, std::function<void()> steps);

// Whether both the tool button and the menu item of a run command are enabled.
[[nodiscard]] bool BothEnabled(const QAction* button, const QAction* item);

} // namespace scanbench::testing
