#include "port/open_port.h"
#include "port/port_choice.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(PortChoice, NamesParseBackIgnoringCase) {
    for (const PortKind kind : {PortKind::Board, PortKind::Ppdev, PortKind::Direct}) {
        EXPECT_EQ(ParsePortKind(PortKindName(kind)), kind);
    }
    for (const BoardKind kind : {BoardKind::Loopback, BoardKind::Open}) {
        EXPECT_EQ(ParseBoardKind(BoardKindName(kind)), kind);
    }
    EXPECT_EQ(PortKindName(PortKind::Ppdev), "ppdev");
    EXPECT_EQ(BoardKindName(BoardKind::Loopback), "loopback");
    EXPECT_EQ(ParsePortKind("DiReCt"), PortKind::Direct);
    EXPECT_EQ(ParseBoardKind("OPEN"), BoardKind::Open);
}

TEST(PortChoice, AnythingElseParsesToNothing) {
    for (const char* text : {"", " board", "board ", "boards", "ppde", "loopback", "1"}) {
        EXPECT_EQ(ParsePortKind(text), std::nullopt) << text;
    }
    for (const char* text : {"", "loop", "opened", "board", "Open\n"}) {
        EXPECT_EQ(ParseBoardKind(text), std::nullopt) << text;
    }
}

TEST(PortChoice, OpenPortGivesTheBoardAsChosenWithACopyOfThePins) {
    PinSettings pins;
    pins.PortBase = 956;
    for (const BoardKind board : {BoardKind::Loopback, BoardKind::Open}) {
        const std::unique_ptr<PortAccess> port = OpenPort(PortKind::Board, pins, board);
        const auto* simulated = dynamic_cast<const SimulatedBoardPort*>(port.get());
        ASSERT_NE(simulated, nullptr);
        EXPECT_EQ(simulated->Board(), board);
        EXPECT_EQ(simulated->Pins(), pins);
        EXPECT_TRUE(port->DriverAvailable());
    }
}

} // namespace
} // namespace scanbench
