// A program that names its board in a Board line runs on it: the window
// puts that board in for it, and Setup's board back for any other program.
#include "engine/run/engine.h"
#include "port/program_board.h"
#include "ui/editor/program_editor.h"
#include "ui/main_window/main_window.h"
#include "ui/tools/setup_command.h"
#include "window_logic/main_window/program_board_use.h"
#include "window_logic/main_window/program_session.h"

#include <QTextBlock>
#include <QTextDocument>

#include <system_error>

namespace scanbench {

namespace {

// The program's text up to its first statement, where a Board line may
// stand: a long program is not copied whole for it.
std::string LeadingLines(const QTextDocument& document) {
    std::string text;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        const std::string line = block.text().toStdString();
        text += line + "\n";
        if (!IsLeadingLine(line)) {
            break;
        }
    }
    return text;
}

} // namespace

void MainWindow::FollowProgramBoard(bool opened) {
    const ProgramSession& session = Session();
    const auto isFolder = [](const std::filesystem::path& path) {
        std::error_code error;
        return std::filesystem::is_directory(path, error);
    };
    const BoardFileSearch search{
        session.ProgNamed() ? std::filesystem::path(session.ProgFile()).parent_path()
                            : std::filesystem::path(),
        ChooseExamplesFolder(Options.Boards, isFolder).value_or(std::filesystem::path())};
    const std::optional<NamedBoard> named =
        ProgramBoard(LeadingLines(*TextEditor->document()), search);
    const SetupCommand::BoardInUse use = SetupCommands->UseProgramBoard(WindowBoard(named));
    if (!use.Simulated) {
        return; // a real port or a remote server: no board to choose, nothing to tell
    }
    if (const std::optional<BoardNews> news = ProgramBoardNews(named, opened, use.Changed)) {
        Eng.Display().ShowStatus(news->Text, news->Colour);
    }
    if (!use.Problem.empty()) {
        Eng.Display().ShowStatus(use.Problem, StatusColour::Red);
    }
}

} // namespace scanbench
