#pragma once

#include "port/port_access.h"
#include "port/ppdev_system.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace scanbench {

// The parallel port through the Linux ppdev driver. The device is chosen by
// base address (DevicePath), opened and claimed at construction, released and
// closed at destruction. ppdev hands over raw register images, with the
// hardware inversions still in place, exactly as direct I/O would see them.
//
// When the device cannot be opened or claimed the port is unavailable, and
// Problem() gives the system's reason with what usually helps: every read
// gives 0xFF and writes are dropped, the same as an address where no
// register answers; so it is without a system to call. A read whose ioctl
// fails also gives 0xFF.
//
// The claim is exclusive and PPCLAIM waits for it: destroy an old PpdevPort
// before constructing a new one for the same device.
class PpdevPort final : public PortAccess {
public:
    PpdevPort(std::int32_t portBase, std::unique_ptr<PpdevSystem> system);
    ~PpdevPort() override;

    // /dev/parport0, 1, 2 for bases 888 (0x378), 632 (0x278), 956 (0x3BC);
    // /dev/parport0 for any other base.
    [[nodiscard]] static std::string_view DevicePath(std::int32_t portBase);
    // Whether the base is one of the three with a device of its own.
    [[nodiscard]] static bool HasDevice(std::int32_t portBase);

    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override;
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override;
    [[nodiscard]] bool DriverAvailable() const override { return Claimed; }
    // ppdev needs no I/O permission; nothing to do.
    void SetDirectAccess(bool /*enable*/) override {}
    [[nodiscard]] std::string Problem() const override { return Failure; }

private:
    [[nodiscard]] std::uint8_t Read(unsigned long request);
    void Write(unsigned long request, std::uint8_t value);

    std::unique_ptr<PpdevSystem> System;
    std::uint16_t DataAddress;
    std::uint16_t StatusAddress;
    std::uint16_t ControlAddress;
    int Fd = -1;
    bool Claimed = false;
    std::string Failure;
};

} // namespace scanbench
