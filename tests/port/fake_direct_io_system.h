#pragma once

#include "port/direct_io_system.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace scanbench {

// I/O permission and port instructions over three emulated registers. Every
// call goes into a journal the test owns; an access outside the granted
// addresses (which would fault on a real machine) fails the test.
class FakeDirectIoSystem final : public DirectIoSystem {
public:
    explicit FakeDirectIoSystem(std::vector<std::string>& journal) : Journal(journal) {}

    [[nodiscard]] int Ioperm(unsigned long from, unsigned long count, bool turnOn) override {
        Journal.push_back("ioperm " + std::to_string(from) + " " + std::to_string(count) +
                          (turnOn ? " on" : " off"));
        if (IopermError != 0) {
            return -IopermError;
        }
        From = from;
        Count = turnOn ? count : 0;
        return 0;
    }

    [[nodiscard]] std::uint8_t Inb(std::uint16_t address) override {
        Journal.push_back("inb " + std::to_string(address));
        return Granted(address) ? Registers[address - From] : 0xFF;
    }

    void Outb(std::uint16_t address, std::uint8_t value) override {
        Journal.push_back("outb " + std::to_string(address) + " " + std::to_string(value));
        if (Granted(address)) {
            Registers[address - From] = value;
        }
    }

    int IopermError = 0; // the error number Ioperm fails with; 0: it grants
    std::array<std::uint8_t, 3> Registers{0x00, 0x5A, 0x00}; // data, status, control

private:
    [[nodiscard]] bool Granted(std::uint16_t address) const {
        const bool granted = address >= From && address - From < Count && Count <= 3;
        EXPECT_TRUE(granted) << "access to ungranted address " << address;
        return granted;
    }

    std::vector<std::string>& Journal;
    unsigned long From = 0;
    unsigned long Count = 0;
};

} // namespace scanbench
