#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

class ChipBoard;

// Byte-wide access to the parallel port's I/O addresses. Implementations
// answer only at the three register addresses of their port; other addresses
// read 0xFF and ignore writes.
class PortAccess {
public:
    PortAccess() = default;
    virtual ~PortAccess() = default;
    PortAccess(const PortAccess&) = delete;
    PortAccess& operator=(const PortAccess&) = delete;
    PortAccess(PortAccess&&) = delete;
    PortAccess& operator=(PortAccess&&) = delete;

    [[nodiscard]] virtual std::uint8_t PortReadByte(std::uint16_t address) = 0;
    virtual void PortWriteByte(std::uint16_t address, std::uint8_t value) = 0;
    // Writes the data register, then the control register: what every signal
    // update does. A backend may do both in one go.
    virtual void PortWriteDataThenControl(std::uint16_t dataAddress, std::uint8_t data,
                                          std::uint16_t controlAddress, std::uint8_t control) {
        PortWriteByte(dataAddress, data);
        PortWriteByte(controlAddress, control);
    }
    [[nodiscard]] virtual bool DriverAvailable() const = 0;
    // Asked once at start with true; backends that need no permission ignore it.
    virtual void SetDirectAccess(bool enable) = 0;
    // Why the port cannot be reached (not now, or no longer): empty while
    // all is well. Backends that report more than DriverAvailable() give it.
    [[nodiscard]] virtual std::string Problem() const { return {}; }
    // The simulated chips behind the port, for setting their switches and
    // watching them; null where there are none (real hardware among them).
    [[nodiscard]] virtual ChipBoard* Chips() { return nullptr; }
};

} // namespace scanbench
