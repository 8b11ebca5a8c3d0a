#include "cli/serve_board.h"

#include "bitbang/bitbang_server.h"
#include "bitbang/board_bitbang_target.h"
#include "board/board_file.h"
#include "board/chip_board.h"
#include "board/demo_board.h"
#include "cli/headless_run.h"

#include <atomic>
#include <csignal>

namespace scanbench {

namespace {

std::atomic<bool> StopServing{false};

extern "C" void OnStopSignal(int /*signal*/) {
    StopServing = true;
}

// "U1, U2": the chips on the TAP's chain.
std::string ChipsOf(const ChipBoard& board, std::uint8_t tap) {
    std::string names;
    for (const ChipSnapshot& chip : board.Snapshot().Chips) {
        if (chip.Tap == tap) {
            names += (names.empty() ? "" : ", ") + chip.Name;
        }
    }
    return names;
}

} // namespace

int ServeBoard(std::uint16_t port, std::uint8_t tap, const BoardChoice& choice,
               const std::vector<SwitchSetting>& switches, const FaultChoice& faults,
               std::ostream& out, std::ostream& err) {
    using Loaded = std::variant<BoardDefinition, std::string>;
    Loaded definition;
    switch (choice.Kind) {
    case BoardKind::Demo:
        definition = DemoBoard();
        break;
    case BoardKind::Interconnect:
        definition = InterconnectBoard();
        break;
    case BoardKind::File:
        definition = LoadBoardFile(choice.File);
        break;
    case BoardKind::Loopback:
    case BoardKind::Open:
        err << "scanbench-run: --serve-board serves a board of chips: the demo board, the "
               "interconnect board or a board file\n";
        return RunnerExit::Usage;
    }
    if (const auto* problem = std::get_if<std::string>(&definition)) {
        err << "scanbench-run: " << *problem << "\n";
        return RunnerExit::Usage;
    }
    BitbangServer server;
    if (!server.Listen(port)) {
        err << "scanbench-run: --serve-board: " << server.Error() << "\n";
        return RunnerExit::Usage;
    }
    StopServing = false;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    // Whoever reads standard output may go away (`| head -1`): the server
    // serves on, and a write there merely fails.
    std::signal(SIGPIPE, SIG_IGN);
    ChipBoard board(std::get<BoardDefinition>(std::move(definition)));
    if (const auto problem = ApplySwitchSettings(switches, board)) {
        err << "scanbench-run: --switches: " << *problem << "\n";
        return RunnerExit::Usage;
    }
    if (const auto problem = ApplyFaultChoice(faults, board)) {
        err << "scanbench-run: --fault: " << *problem << "\n";
        return RunnerExit::Usage;
    }
    BoardBitbangTarget target(board, tap);
    const std::string name = choice.Kind == BoardKind::Demo           ? "the demo board"
                             : choice.Kind == BoardKind::Interconnect ? "the interconnect board"
                                                                      : choice.File;
    out << "serving " << name << "'s TAP " << int(tap) << " (" << ChipsOf(board, tap)
        << ") over remote_bitbang on 127.0.0.1:" << server.Port() << std::endl;
    if (faults.Revealed) {
        out << "faults: " << NetFaultListText(board.Faults()) << std::endl;
    }
    server.Serve(
        target, StopServing,
        {[&out](const std::string& event) { out << "remote_bitbang: " << event << std::endl; },
         [&err](const std::string& problem) {
             err << "scanbench-run: remote_bitbang: " << problem << std::endl;
         }});
    out << "stopped serving" << std::endl;
    return 0;
}

} // namespace scanbench
