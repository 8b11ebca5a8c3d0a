#pragma once

#include "port/direct_io_system.h"
#include "port/port_access.h"

#include <cstdint>
#include <memory>
#include <string>

namespace scanbench {

// The parallel port through in/out instructions. Access to the three register
// addresses is requested at construction (needs root or CAP_SYS_RAWIO) and
// dropped at destruction; SetDirectAccess(false) drops it early and
// SetDirectAccess(true) asks again. Only those three addresses are ever
// touched, since any other would fault: other addresses read 0xFF and ignore
// writes. A base whose registers would pass address 0xFFFF is refused
// without asking.
//
// Without access the port is unavailable and Problem() says why: reads give
// 0xFF, writes are dropped.
class DirectIoPort final : public PortAccess {
public:
    DirectIoPort(std::int32_t portBase, std::unique_ptr<DirectIoSystem> system);
    ~DirectIoPort() override;

    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override;
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override;
    [[nodiscard]] bool DriverAvailable() const override { return Granted; }
    void SetDirectAccess(bool enable) override;
    [[nodiscard]] std::string Problem() const override { return Failure; }

private:
    [[nodiscard]] bool IsRegister(std::uint16_t address) const {
        return address >= First && address - First < 3;
    }
    void Grant();
    void Revoke();

    std::unique_ptr<DirectIoSystem> System;
    std::int32_t Base;
    std::uint16_t First;
    bool Granted = false;
    std::string Failure;
};

} // namespace scanbench
