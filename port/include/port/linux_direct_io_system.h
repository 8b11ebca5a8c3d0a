#pragma once

#include "port/direct_io_system.h"

namespace scanbench {

// DirectIoSystem over ioperm, inb and outb. Only x86 has port instructions;
// elsewhere Ioperm always fails, so no port access is ever attempted.
class LinuxDirectIoSystem final : public DirectIoSystem {
public:
    [[nodiscard]] int Ioperm(unsigned long from, unsigned long count, bool turnOn) override;
    [[nodiscard]] std::uint8_t Inb(std::uint16_t address) override;
    void Outb(std::uint16_t address, std::uint8_t value) override;
};

} // namespace scanbench
