#include "fake_ppdev_system.h"
#include "port/ppdev_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <optional>

namespace scanbench {
namespace {

using Journal = std::vector<std::string>;

TEST(PortPpdev, DeviceFollowsTheBaseAddress) {
    EXPECT_EQ(PpdevPort::DevicePath(888), "/dev/parport0");
    EXPECT_EQ(PpdevPort::DevicePath(632), "/dev/parport1");
    EXPECT_EQ(PpdevPort::DevicePath(956), "/dev/parport2");
    for (const std::int32_t other : {0, 889, 1016, 0xBC00, -888}) {
        EXPECT_EQ(PpdevPort::DevicePath(other), "/dev/parport0") << other;
    }
}

TEST(PortPpdev, ClaimsAtStartAndReleasesBeforeClosing) {
    Journal journal;
    std::optional<PpdevPort> port;
    port.emplace(632, std::make_unique<FakePpdevSystem>(journal));
    EXPECT_TRUE(port->DriverAvailable());
    EXPECT_EQ(journal, (Journal{"open /dev/parport1", "claim"}));
    port.reset();
    EXPECT_EQ(journal, (Journal{"open /dev/parport1", "claim", "release", "close"}));
}

TEST(PortPpdev, EachRegisterUsesItsOwnRequest) {
    Journal journal;
    auto owned = std::make_unique<FakePpdevSystem>(journal);
    FakePpdevSystem& device = *owned;
    device.Status = 0x87;
    PpdevPort port(888, std::move(owned));
    journal.clear();

    port.PortWriteByte(888, 5);
    port.PortWriteByte(890, 11);
    port.PortWriteByte(889, 99); // the status register cannot be written
    EXPECT_EQ(port.PortReadByte(889), 0x87);
    EXPECT_EQ(port.PortReadByte(888), 5);
    EXPECT_EQ(port.PortReadByte(890), 11);
    EXPECT_EQ(journal, (Journal{"wdata 5", "wcontrol 11", "rstatus", "rdata", "rcontrol"}));
}

TEST(PortPpdev, ClaimFailureClosesTheDeviceOnce) {
    Journal journal;
    auto fake = std::make_unique<FakePpdevSystem>(journal);
    fake->ClaimError = EBUSY;
    {
        const PpdevPort port(888, std::move(fake));
        EXPECT_EQ(port.Problem(), "cannot claim /dev/parport0: Device or resource busy");
    }
    EXPECT_EQ(journal, (Journal{"open /dev/parport0", "claim", "close"}));
}

TEST(PortPpdev, ADeviceThatCannotBeOpenedSaysWhyAndWhatHelps) {
    const auto problem = [](std::int32_t base, int error) {
        Journal journal;
        auto fake = std::make_unique<FakePpdevSystem>(journal);
        fake->OpenError = error;
        return PpdevPort(base, std::move(fake)).Problem();
    };
    EXPECT_EQ(problem(888, ENOENT), "cannot open /dev/parport0: No such file or directory (load "
                                    "the kernel modules parport_pc and ppdev)");
    EXPECT_EQ(problem(632, EACCES),
              "cannot open /dev/parport1: Permission denied (the user needs read and write "
              "access to it: on Debian, membership of the group lp)");
    EXPECT_EQ(problem(956, ENXIO),
              "cannot open /dev/parport2: No such device or address (no parallel port is there)");
    EXPECT_EQ(problem(888, EIO), "cannot open /dev/parport0: Input/output error");
}

TEST(PortPpdev, AFailedReadGivesFF) {
    Journal journal;
    auto fake = std::make_unique<FakePpdevSystem>(journal);
    fake->ReadsFail = true;
    PpdevPort port(888, std::move(fake));
    EXPECT_EQ(port.PortReadByte(889), 0xFF);
    EXPECT_EQ(port.PortReadByte(888), 0xFF);
    EXPECT_TRUE(port.DriverAvailable());
}

} // namespace
} // namespace scanbench
