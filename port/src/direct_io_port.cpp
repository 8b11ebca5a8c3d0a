#include "port/direct_io_port.h"

#include "port/port_registers.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace scanbench {

namespace {

[[nodiscard]] bool BaseFits(std::int32_t base) {
    // Compared without adding to the base, which may be near the int limit.
    return base >= 0 && base <= 0x10000 - PortRegister::Count;
}

} // namespace

DirectIoPort::DirectIoPort(std::int32_t portBase, std::unique_ptr<DirectIoSystem> system)
    : System(std::move(system)), Base(portBase),
      First(RegisterAddress(portBase, PortRegister::Data)) {
    Grant();
}

DirectIoPort::~DirectIoPort() {
    Revoke();
}

void DirectIoPort::SetDirectAccess(bool enable) {
    if (enable) {
        Grant();
    } else {
        Revoke();
    }
}

void DirectIoPort::Grant() {
    if (Granted) {
        return;
    }
    const std::string addresses = "the I/O addresses " + std::to_string(Base) + " to " +
                                  std::to_string(std::int64_t{Base} + PortRegister::Count - 1);
    if (!System) {
        Failure = "no system to reach " + addresses + " with";
        return;
    }
    if (!BaseFits(Base)) {
        Failure = addresses + " do not exist";
        return;
    }
    const int result = System->Ioperm(static_cast<unsigned long>(Base), PortRegister::Count, true);
    Granted = result == 0;
    Failure = Granted
                  ? std::string()
                  : "no access to " + addresses + ": " + std::strerror(-result) +
                        (result == -EPERM ? " (needs root or the capability CAP_SYS_RAWIO)" : "");
}

void DirectIoPort::Revoke() {
    if (!Granted) {
        return;
    }
    // Dropping a permission the process holds cannot fail in a way that
    // matters: the port is treated as unavailable from here on either way.
    [[maybe_unused]] const int dropped =
        System->Ioperm(static_cast<unsigned long>(Base), PortRegister::Count, false);
    Granted = false;
    Failure = "direct access to the port was given up";
}

std::uint8_t DirectIoPort::PortReadByte(std::uint16_t address) {
    if (!Granted || !IsRegister(address)) {
        return FloatingBus;
    }
    return System->Inb(address);
}

void DirectIoPort::PortWriteByte(std::uint16_t address, std::uint8_t value) {
    if (Granted && IsRegister(address)) {
        System->Outb(address, value);
    }
}

} // namespace scanbench
