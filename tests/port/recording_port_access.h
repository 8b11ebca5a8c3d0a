#pragma once

#include "port/port_access.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace scanbench {

// A PortAccess that remembers every write and every address read, and
// answers every read with Status.
class RecordingPortAccess final : public PortAccess {
public:
    using Write = std::pair<std::uint16_t, std::uint8_t>;

    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override {
        Reads.push_back(address);
        return Status;
    }
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override {
        Writes.emplace_back(address, value);
    }
    [[nodiscard]] bool DriverAvailable() const override { return true; }
    void SetDirectAccess(bool /*enable*/) override {}

    std::uint8_t Status = 0;
    std::vector<Write> Writes;
    std::vector<std::uint16_t> Reads;
};

} // namespace scanbench
