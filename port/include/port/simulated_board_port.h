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
    void PortWriteDataThenControl(std::uint16_t dataAddress, std::uint8_t data,
                                  std::uint16_t controlAddress, std::uint8_t control) override;
    [[nodiscard]] bool DriverAvailable() const override { return true; }
    void SetDirectAccess(bool /*enable*/) override {}

    // Recables the board and moves the registers to the new base; register
    // contents are kept and the status register follows the new wiring at once.
    void SetPins(const PinSettings& pins);
    [[nodiscard]] const PinSettings& Pins() const { return Settings; }
    [[nodiscard]] BoardKind Board() const { return Kind; }

private:
    void Rewire();
    // Data and control live in one 16-bit word, the table index, and each
    // register is read back from it: writing a byte and then loading the word
    // that contains it would stall the processor on every write.
    void UpdateStatus() { Status = StatusTable[Registers]; }
    [[nodiscard]] std::uint8_t Data() const { return static_cast<std::uint8_t>(Registers & 0xFF); }
    [[nodiscard]] std::uint8_t Control() const { return static_cast<std::uint8_t>(Registers >> 8); }

    PinSettings Settings;
    BoardKind Kind;
    std::uint16_t DataAddress = 0;
    std::uint16_t StatusAddress = 0;
    std::uint16_t ControlAddress = 0;
    std::uint16_t Registers = 0; // control (low four bits only) << 8 | data
    std::uint8_t Status = 0;
    // Indexed by control << 8 | data.
    std::array<std::uint8_t, 16 * 256> StatusTable{};
};

} // namespace scanbench
