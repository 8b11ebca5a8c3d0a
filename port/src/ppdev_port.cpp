#include "port/ppdev_port.h"

#include "port/port_registers.h"

#include <cerrno>
#include <cstring>
#include <linux/ioctl.h> // the request macros linux/ppdev.h is built from
#include <linux/ppdev.h>
#include <string>
#include <utility>

namespace scanbench {

namespace {

// What usually helps when the device cannot be opened for this reason.
std::string OpenAdvice(int error) {
    switch (error) {
    case ENOENT:
        return " (load the kernel modules parport_pc and ppdev)";
    case EACCES:
    case EPERM:
        return " (the user needs read and write access to it: on Debian, membership of the "
               "group lp)";
    case ENXIO:
    case ENODEV:
        return " (no parallel port is there)";
    default:
        return {};
    }
}

} // namespace

PpdevPort::PpdevPort(std::int32_t portBase, std::unique_ptr<PpdevSystem> system)
    : System(std::move(system)), DataAddress(RegisterAddress(portBase, PortRegister::Data)),
      StatusAddress(RegisterAddress(portBase, PortRegister::Status)),
      ControlAddress(RegisterAddress(portBase, PortRegister::Control)) {
    const std::string device(DevicePath(portBase));
    if (!System) {
        Failure = "no system to open " + device + " with";
        return;
    }
    Fd = System->Open(device);
    if (Fd < 0) {
        Failure = "cannot open " + device + ": " + std::strerror(-Fd) + OpenAdvice(-Fd);
        Fd = -1;
        return;
    }
    const int claimed = System->Ioctl(Fd, PPCLAIM, nullptr);
    Claimed = claimed == 0;
    if (!Claimed) {
        Failure = "cannot claim " + device + ": " + std::strerror(-claimed);
        System->Close(Fd);
        Fd = -1;
    }
}

PpdevPort::~PpdevPort() {
    if (Claimed) {
        // Nothing useful can be done if the release fails; the close below
        // frees the port anyway.
        [[maybe_unused]] const int released = System->Ioctl(Fd, PPRELEASE, nullptr);
    }
    if (Fd >= 0) {
        System->Close(Fd);
    }
}

std::string_view PpdevPort::DevicePath(std::int32_t portBase) {
    switch (portBase) {
    case 632:
        return "/dev/parport1";
    case 956:
        return "/dev/parport2";
    default:
        return "/dev/parport0";
    }
}

bool PpdevPort::HasDevice(std::int32_t portBase) {
    return portBase == 888 || portBase == 632 || portBase == 956;
}

std::uint8_t PpdevPort::PortReadByte(std::uint16_t address) {
    if (address == StatusAddress) {
        return Read(PPRSTATUS);
    }
    if (address == DataAddress) {
        return Read(PPRDATA);
    }
    if (address == ControlAddress) {
        return Read(PPRCONTROL);
    }
    return FloatingBus;
}

void PpdevPort::PortWriteByte(std::uint16_t address, std::uint8_t value) {
    if (address == DataAddress) {
        Write(PPWDATA, value);
    } else if (address == ControlAddress) {
        Write(PPWCONTROL, value);
    }
}

std::uint8_t PpdevPort::Read(unsigned long request) {
    std::uint8_t value = FloatingBus;
    if (!Claimed || System->Ioctl(Fd, request, &value) != 0) {
        return FloatingBus;
    }
    return value;
}

void PpdevPort::Write(unsigned long request, std::uint8_t value) {
    if (Claimed) {
        // A failed write leaves the pins as they were; the next event writes
        // both registers again.
        [[maybe_unused]] const int written = System->Ioctl(Fd, request, &value);
    }
}

} // namespace scanbench
