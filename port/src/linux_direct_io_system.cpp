#include "port/linux_direct_io_system.h"

#include <cerrno>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define SCANBENCH_HAS_PORT_IO 1
#else
#define SCANBENCH_HAS_PORT_IO 0
#endif

namespace scanbench {

#if SCANBENCH_HAS_PORT_IO

int LinuxDirectIoSystem::Ioperm(unsigned long from, unsigned long count, bool turnOn) {
    return ::ioperm(from, count, turnOn ? 1 : 0) == 0 ? 0 : -errno;
}

std::uint8_t LinuxDirectIoSystem::Inb(std::uint16_t address) {
    return ::inb(address);
}

void LinuxDirectIoSystem::Outb(std::uint16_t address, std::uint8_t value) {
    ::outb(value, address);
}

#else

int LinuxDirectIoSystem::Ioperm(unsigned long /*from*/, unsigned long /*count*/, bool /*turnOn*/) {
    return -ENOSYS; // no port instructions on this processor
}

std::uint8_t LinuxDirectIoSystem::Inb(std::uint16_t /*address*/) {
    return 0xFF;
}

void LinuxDirectIoSystem::Outb(std::uint16_t /*address*/, std::uint8_t /*value*/) {}

#endif

} // namespace scanbench
