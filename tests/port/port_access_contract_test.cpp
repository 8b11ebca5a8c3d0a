// One set of expectations every PortAccess backend must meet: the simulated
// board with each board, the ppdev and direct I/O backends over fakes, and
// the remote port in front of the project's own remote_bitbang server.

#include "bitbang/bitbang_server.h"
#include "fake_direct_io_system.h"
#include "fake_ppdev_system.h"
#include "port/direct_io_port.h"
#include "port/ppdev_port.h"
#include "port/remote_bitbang_port.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <array>
#include <atomic>
#include <cerrno>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace scanbench {
namespace {

// A remote_bitbang target that is a wire from TDI to TDO.
class WireTarget final : public BitbangTarget {
public:
    void Drive(bool /*tck*/, bool /*tms*/, bool tdi) override { Level = tdi; }
    [[nodiscard]] bool Tdo() const override { return Level; }
    void Reset(bool /*trst*/, bool /*srst*/) override {}

private:
    bool Level = false;
};

// The project's remote_bitbang server on a free loopback port, serving a wire
// from its own thread.
class ServedWire {
public:
    ServedWire() {
        EXPECT_TRUE(Server.Listen(0)) << Server.Error();
        Thread = std::thread([this] {
            Server.Serve(Target, Stop,
                         {[](const std::string&) {},
                          [](const std::string& problem) { ADD_FAILURE() << problem; }});
        });
    }
    ServedWire(const ServedWire&) = delete;
    ServedWire& operator=(const ServedWire&) = delete;
    ~ServedWire() {
        Stop = true;
        Thread.join();
    }
    [[nodiscard]] RemoteAddress Address() const { return {"127.0.0.1", Server.Port()}; }

private:
    WireTarget Target;
    BitbangServer Server;
    std::atomic<bool> Stop{false};
    std::thread Thread;
};

// A loopback port that is bound but never listened on, so connecting to it
// is refused for as long as this lives.
class RefusingAddress {
public:
    RefusingAddress() : Fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        EXPECT_EQ(::bind(Fd, raw, length), 0);
        EXPECT_EQ(::getsockname(Fd, raw, &length), 0);
        Port = ntohs(address.sin_port);
    }
    RefusingAddress(const RefusingAddress&) = delete;
    RefusingAddress& operator=(const RefusingAddress&) = delete;
    ~RefusingAddress() { ::close(Fd); }
    [[nodiscard]] RemoteAddress Address() const { return {"127.0.0.1", Port}; }

private:
    int Fd;
    std::uint16_t Port = 0;
};

// A backend under test and the status byte the hardware behind it shows for
// given data and control register contents.
struct Rig {
    std::vector<std::string> Journal;   // declared first: the port's fake writes into it
    std::unique_ptr<ServedWire> Server; // outlives the port that talks to it
    std::unique_ptr<RefusingAddress> Refusing;
    std::unique_ptr<PortAccess> Port;
    std::function<std::uint8_t(std::uint8_t, std::uint8_t)> Status;
};

// Default pins on the loopback board, worked out pin by pin: pin 2 (data
// bit 0) loops to pin 11 (status bit 7, inverted); pin 6 (data bit 4) to pin
// 12 (bit 5); pin 16 (control bit 2) to pin 13 (bit 4); pin 17 (control bit 3,
// inverted) to pin 15 (bit 3); pin 10 (bit 6) and bits 0..2 read high.
std::uint8_t DefaultLoopbackStatus(std::uint8_t data, std::uint8_t control) {
    return static_cast<std::uint8_t>(
        0x47 | ((data & 0x01) != 0 ? 0 : 0x80) | ((data & 0x10) != 0 ? 0x20 : 0) |
        ((control & 0x04) != 0 ? 0x10 : 0) | ((control & 0x08) != 0 ? 0 : 0x08));
}

enum class Backend {
    BoardLoopback,
    BoardOpen,
    BoardDemo,
    Ppdev,
    Direct,
    Remote,
    PpdevOpenFails,
    PpdevClaimFails,
    DirectIopermFails,
    RemoteRefused
};
constexpr std::array<const char*, 10> BackendNames{
    "BoardLoopback",  "BoardOpen",       "BoardDemo",         "Ppdev",        "Direct", "Remote",
    "PpdevOpenFails", "PpdevClaimFails", "DirectIopermFails", "RemoteRefused"};

void Build(Rig& rig, Backend backend, std::int32_t base) {
    PinSettings pins;
    pins.PortBase = base;
    auto ppdev = std::make_unique<FakePpdevSystem>(rig.Journal);
    ppdev->OpenError = backend == Backend::PpdevOpenFails ? ENOENT : 0;
    ppdev->ClaimError = backend == Backend::PpdevClaimFails ? EBUSY : 0;
    auto direct = std::make_unique<FakeDirectIoSystem>(rig.Journal);
    direct->IopermError = backend == Backend::DirectIopermFails ? EPERM : 0;
    // Both fakes start with 0x5A in their status register.
    rig.Status = [](std::uint8_t, std::uint8_t) -> std::uint8_t { return 0x5A; };
    switch (backend) {
    case Backend::BoardLoopback:
        rig.Port = std::make_unique<SimulatedBoardPort>(pins, BoardKind::Loopback);
        rig.Status = DefaultLoopbackStatus;
        break;
    case Backend::BoardOpen:
        rig.Port = std::make_unique<SimulatedBoardPort>(pins, BoardKind::Open);
        rig.Status = [](std::uint8_t, std::uint8_t) -> std::uint8_t { return 0x7F; };
        break;
    case Backend::BoardDemo:
        // The writes below never bring a chip into a shift state: both TDOs
        // stay released (pin 11 high, bit 7 clear; pin 12 high, bit 5) and the
        // SIA and SIB switches low (bits 4 and 3 clear).
        rig.Port = std::make_unique<SimulatedBoardPort>(pins, BoardKind::Demo);
        rig.Status = [](std::uint8_t, std::uint8_t) -> std::uint8_t { return 0x67; };
        break;
    case Backend::Ppdev:
    case Backend::PpdevOpenFails:
    case Backend::PpdevClaimFails:
        rig.Port = std::make_unique<PpdevPort>(base, std::move(ppdev));
        break;
    case Backend::Direct:
    case Backend::DirectIopermFails:
        rig.Port = std::make_unique<DirectIoPort>(base, std::move(direct));
        break;
    case Backend::Remote:
        // TX of TAP 0 (pin 2, data bit 0) comes back on its RX (pin 11,
        // status bit 7, inverted); every other input pin reads high.
        rig.Server = std::make_unique<ServedWire>();
        rig.Port = std::make_unique<RemoteBitbangPort>(pins, rig.Server->Address());
        rig.Status = [](std::uint8_t data, std::uint8_t) -> std::uint8_t {
            return (data & 0x01) != 0 ? 0x7F : 0xFF;
        };
        break;
    case Backend::RemoteRefused:
        rig.Refusing = std::make_unique<RefusingAddress>();
        rig.Port = std::make_unique<RemoteBitbangPort>(pins, rig.Refusing->Address());
        break;
    }
}

using Param = std::tuple<Backend, std::int32_t>;

std::string Name(const testing::TestParamInfo<Param>& param) {
    return std::string(BackendNames[static_cast<std::size_t>(std::get<0>(param.param))]) + "_" +
           std::to_string(std::get<1>(param.param));
}

class PortAccessContract : public testing::TestWithParam<Param> {
protected:
    void SetUp() override { Build(Subject, std::get<0>(GetParam()), Base); }
    [[nodiscard]] std::uint8_t Read(std::int32_t offset) {
        return Subject.Port->PortReadByte(static_cast<std::uint16_t>(Base + offset));
    }
    void Write(std::int32_t offset, std::uint8_t value) {
        Subject.Port->PortWriteByte(static_cast<std::uint16_t>(Base + offset), value);
    }

    const std::int32_t Base = std::get<1>(GetParam());
    Rig Subject;
};

TEST_P(PortAccessContract, IsAvailableBeforeAndAfterAskingForDirectAccess) {
    EXPECT_TRUE(Subject.Port->DriverAvailable());
    Subject.Port->SetDirectAccess(true);
    EXPECT_TRUE(Subject.Port->DriverAvailable());
    EXPECT_EQ(Subject.Port->Problem(), "");
}

TEST_P(PortAccessContract, RegistersTakeWritesAndStatusFollowsTheHardware) {
    for (const std::uint8_t data : {0x00, 0x01, 0x10, 0xA5, 0xFF}) {
        for (const std::uint8_t control : {0x00, 0x04, 0x08, 0x0B, 0x0F}) {
            Write(0, data);
            Write(2, control);
            EXPECT_EQ(Read(0), data);
            EXPECT_EQ(Read(2) & 0x0F, control);
            EXPECT_EQ(Read(1), Subject.Status(data, control)) << int{data} << " " << int{control};
        }
    }
}

TEST_P(PortAccessContract, OtherAddressesReadFFAndIgnoreWrites) {
    Write(0, 0x3C);
    Write(2, 0x05);
    for (const std::int32_t offset : {-1, 3, 4, -Base, 0xFFFF - Base}) {
        Write(offset, 0x00);
        EXPECT_EQ(Read(offset), 0xFF) << offset;
    }
    EXPECT_EQ(Read(0), 0x3C);
    EXPECT_EQ(Read(2) & 0x0F, 0x05);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, PortAccessContract,
    testing::Combine(testing::Values(Backend::BoardLoopback, Backend::BoardOpen, Backend::BoardDemo,
                                     Backend::Ppdev, Backend::Direct, Backend::Remote),
                     testing::Values(888, 632)),
    Name);

class PortAccessUnavailable : public testing::TestWithParam<Param> {};

TEST_P(PortAccessUnavailable, SaysWhyReadsFFAndTouchesNothing) {
    Rig rig;
    const std::int32_t base = std::get<1>(GetParam());
    Build(rig, std::get<0>(GetParam()), base);
    const std::vector<std::string> setup = rig.Journal;

    EXPECT_FALSE(rig.Port->DriverAvailable());
    EXPECT_NE(rig.Port->Problem(), "");
    for (std::int32_t offset = 0; offset < 3; ++offset) {
        const auto address = static_cast<std::uint16_t>(base + offset);
        rig.Port->PortWriteByte(address, 0x00);
        EXPECT_EQ(rig.Port->PortReadByte(address), 0xFF);
    }
    EXPECT_EQ(rig.Journal, setup);
    rig.Port.reset();
    EXPECT_EQ(rig.Journal, setup) << "nothing to release or close at the end";
}

INSTANTIATE_TEST_SUITE_P(
    Backends, PortAccessUnavailable,
    testing::Combine(testing::Values(Backend::PpdevOpenFails, Backend::PpdevClaimFails,
                                     Backend::DirectIopermFails, Backend::RemoteRefused),
                     testing::Values(888)),
    Name);

} // namespace
} // namespace scanbench
