#pragma once

#include "port/ppdev_system.h"

namespace scanbench {

// PpdevSystem over the real open, ioctl and close calls.
class LinuxPpdevSystem final : public PpdevSystem {
public:
    [[nodiscard]] int Open(const std::string& path) override;
    [[nodiscard]] int Ioctl(int fd, unsigned long request, std::uint8_t* byte) override;
    void Close(int fd) override;
};

} // namespace scanbench
