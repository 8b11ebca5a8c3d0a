#pragma once

#include "board/net_faults.h"
#include "cli/switch_settings.h"
#include "port/port_choice.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace scanbench {

// Serves one TAP (0 or 1) of a fresh board of chips (the demo board, the
// interconnect board or a board file), its switches set and its faults put
// on as given, over remote_bitbang on 127.0.0.1:port (0: a free port) until
// SIGINT or SIGTERM. Prints the port it listens on to `out` first (and,
// with faults.Revealed, a line naming the faults), then a line for each
// client that comes or goes; a client it drops (silent, or not taking its
// replies) is reported on `err`. A closed standard output does not end it
// (SIGPIPE is ignored). Returns the exit code: 0 after a signal, 2 when the
// board cannot be had or the port cannot be listened on.
int ServeBoard(std::uint16_t port, std::uint8_t tap, const BoardChoice& board,
               const std::vector<SwitchSetting>& switches, const FaultChoice& faults,
               std::ostream& out, std::ostream& err);

} // namespace scanbench
