#include "port/port_connection.h"

#include "port/parallel_connector.h"
#include "port/port_registers.h"

#include <utility>

namespace scanbench {

PortConnection::PortConnection(PortKind kind, const PinSettings& pins, BoardKind board, Opener open)
    : OpenBackend(std::move(open)), Device(kind), Wiring(board),
      Port(OpenBackend(kind, pins, board)), Lines(*Port, pins) {
    Open(pins);
}

bool PortConnection::Reopen(PortKind kind, const PinSettings& pins, BoardKind board) {
    if (kind == Device && board == Wiring && pins == Lines.Pins()) {
        return false;
    }
    Device = kind;
    Wiring = board;
    Port.reset();
    Port = OpenBackend(kind, pins, board);
    Open(pins);
    return true;
}

void PortConnection::Open(const PinSettings& pins) {
    Reachable = Port->DriverAvailable();
    Port->SetDirectAccess(true);
    Lines.SetAccess(*Port);
    Lines.SetPins(pins);
}

std::array<std::uint8_t, 18> PortConnection::ReadPinLevels() {
    const std::int32_t base = Lines.Pins().PortBase;
    const std::uint8_t data = Port->PortReadByte(RegisterAddress(base, PortRegister::Data));
    const std::uint8_t status = Port->PortReadByte(RegisterAddress(base, PortRegister::Status));
    const std::uint8_t control = Port->PortReadByte(RegisterAddress(base, PortRegister::Control));
    const PinLevels connector = ConnectorLevels(data, status, control);
    std::array<std::uint8_t, 18> levels{};
    for (std::uint8_t pin = 1; pin < levels.size(); ++pin) {
        levels[pin] = (connector & PinBit(pin)) != 0 ? 1 : 0;
    }
    return levels;
}

} // namespace scanbench
