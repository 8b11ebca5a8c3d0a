#include "port/port_connection.h"

#include "board/chip_board.h"
#include "port/parallel_connector.h"
#include "port/port_registers.h"

#include <utility>

namespace scanbench {

namespace {

PortConnection::Opener OrDefault(PortConnection::Opener open, const RemoteAddress* server) {
    if (open) {
        return open;
    }
    return [server](PortKind kind, const PinSettings& pins, const BoardChoice& board) {
        return OpenPort(kind, pins, board, *server);
    };
}

} // namespace

PortConnection::PortConnection(PortKind kind, const PinSettings& pins, const BoardChoice& board,
                               Opener open, const RemoteAddress& remote)
    : Server(remote), OpenBackend(OrDefault(std::move(open), &Server)), Device(kind), Wiring(board),
      Port(OpenBackend(kind, pins, board)), Lines(*Port, pins) {
    Open(pins);
}

bool PortConnection::Reopen(PortKind kind, const PinSettings& pins, const BoardChoice& board,
                            const RemoteAddress& remote) {
    // A board file is read again: the user may have changed it (or its BSDL
    // files) since it was opened.
    if (kind == Device && board == Wiring && pins == Lines.Pins() &&
        (kind != PortKind::Remote || remote == Server) &&
        (kind != PortKind::Board || board.Kind != BoardKind::File)) {
        return false;
    }
    Server = remote;
    Device = kind;
    Wiring = board;
    Port.reset();
    Port = OpenBackend(kind, pins, board);
    Open(pins);
    return true;
}

void PortConnection::Open(const PinSettings& pins) {
    Reachable = Port->DriverAvailable();
    if (ChipBoard* board = Port->Chips(); board != nullptr && !Broken.Empty()) {
        (void)ApplyFaultChoice(Broken, *board);
    }
    Port->SetDirectAccess(true);
    Lines.SetAccess(*Port);
    Lines.SetPins(pins);
}

std::optional<std::string> PortConnection::SetFaults(const FaultChoice& faults) {
    Broken = faults;
    ChipBoard* board = Port->Chips();
    if (board == nullptr) {
        return std::nullopt;
    }
    if (auto problem = ApplyFaultChoice(faults, *board)) {
        (void)board->SetFaults({});
        return problem;
    }
    return std::nullopt;
}

std::array<std::uint8_t, 18> PortConnection::ReadPinLevels() {
    const std::int32_t base = Lines.Pins().PortBase;
    const std::uint8_t data = Port->PortReadByte(RegisterAddress(base, PortRegister::Data));
    const std::uint8_t status = Port->PortReadByte(RegisterAddress(base, PortRegister::Status));
    const std::uint8_t control = Port->PortReadByte(RegisterAddress(base, PortRegister::Control));
    const PinLevels connector = ConnectorLevels(data, status, control);
    std::array<std::uint8_t, 18> levels{};
    for (std::size_t pin = 1; pin < levels.size(); ++pin) {
        levels[pin] = (connector & PinBit(static_cast<std::uint8_t>(pin))) != 0 ? 1 : 0;
    }
    return levels;
}

} // namespace scanbench
