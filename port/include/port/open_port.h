#pragma once

#include "port/host_port.h"
#include "port/pin_settings.h"
#include "port/port_access.h"
#include "port/port_choice.h"

#include <memory>

namespace scanbench {

// The port backend the user chose, ready for use; never null. Hardware
// backends that cannot reach the port still come back, reporting
// DriverAvailable() false. The board argument matters only for
// PortKind::Board, the remote address only for PortKind::Remote.
//
// The backend copies what it needs from the settings now. When the user
// confirms new settings, destroy the old port and open a new one: a new base
// address needs a different device or I/O permission anyway, and ppdev lets
// only one holder claim a device. (Code that holds a SimulatedBoardPort
// directly may call its SetPins instead.)
[[nodiscard]] std::unique_ptr<PortAccess> OpenPort(PortKind kind, const PinSettings& pins,
                                                   const BoardChoice& board,
                                                   const RemoteAddress& remote = {});

} // namespace scanbench
