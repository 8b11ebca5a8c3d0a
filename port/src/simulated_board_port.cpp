#include "port/simulated_board_port.h"

#include "board/board_file.h"
#include "board/demo_board.h"
#include "port/chip_wiring.h"
#include "port/parallel_connector.h"
#include "port/port_registers.h"

#include <stdexcept>

namespace scanbench {

SimulatedBoardPort::SimulatedBoardPort(const PinSettings& pins, const BoardChoice& board)
    : Settings(pins), Kind(board) {
    if (Kind.Kind == BoardKind::Demo) {
        Mounted.emplace(DemoBoard());
    } else if (Kind.Kind == BoardKind::Interconnect) {
        Mounted.emplace(InterconnectBoard());
    } else if (Kind.Kind == BoardKind::File) {
        Mount(Kind.File);
    }
    Rewire();
}

void SimulatedBoardPort::Mount(const std::string& file) {
    if (file.empty()) {
        Failure = "No board file is chosen: choose one in Setup.";
        return;
    }
    auto loaded = LoadBoardFile(file);
    if (auto* problem = std::get_if<std::string>(&loaded)) {
        Failure = *problem;
        return;
    }
    try {
        Mounted.emplace(std::get<BoardDefinition>(std::move(loaded)));
    } catch (const std::invalid_argument& unusable) {
        Failure = file + ": " + unusable.what();
    }
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
    if (Mounted) {
        const ChipWiring wiring(Settings);
        for (std::size_t index = 0; index < ChipLines.size(); ++index) {
            ChipLines[index] = wiring.ChipLines(driven(index));
        }
        for (std::size_t outputs = 0; outputs < ChipStatus.size(); ++outputs) {
            ChipStatus[outputs] =
                StatusImage(wiring.InputLevels(static_cast<std::uint8_t>(outputs)));
        }
        Mounted->Attach(ChipLines[Registers]);
        return;
    }
    const BoardWiring wiring(Settings, Kind.Kind);
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
