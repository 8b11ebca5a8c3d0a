// The simulated board end to end: controller signals go out through
// PortSignals, across the emulated registers and cable, and come back.

#include "port/port_signals.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

struct Bench {
    Bench(const PinSettings& pins, BoardKind kind) : Board(pins, kind), Signals(Board, pins) {}

    SimulatedBoardPort Board;
    PortSignals Signals;
};

struct Inputs {
    int Rx0, Rx1, Sia, Sib;
    friend bool operator==(const Inputs&, const Inputs&) = default;
};

std::ostream& operator<<(std::ostream& out, const Inputs& in) {
    return out << "rx0 " << in.Rx0 << " rx1 " << in.Rx1 << " sia " << in.Sia << " sib " << in.Sib;
}

// Drives tx0, tx1, soa, sob from the low four bits of `bits`, with TCK and
// TMS high to show they do not leak into the inputs, and reads all inputs.
Inputs Drive(Bench& bench, int bits) {
    const auto bit = [&](int n) { return static_cast<std::uint8_t>((bits >> n) & 1); };
    bench.Signals.WritePortSignals(1, 1, bit(0), 1, 1, bit(1), bit(2), bit(3));
    return {bench.Signals.ReadRx(0), bench.Signals.ReadRx(1), bench.Signals.ReadSia(),
            bench.Signals.ReadSib()};
}

void ExpectEcho(const PinSettings& pins) {
    Bench bench(pins, BoardKind::Loopback);
    for (int bits = 0; bits < 16; ++bits) {
        EXPECT_EQ(Drive(bench, bits),
                  (Inputs{bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, bits >> 3}))
            << "bits " << bits;
    }
}

TEST(PortBoardLoopback, DefaultPinsEchoEverySignalIndependently) {
    // RX0 comes back through the inverted pin 11, SOA leaves through the
    // plain pin 16 and SOB through the inverted pin 17.
    ExpectEcho(PinSettings{});
}

TEST(PortBoardLoopback, FollowsOtherPinSettings) {
    PinSettings controlPins; // TX on the inverted control pins 14 and 17 and on pin 1
    controlPins.TxPin = {14, 17};
    controlPins.RxPin = {13, 11};
    controlPins.SoaPin = 1;
    controlPins.SobPin = 16;
    controlPins.SiaPin = 10;
    controlPins.SibPin = 15;
    ExpectEcho(controlPins);

    PinSettings moved; // RX of TAP 1 on pin 10, inputs shuffled, base moved
    moved.PortBase = 956;
    moved.TxPin = {9, 5};
    moved.RxPin = {15, 10};
    moved.SoaPin = 2;
    moved.SobPin = 14;
    moved.SiaPin = 11;
    moved.SibPin = 12;
    ExpectEcho(moved);
}

TEST(PortBoardOpen, EveryInputReadsHigh) {
    Bench bench(PinSettings{}, BoardKind::Open);
    for (int bits = 0; bits < 16; ++bits) {
        EXPECT_EQ(Drive(bench, bits), (Inputs{1, 1, 1, 1}));
        EXPECT_EQ(bench.Board.PortReadByte(889), 0x7F) << "pin 11 high shows as bit 7 clear";
    }
}

TEST(PortBoardOddPins, RxOnAnOutputPinReadsZeroAndOthersStillEcho) {
    PinSettings pins;
    pins.RxPin[0] = 14;
    Bench bench(pins, BoardKind::Loopback);
    for (int bits = 0; bits < 16; ++bits) {
        EXPECT_EQ(Drive(bench, bits), (Inputs{0, (bits >> 1) & 1, (bits >> 2) & 1, bits >> 3}));
    }
}

TEST(PortBoardOddPins, TxOnAnInputPinLoopsBackThePullUp) {
    PinSettings pins;
    pins.TxPin[0] = 10;
    pins.TxPin[1] = 0;
    Bench bench(pins, BoardKind::Loopback);
    for (int bits = 0; bits < 16; ++bits) {
        EXPECT_EQ(Drive(bench, bits), (Inputs{1, 1, (bits >> 2) & 1, bits >> 3}));
    }
}

TEST(PortBoardOddPins, SignalsSharingAnInputPinAreWiredAnd) {
    PinSettings pins;
    pins.SiaPin = pins.RxPin[0]; // SOA and TX0 both drive pin 11
    Bench bench(pins, BoardKind::Loopback);
    for (int bits = 0; bits < 16; ++bits) {
        const int both = bits & (bits >> 2) & 1;
        EXPECT_EQ(Drive(bench, bits), (Inputs{both, (bits >> 1) & 1, both, bits >> 3}));
    }
}

TEST(PortBoardRegisters, ReadBackAndUnconnectedStatusBits) {
    SimulatedBoardPort board(PinSettings{}, BoardKind::Loopback);
    board.PortWriteByte(888, 0xA5);
    board.PortWriteByte(890, 0xF4);
    board.PortWriteByte(889, 0x00); // status is read-only
    EXPECT_EQ(board.PortReadByte(888), 0xA5);
    EXPECT_EQ(board.PortReadByte(890), 0x04);
    EXPECT_EQ(board.PortReadByte(889) & 0x07, 0x07);
}

TEST(PortBoardRegisters, NewSettingsRewireAndMoveTheRegistersKeepingTheirContents) {
    PinSettings pins;
    SimulatedBoardPort board(pins, BoardKind::Loopback);
    board.PortWriteByte(888, 0xFE); // TX0 on pin 2 low
    EXPECT_EQ(board.PortReadByte(889) & 0xC0, 0xC0) << "pin 10 pulled up, pin 11 low";

    pins.PortBase = 632;
    pins.RxPin[0] = 10;
    board.SetPins(pins);
    EXPECT_EQ(board.Pins(), pins);
    EXPECT_EQ(board.PortReadByte(632), 0xFE);
    EXPECT_EQ(board.PortReadByte(633) & 0xC0, 0x00) << "pin 10 low now, pin 11 pulled up";
    EXPECT_EQ(board.PortReadByte(888), 0xFF);
    EXPECT_EQ(board.PortReadByte(889), 0xFF);
}

} // namespace
} // namespace scanbench
