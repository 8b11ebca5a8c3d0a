#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

// The few system calls PpdevPort makes, behind an interface so that the port
// logic can run against a fake device where no parallel port exists.
class PpdevSystem {
public:
    PpdevSystem() = default;
    virtual ~PpdevSystem() = default;
    PpdevSystem(const PpdevSystem&) = delete;
    PpdevSystem& operator=(const PpdevSystem&) = delete;
    PpdevSystem(PpdevSystem&&) = delete;
    PpdevSystem& operator=(PpdevSystem&&) = delete;

    // Opens the device for reading and writing: a file descriptor, or the
    // system's error number negated (-ENOENT, -EACCES ...).
    [[nodiscard]] virtual int Open(const std::string& path) = 0;
    // One ppdev ioctl whose argument, if any, is a single byte (nullptr for
    // requests without one): 0 on success, the error number negated on failure.
    [[nodiscard]] virtual int Ioctl(int fd, unsigned long request, std::uint8_t* byte) = 0;
    virtual void Close(int fd) = 0;
};

} // namespace scanbench
