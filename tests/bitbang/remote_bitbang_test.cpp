// The remote_bitbang session, the board as its target, and the loopback
// server with the project's own client (the remote port) on the other end.

#include "bitbang/bitbang_server.h"
#include "bitbang/board_bitbang_target.h"
#include "bitbang/remote_bitbang_session.h"
#include "board/chip_board.h"
#include "board/chip_tap_state.h"
#include "board/demo_board.h"
#include "port/parallel_connector.h"
#include "port/port_registers.h"
#include "port/remote_bitbang_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace scanbench {
namespace {

class RecordingTarget final : public BitbangTarget {
public:
    void Drive(bool tck, bool tms, bool tdi) override {
        Log += "D" + std::to_string(tck * 4 + tms * 2 + tdi);
        Level = !Level;
    }
    [[nodiscard]] bool Tdo() const override { return Level; }
    void Reset(bool trst, bool srst) override {
        Log += std::string("T") + (trst ? "1" : "0") + (srst ? "1" : "0");
    }
    void Blink(bool on) override { Log += on ? "B" : "b"; }

    std::string Log;
    bool Level = false; // flips with every write, so replies show their order
};

constexpr std::uint16_t Base = 888;
constexpr std::uint16_t StatusAddress = Base + 1;

void Feed(RemoteBitbangSession& session, std::string_view bytes, std::string& replies) {
    session.Feed(std::span<const char>(bytes.data(), bytes.size()), replies);
}

TEST(RemoteBitbangSession, ActsOnEveryCommandAndAnswersEachReadInOrder) {
    RecordingTarget target;
    RemoteBitbangSession session(target);
    std::string replies;
    // Split anywhere: a batch may end in the middle of anything.
    Feed(session, "R7RB0\nRbr", replies);
    Feed(session, "s", replies);
    Feed(session, "tuxR\x01Q5R", replies);
    EXPECT_EQ(target.Log, "D7BD0bT00T01T10T11");
    EXPECT_EQ(replies, "0100");
    EXPECT_TRUE(session.Quit());
    EXPECT_EQ(session.IgnoredBytes(), 2U); // 'x' and \x01; nothing after 'Q'
}

// Drives the board's TAP 0 through the session: TMS/TDI pairs, each a
// falling then a rising edge, reading TDO before each rising edge.
std::string Clock(RemoteBitbangSession& session, std::string_view tmsTdi) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < tmsTdi.size(); i += 2) {
        const int bits = (tmsTdi[i] == '1' ? 2 : 0) + (tmsTdi[i + 1] == '1' ? 1 : 0);
        bytes += static_cast<char>('0' + bits);
        bytes += 'R';
        bytes += static_cast<char>('4' + bits);
    }
    std::string replies;
    session.Feed(std::span<const char>(bytes.data(), bytes.size()), replies);
    return replies;
}

// Resets the TAP, goes to Shift-DR and shifts out `bits` bits of the chain,
// the first one received the least significant.
std::uint64_t ShiftOutIdcodes(RemoteBitbangSession& session, std::size_t bits) {
    // Reset, then Run-Test/Idle, Select-DR, Capture-DR, Shift-DR.
    Clock(session, "1010101010"
                   "00"
                   "10"
                   "00"
                   "00");
    const std::string received = Clock(session, std::string(2 * bits, '0'));
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bits; ++i) {
        value |= std::uint64_t{received[i] == '1'} << i;
    }
    return value;
}

TEST(BoardBitbangTarget, ReadsTheIdcodesOfTap0AndTrstResetsItsChips) {
    ChipBoard board(DemoBoard());
    BoardBitbangTarget target(board);
    RemoteBitbangSession session(target);
    EXPECT_EQ(ShiftOutIdcodes(session, 64), (std::uint64_t{DemoIdCode::U1} << 32) | DemoIdCode::U2);
    EXPECT_EQ(board.Chip(0).State, ChipTap::ShiftDr);
    std::string replies;
    Feed(session, "u", replies);
    EXPECT_EQ(board.Chip(0).State, ChipTap::TestLogicReset);
    EXPECT_EQ(board.Chip(1).State, ChipTap::TestLogicReset);
    EXPECT_EQ(board.Chip(2).State, ChipTap::TestLogicReset); // TAP 1's U3 never moved
    Feed(session, "R", replies);
    EXPECT_EQ(replies, "1"); // released TDO reads high
}

// TRST held: the chips stay in Test-Logic-Reset whatever TCK and TMS do, so
// an instruction shifted in meanwhile never takes effect.
TEST(BoardBitbangTarget, ChipsStayInResetWhileTrstIsHeld) {
    ChipBoard board(DemoBoard());
    BoardBitbangTarget target(board);
    RemoteBitbangSession session(target);
    std::string replies;
    Feed(session, "t", replies);
    // Run-Test/Idle .. Shift-IR, all ones (BYPASS) into both chips, Update-IR.
    Clock(session, "00"
                   "10"
                   "10"
                   "00"
                   "00"
                   "01"
                   "01"
                   "01"
                   "01"
                   "01"
                   "01"
                   "01"
                   "11"
                   "10");
    for (std::size_t chip = 0; chip < 2; ++chip) {
        EXPECT_EQ(board.Chip(chip).State, ChipTap::TestLogicReset) << chip;
        EXPECT_EQ(board.Chip(chip).Selected, DataRegister::Idcode) << chip;
    }
    Feed(session, "r", replies); // released: the next edges count
    Clock(session, "00"
                   "10"
                   "00"
                   "00");
    EXPECT_EQ(board.Chip(0).State, ChipTap::ShiftDr);
    EXPECT_EQ(board.Chip(0).Selected, DataRegister::Idcode);
}

TEST(BoardBitbangTarget, ServesTap1WithoutTouchingTap0) {
    ChipBoard board(DemoBoard());
    BoardBitbangTarget target(board, 1);
    RemoteBitbangSession session(target);
    EXPECT_EQ(ShiftOutIdcodes(session, 32), DemoIdCode::U3);
    EXPECT_EQ(board.Chip(2).State, ChipTap::ShiftDr);
    EXPECT_EQ(board.Chip(0).State, ChipTap::TestLogicReset);
}

// A server on a free loopback port, serving a demo board from its own thread,
// on a clock the test moves. Waits for what the server reports.
class ServedBoard {
public:
    ServedBoard() : Board(DemoBoard()), Target(Board) {
        EXPECT_NE(Port, 0) << Server->Error();
        Thread = std::thread([this] {
            Server->Serve(Target, Stop,
                          {[this](const std::string& e) { Record(e); },
                           [this](const std::string& p) { Record("problem: " + p); }});
        });
    }
    ~ServedBoard() { Shut(); }
    void Shut() {
        Stop = true;
        if (Thread.joinable()) {
            Thread.join();
        }
        Server.reset(); // closes the listening socket
    }
    [[nodiscard]] RemoteAddress Address() const { return {"127.0.0.1", Port}; }
    void Advance(std::chrono::seconds by) { Now.store(Now.load() + by); }
    // Waits until the server has reported `text` `count` times in all. The
    // limit only keeps a broken server from hanging the test.
    [[nodiscard]] bool Heard(const std::string& text, int count = 1) {
        std::unique_lock lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(60),
                                [&] { return std::count(Log.begin(), Log.end(), text) >= count; });
    }

    ChipBoard Board;
    BoardBitbangTarget Target;
    std::atomic<std::chrono::steady_clock::duration> Now{};
    std::unique_ptr<BitbangServer> Server = std::make_unique<BitbangServer>(
        [this] { return std::chrono::steady_clock::time_point(Now.load()); });
    std::uint16_t Port = Server->Listen(0) ? Server->Port() : 0;
    std::atomic<bool> Stop{false};
    std::thread Thread;

private:
    void Record(const std::string& text) {
        const std::lock_guard lock(Mutex);
        Log.push_back(text);
        Changed.notify_all();
    }
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::string> Log;
};

// A plain client: connects, sends, and reads one reply (nothing when the
// connection was closed instead).
class RawClient {
public:
    explicit RawClient(std::uint16_t port) : Fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const timeval limit{60, 0}; // only against a hang
        ::setsockopt(Fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        Connected = ::connect(Fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(Fd); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    void Send(std::string_view bytes) const {
        (void)::send(Fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    [[nodiscard]] std::optional<char> Reply() const {
        char c = 0;
        return ::recv(Fd, &c, 1, 0) == 1 ? std::optional(c) : std::nullopt;
    }

    int Fd;
    bool Connected = false;
};

TEST(BitbangServer, ServesAClientThatConnectsAsSoonAsTheLastOneQuit) {
    ServedBoard served;
    for (int round = 0; round < 200; ++round) {
        {
            RawClient first(served.Port);
            ASSERT_TRUE(first.Connected);
            first.Send("0Q");
        } // quits and closes; the next one connects at once
        RawClient next(served.Port);
        next.Send("R");
        ASSERT_TRUE(next.Reply().has_value()) << "turned away in round " << round;
        next.Send("Q");
    }
}

TEST(BitbangServer, DropsAClientSilentForTenSecondsAndServesTheNext) {
    ServedBoard served;
    RawClient silent(served.Port);
    ASSERT_TRUE(served.Heard("client connected"));
    served.Advance(std::chrono::seconds(9));
    { RawClient early(served.Port); }
    ASSERT_TRUE(served.Heard("turned away a second client")); // the silent one still holds
    served.Advance(std::chrono::seconds(1));
    ASSERT_TRUE(
        served.Heard("problem: client silent for 10 s; disconnected so that others may connect"));
    EXPECT_FALSE(silent.Reply().has_value()); // closed

    RemoteBitbangPort next(PinSettings{}, served.Address());
    (void)next.PortReadByte(Base + 1);
    EXPECT_EQ(next.Problem(), "");
}

// Default pins: TMS on pin 3 (data bit 1), TCK pin 4 (bit 2), TX pin 2 (bit
// 0); RX of TAP 0 on pin 11, which the status register shows inverted in bit 7.
bool Rx(RemoteBitbangPort& port) {
    return (port.PortReadByte(StatusAddress) & 0x80) == 0;
}

TEST(RemoteBitbangPort, DrivesTheServedBoardAndReadsItsTdo) {
    ServedBoard served;
    RemoteBitbangPort port(PinSettings{}, served.Address());
    ASSERT_TRUE(port.DriverAvailable()) << port.Problem();
    // Test-Logic-Reset, Run-Test/Idle, Select-IR, Capture-IR, Shift-IR.
    for (const int tms : {1, 1, 1, 1, 1, 0, 1, 1, 0, 0}) {
        port.PortWriteByte(Base, static_cast<std::uint8_t>(tms << 1));
        port.PortWriteByte(Base, static_cast<std::uint8_t>(tms << 1 | 4));
    }
    // Both chips captured 0101 into their instruction registers: U2's comes
    // out first.
    std::string seen;
    for (int i = 0; i < 8; ++i) {
        port.PortWriteByte(Base, 0); // TDO follows the falling edge
        seen += Rx(port) ? '1' : '0';
        port.PortWriteByte(Base, 4);
    }
    EXPECT_EQ(seen, "10101010");
    EXPECT_TRUE(port.Problem().empty());
    EXPECT_EQ(served.Board.Chip(0).State, ChipTap::ShiftIr);

    // One client at a time: a second one is turned away, the first served on.
    RemoteBitbangPort second(PinSettings{}, served.Address());
    (void)second.PortReadByte(StatusAddress);
    EXPECT_FALSE(second.Problem().empty());
    (void)Rx(port);
    EXPECT_TRUE(port.Problem().empty());
}

TEST(RemoteBitbangPort, SaysSoAtOnceWhenTheServerIsMissingOrGoesAway) {
    auto served = std::make_unique<ServedBoard>();
    const RemoteAddress address = served->Address();
    RemoteBitbangPort port(PinSettings{}, address);
    ASSERT_TRUE(port.DriverAvailable());
    served.reset();
    port.PortWriteByte(Base, 4);
    EXPECT_EQ(port.PortReadByte(StatusAddress) & 0x80, 0); // nothing connected reads high
    (void)port.PortReadByte(StatusAddress);
    // Seen as gone at once, not after waiting out the reply time.
    EXPECT_NE(port.Problem().find("remote_bitbang server 127.0.0.1:"), std::string::npos)
        << port.Problem();
    EXPECT_NE(port.Problem().find("went away"), std::string::npos) << port.Problem();

    RemoteBitbangPort missing(PinSettings{}, address);
    EXPECT_FALSE(missing.DriverAvailable());
    EXPECT_NE(missing.Problem().find("cannot connect to the remote_bitbang server"),
              std::string::npos)
        << missing.Problem();
}

} // namespace
} // namespace scanbench
