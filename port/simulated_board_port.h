#pragma once

#include "port/board_wiring.h"
#include "port/pin_settings.h"
#include "port/port_access.h"
#include "port/port_choice.h"

#include <array>
#include <cstdint>

namespace scanbench {

// A PC parallel port emulated at register level, its connector cabled to a
// simulated board (see BoardWiring). Always available.
//
// Registers sit at PortBase (data), +1 (status) and +2 (control) of the pin
// settings copied at construction; SetPins replaces the copy. Data and
// control read back what was last written (control only its low four bits);
// status follows the board. Because the board is pure wiring, the status byte
// is a function of the data and control registers alone: it is tabulated for
// all 4096 combinations whenever the wiring changes and looked up on each
// register write, so reads cost nothing.
class SimulatedBoardPort final : public PortAccess {
public:
    SimulatedBoardPort(const PinSettings& pins, BoardKind board);

    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override;
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override;
    [[nodiscard]] bool DriverAvailable() const override { return true; }
    void SetDirectAccess(bool /*enable*/) override {}

    // Recables the board and moves the registers to the new base; register
    // contents are kept and the status register follows the new wiring at once.
    void SetPins(const PinSettings& pins);
    [[nodiscard]] const PinSettings& Pins() const { return Settings; }
    [[nodiscard]] BoardKind Board() const { return Kind; }

private:
    void Rewire();
    void UpdateStatus() { Status = StatusTable[(static_cast<std::size_t>(Control) << 8) | Data]; }

    PinSettings Settings;
    BoardKind Kind;
    std::uint16_t DataAddress = 0;
    std::uint16_t StatusAddress = 0;
    std::uint16_t ControlAddress = 0;
    std::uint8_t Data = 0;
    std::uint8_t Control = 0; // low four bits only
    std::uint8_t Status = 0;
    // Indexed by control << 8 | data.
    std::array<std::uint8_t, 16 * 256> StatusTable{};
};

} // namespace scanbench
