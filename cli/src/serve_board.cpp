#include "cli/serve_board.h"

#include "bitbang/bitbang_server.h"
#include "bitbang/board_bitbang_target.h"
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

} // namespace

int ServeBoard(std::uint16_t port, const std::vector<SwitchSetting>& switches, std::ostream& out,
               std::ostream& err) {
    BitbangServer server;
    if (!server.Listen(port)) {
        err << "scanbench-run: --serve-board: " << server.Error() << "\n";
        return RunnerExit::Usage;
    }
    StopServing = false;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    ChipBoard board(DemoBoardChips());
    if (const auto problem = ApplySwitchSettings(switches, board)) {
        err << "scanbench-run: --switches: " << *problem << "\n";
        return RunnerExit::Usage;
    }
    BoardBitbangTarget target(board);
    out << "serving the demo board's TAP 0 (U1, U2) over remote_bitbang on 127.0.0.1:"
        << server.Port() << std::endl;
    server.Serve(target, StopServing, [&out](const std::string& event) {
        out << "remote_bitbang: " << event << std::endl;
    });
    out << "stopped serving" << std::endl;
    return 0;
}

} // namespace scanbench
