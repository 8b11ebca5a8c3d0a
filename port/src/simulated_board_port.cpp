#include "port/simulated_board_port.h"

#include "board/demo_board.h"
#include "port/chip_wiring.h"
#include "port/parallel_connector.h"
#include "port/port_registers.h"

namespace scanbench {

SimulatedBoardPort::SimulatedBoardPort(const PinSettings& pins, BoardKind board)
    : Settings(pins), Kind(board) {
    if (Kind == BoardKind::Demo) {
        Demo.emplace(DemoBoardChips());
    }
    Rewire();
}

void SimulatedBoardPort::SetPins(const PinSettings& pins) {
    Settings = pins;
    Rewire();
}

void SimulatedBoardPort::Rewire() {
    DataAddress = RegisterAddress(Settings.PortBase, PortRegister::Data);
    StatusAddress = RegisterAddress(Settings.PortBase, PortRegister::Status);
    ControlAddress = RegisterAddress(Settings.PortBase, PortRegister::Control);

    const auto driven = [](std::size_t index) {
        return DrivenPinLevels(static_cast<std::uint8_t>(index & 0xFF),
                               static_cast<std::uint8_t>(index >> 8));
    };
    if (Demo) {
        const ChipWiring wiring(Settings);
        for (std::size_t index = 0; index < ChipLines.size(); ++index) {
            ChipLines[index] = wiring.ChipLines(driven(index));
        }
        for (std::size_t outputs = 0; outputs < ChipStatus.size(); ++outputs) {
            ChipStatus[outputs] =
                StatusImage(wiring.InputLevels(static_cast<std::uint8_t>(outputs)));
        }
        Demo->Attach(ChipLines[Registers]);
        return;
    }
    const BoardWiring wiring(Settings, Kind);
    for (std::size_t index = 0; index < StatusTable.size(); ++index) {
        StatusTable[index] = StatusImage(wiring.InputLevels(driven(index)));
    }
    Settle();
}

std::uint8_t SimulatedBoardPort::ReadOutputRegister(std::uint16_t address) const {
    if (address == DataAddress) {
        return Data();
    }
    if (address == ControlAddress) {
        return Control();
    }
    return FloatingBus;
}

void SimulatedBoardPort::PortWriteByte(std::uint16_t address, std::uint8_t value) {
    if (address == DataAddress) {
        Registers = static_cast<std::uint16_t>((Registers & 0xFF00U) | value);
    } else if (address == ControlAddress) {
        Registers = static_cast<std::uint16_t>((Registers & 0x00FFU) | ((value & 0x0FU) << 8));
    } else {
        return;
    }
    Settle();
}

} // namespace scanbench
