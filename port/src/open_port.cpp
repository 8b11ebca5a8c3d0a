#include "port/open_port.h"

#include "port/direct_io_port.h"
#include "port/linux_direct_io_system.h"
#include "port/linux_ppdev_system.h"
#include "port/ppdev_port.h"
#include "port/remote_bitbang_port.h"
#include "port/simulated_board_port.h"

namespace scanbench {

std::unique_ptr<PortAccess> OpenPort(PortKind kind, const PinSettings& pins,
                                     const BoardChoice& board, const RemoteAddress& remote) {
    switch (kind) {
    case PortKind::Ppdev:
        return std::make_unique<PpdevPort>(pins.PortBase, std::make_unique<LinuxPpdevSystem>());
    case PortKind::Direct:
        return std::make_unique<DirectIoPort>(pins.PortBase,
                                              std::make_unique<LinuxDirectIoSystem>());
    case PortKind::Remote:
        return std::make_unique<RemoteBitbangPort>(pins, remote);
    case PortKind::Board:
        break;
    }
    return std::make_unique<SimulatedBoardPort>(pins, board);
}

} // namespace scanbench
