#include "port/linux_ppdev_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace scanbench {

int LinuxPpdevSystem::Open(const std::string& path) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? -errno : fd;
}

int LinuxPpdevSystem::Ioctl(int fd, unsigned long request, std::uint8_t* byte) {
    int result = -1;
    // PPCLAIM may sleep while another process holds the port.
    do {
        result = ::ioctl(fd, request, byte);
    } while (result < 0 && errno == EINTR);
    return result < 0 ? -errno : 0;
}

void LinuxPpdevSystem::Close(int fd) {
    // Not retried on EINTR: Linux releases the descriptor even then.
    ::close(fd);
}

} // namespace scanbench
