#pragma once

#include "port/ppdev_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <linux/ioctl.h>
#include <linux/ppdev.h>
#include <string>
#include <vector>

namespace scanbench {

// A ppdev device that holds the three register images and writes every call
// it receives into a journal the test owns (so the journal outlives the port).
class FakePpdevSystem final : public PpdevSystem {
public:
    explicit FakePpdevSystem(std::vector<std::string>& journal) : Journal(journal) {}

    [[nodiscard]] int Open(const std::string& path) override {
        Journal.push_back("open " + path);
        return OpenError != 0 ? -OpenError : Fd;
    }

    [[nodiscard]] int Ioctl(int fd, unsigned long request, std::uint8_t* byte) override {
        EXPECT_EQ(fd, Fd);
        switch (request) {
        case PPCLAIM:
            Journal.emplace_back("claim");
            return ClaimError != 0 ? -ClaimError : 0;
        case PPRELEASE:
            Journal.emplace_back("release");
            return 0;
        case PPWDATA:
            return Store("wdata", Data, byte);
        case PPWCONTROL:
            return Store("wcontrol", Control, byte);
        case PPRDATA:
            return Load("rdata", Data, byte);
        case PPRCONTROL:
            return Load("rcontrol", Control, byte);
        case PPRSTATUS:
            return Load("rstatus", Status, byte);
        default:
            ADD_FAILURE() << "unexpected ioctl request " << request;
            return -1;
        }
    }

    void Close(int fd) override {
        EXPECT_EQ(fd, Fd);
        Journal.emplace_back("close");
    }

    int OpenError = 0;  // the error number Open fails with; 0: it opens
    int ClaimError = 0; // the same for PPCLAIM
    bool ReadsFail = false;
    std::uint8_t Data = 0;
    std::uint8_t Control = 0;
    std::uint8_t Status = 0x5A;

private:
    int Store(const char* name, std::uint8_t& reg, const std::uint8_t* byte) {
        Journal.push_back(std::string(name) + " " + std::to_string(*byte));
        reg = *byte;
        return 0;
    }
    int Load(const char* name, std::uint8_t reg, std::uint8_t* byte) {
        Journal.emplace_back(name);
        if (ReadsFail) {
            return -EIO;
        }
        *byte = reg;
        return 0;
    }

    static constexpr int Fd = 7;
    std::vector<std::string>& Journal;
};

} // namespace scanbench
