#pragma once

#include <cstdint>

namespace scanbench {

// The I/O permission call and port instructions DirectIoPort uses, behind an
// interface so that the port logic can run against a fake.
class DirectIoSystem {
public:
    DirectIoSystem() = default;
    virtual ~DirectIoSystem() = default;
    DirectIoSystem(const DirectIoSystem&) = delete;
    DirectIoSystem& operator=(const DirectIoSystem&) = delete;
    DirectIoSystem(DirectIoSystem&&) = delete;
    DirectIoSystem& operator=(DirectIoSystem&&) = delete;

    // Grants (turnOn) or drops access to `count` I/O addresses from `from`:
    // 0 on success, the system's error number negated (-EPERM ...) on failure.
    [[nodiscard]] virtual int Ioperm(unsigned long from, unsigned long count, bool turnOn) = 0;
    [[nodiscard]] virtual std::uint8_t Inb(std::uint16_t address) = 0;
    virtual void Outb(std::uint16_t address, std::uint8_t value) = 0;
};

} // namespace scanbench
