#include "port/port_connection.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scanbench {
namespace {

// A backend that writes its life into a shared log.
class LoggedPort final : public PortAccess {
public:
    LoggedPort(std::vector<std::string>& log, std::string name, bool available)
        : Log(log), Name(std::move(name)), Available(available) {
        Log.push_back("open " + Name);
    }
    ~LoggedPort() override { Log.push_back("close " + Name); }
    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override {
        Log.push_back("read " + std::to_string(address));
        return 0x7F;
    }
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override {
        Log.push_back("write " + std::to_string(address) + "=" + std::to_string(value));
    }
    [[nodiscard]] bool DriverAvailable() const override { return Available; }
    void SetDirectAccess(bool enable) override {
        Log.push_back(std::string("direct ") + (enable ? "on" : "off"));
    }

private:
    std::vector<std::string>& Log;
    std::string Name;
    bool Available;
};

class PortConnectionTest : public ::testing::Test {
protected:
    PortConnection Connect(const PinSettings& pins) {
        return PortConnection(PortKind::Board, pins, BoardKind::Loopback,
                              [this](PortKind kind, const PinSettings& p, const BoardChoice&) {
                                  return std::make_unique<LoggedPort>(
                                      Log,
                                      std::string(PortKindName(kind)) + std::to_string(p.PortBase),
                                      kind != PortKind::Ppdev);
                              });
    }
    std::vector<std::string> Log;
};

TEST_F(PortConnectionTest, ReopensOnlyForAChangeAndReleasesTheOldPortFirst) {
    PinSettings pins;
    PortConnection port = Connect(pins);
    SignalPort& signals = port.Signals();
    EXPECT_EQ(Log, (std::vector<std::string>{"open board888", "direct on"}));
    EXPECT_TRUE(port.Available());

    EXPECT_FALSE(port.Reopen(PortKind::Board, pins, BoardKind::Loopback));
    EXPECT_EQ(Log.size(), 2U) << "nothing changed, nothing reopened";
    EXPECT_FALSE(port.Reopen(PortKind::Board, pins, BoardChoice(BoardKind::Loopback, "b.json")))
        << "a board file remembered is not the board in use";
    EXPECT_TRUE(port.Reopen(PortKind::Board, pins, BoardChoice(BoardKind::File, "b.json")));
    EXPECT_TRUE(port.Reopen(PortKind::Board, pins, BoardChoice(BoardKind::File, "b.json")))
        << "a board file is read again: it may have changed";

    pins.PortBase = 632;
    Log.clear();
    EXPECT_TRUE(port.Reopen(PortKind::Ppdev, pins, BoardKind::Loopback));
    EXPECT_EQ(Log, (std::vector<std::string>{"close board888", "open ppdev632", "direct on"}));
    EXPECT_FALSE(port.Available());
    EXPECT_EQ(port.Kind(), PortKind::Ppdev);
    EXPECT_EQ(port.Pins().PortBase, 632);

    Log.clear();
    signals.WritePortSignals(1, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"write 632=4", "write 634=11"}))
        << "the engine's SignalPort now drives the new port at its new address";
}

TEST_F(PortConnectionTest, ConnectorLevelsComeFromDataStatusAndControlInThisOrder) {
    PortConnection port = Connect(PinSettings{});
    Log.clear();
    const auto levels = port.ReadPinLevels(); // every register reads 0x7F
    EXPECT_EQ(Log, (std::vector<std::string>{"read 888", "read 889", "read 890"}));
    // Data 0x7F: pins 2..8 high. Status 0x7F: 10, 12, 13, 15 high and 11
    // (bit 7 clear, inverted) high. Control 0x7F: 1, 14, 17 (inverted) low, 16 high.
    const std::array<std::uint8_t, 18> expected{0, 0, 1, 1, 1, 1, 1, 1, 1,
                                                0, 1, 1, 1, 1, 0, 1, 1, 0};
    EXPECT_EQ(levels, expected);
}

TEST(PortConnection, AChangedWiringReachesTheSimulatedBoard) {
    PortConnection port(PortKind::Board, PinSettings{}, BoardKind::Loopback);
    port.Signals().WritePortSignals(0, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(port.Signals().ReadRx(0), 1);
    PinSettings moved;
    moved.TxPin[0] = 5;
    ASSERT_TRUE(port.Reopen(PortKind::Board, moved, BoardKind::Open));
    const auto* board = dynamic_cast<const SimulatedBoardPort*>(&port.Access());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->Board(), BoardKind::Open);
    EXPECT_EQ(board->Pins(), moved);
    port.Signals().WritePortSignals(0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(port.Signals().ReadRx(0), 1) << "nothing connected: RX pulled high";
}

} // namespace
} // namespace scanbench
