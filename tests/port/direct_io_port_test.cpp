#include "fake_direct_io_system.h"
#include "port/direct_io_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>

namespace scanbench {
namespace {

using Journal = std::vector<std::string>;

TEST(PortDirectIo, HoldsPermissionForTheThreeRegistersWhileAlive) {
    Journal journal;
    std::optional<DirectIoPort> port;
    port.emplace(632, std::make_unique<FakeDirectIoSystem>(journal));
    EXPECT_TRUE(port->DriverAvailable());
    port->PortWriteByte(632, 5);
    port->PortWriteByte(634, 11);
    EXPECT_EQ(port->PortReadByte(633), 0x5A);
    port.reset();
    EXPECT_EQ(journal, (Journal{"ioperm 632 3 on", "outb 632 5", "outb 634 11", "inb 633",
                                "ioperm 632 3 off"}));
}

TEST(PortDirectIo, DirectAccessCanBeDroppedAndAskedForAgain) {
    Journal journal;
    DirectIoPort port(888, std::make_unique<FakeDirectIoSystem>(journal));
    port.SetDirectAccess(true); // already held: nothing to ask
    port.SetDirectAccess(false);
    EXPECT_FALSE(port.DriverAvailable());
    port.PortWriteByte(888, 1);
    EXPECT_EQ(port.PortReadByte(889), 0xFF);
    port.SetDirectAccess(true);
    EXPECT_TRUE(port.DriverAvailable());
    EXPECT_EQ(journal, (Journal{"ioperm 888 3 on", "ioperm 888 3 off", "ioperm 888 3 on"}));
}

TEST(PortDirectIo, BasesBeyondTheAddressSpaceAreRefusedWithoutAsking) {
    for (const std::int32_t base : {-1, -888, 65534, 65536, 70000, INT32_MAX - 1, INT32_MIN}) {
        Journal journal;
        DirectIoPort port(base, std::make_unique<FakeDirectIoSystem>(journal));
        EXPECT_FALSE(port.DriverAvailable()) << base;
        port.PortWriteByte(static_cast<std::uint16_t>(base), 0);
        EXPECT_TRUE(journal.empty()) << base;
    }
    Journal journal;
    const DirectIoPort lastFitting(65533, std::make_unique<FakeDirectIoSystem>(journal));
    EXPECT_TRUE(lastFitting.DriverAvailable());
    EXPECT_EQ(DirectIoPort(65534, std::make_unique<FakeDirectIoSystem>(journal)).Problem(),
              "the I/O addresses 65534 to 65536 do not exist");
}

TEST(PortDirectIo, RefusedAccessSaysWhyAndWhatHelps) {
    Journal journal;
    auto fake = std::make_unique<FakeDirectIoSystem>(journal);
    fake->IopermError = EPERM;
    const DirectIoPort port(888, std::move(fake));
    EXPECT_EQ(port.Problem(), "no access to the I/O addresses 888 to 890: Operation not "
                              "permitted (needs root or the capability CAP_SYS_RAWIO)");
}

} // namespace
} // namespace scanbench
