// The simulated board end to end: controller signals go out through
// PortSignals, across the emulated registers and cable, and come back.

#include "board/demo_board.h"
#include "port/port_signals.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

struct Bench {
    Bench(const PinSettings& pins, const BoardChoice& kind)
        : Board(pins, kind), Signals(Board, pins) {}

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

// One TCK cycle of one TAP through the controller's signals, the other TAP's
// lines low: TCK falls with TMS and TX, RX is sampled, TCK rises.
int Cycle(Bench& bench, std::uint8_t tap, std::uint8_t tms, std::uint8_t tx = 0) {
    const auto write = [&](std::uint8_t tck) {
        if (tap == 0) {
            bench.Signals.WritePortSignals(tck, tms, tx, 0, 0, 0, 0, 0);
        } else {
            bench.Signals.WritePortSignals(0, 0, 0, tck, tms, tx, 0, 0);
        }
    };
    write(0);
    const int rx = bench.Signals.ReadRx(tap);
    write(1);
    return rx;
}

std::uint32_t ReadIdcode(Bench& bench, std::uint8_t tap) {
    for (const std::uint8_t tms : {1, 1, 1, 1, 1, 0, 1, 0, 0}) { // reset, to Shift-DR
        Cycle(bench, tap, tms);
    }
    std::uint32_t id = 0;
    for (int bit = 0; bit < 32; ++bit) {
        id |= static_cast<std::uint32_t>(Cycle(bench, tap, bit == 31 ? 1 : 0)) << bit;
    }
    return id;
}

TEST(PortBoardDemo, EachTapReadsItsOwnChainThroughTheCable) {
    Bench bench(PinSettings{}, BoardKind::Demo);
    EXPECT_EQ(ReadIdcode(bench, 1), DemoIdCode::U3);
    EXPECT_EQ(ReadIdcode(bench, 0), DemoIdCode::U2) << "U2 sits nearest RX";

    PinSettings moved; // the cable moved: TAP 0's lines on control pins, RX on pin 10
    moved.TckPin[0] = 1;
    moved.TmsPin[0] = 14;
    moved.TxPin[0] = 17;
    moved.RxPin[0] = 10;
    moved.SoaPin = 5;
    moved.SobPin = 9;
    Bench rewired(moved, BoardKind::Demo);
    EXPECT_EQ(ReadIdcode(rewired, 0), DemoIdCode::U2);
}

TEST(PortBoardDemo, SyncSwitchesShowAtOnceAndSharedPinsAreWiredAnd) {
    PinSettings pins;
    pins.SibPin = pins.RxPin[1]; // SIB and TAP 1's TDO on one pin
    Bench bench(pins, BoardKind::Demo);
    ChipBoard& chips = *bench.Board.Chips();
    EXPECT_EQ(bench.Signals.ReadSia(), 0) << "the switches start low";
    chips.SetSyncSwitch(SyncSwitch::A, true);
    EXPECT_EQ(bench.Signals.ReadSia(), 1) << "no port write needed";
    EXPECT_EQ(bench.Signals.ReadRx(1), 0) << "SIB low pulls the shared pin down";
    chips.SetSyncSwitch(SyncSwitch::B, true);
    EXPECT_EQ(bench.Signals.ReadRx(1), 1) << "released TDO and SIB high";
}

TEST(PortBoardDemo, OddPinsLeaveLinesToThePullUpsAndRewiringClocksNothing) {
    PinSettings pins;
    pins.TckPin[1] = 10; // an input pin: TAP 1's TCK stays high, its chip never moves
    Bench bench(pins, BoardKind::Demo);
    for (int i = 0; i < 6; ++i) {
        Cycle(bench, 1, 0);
    }
    EXPECT_EQ(bench.Board.Chips()->Chip(2).State, 0) << "still in Test-Logic-Reset";

    bench.Signals.WritePortSignals(1, 0, 0, 0, 0, 0, 0, 0); // TCK 0 high: one edge, to Idle
    pins = PinSettings{};
    pins.PortBase = 632;
    pins.TckPin[0] = 9; // now low: no edge, TCK was only moved to another pin
    bench.Board.SetPins(pins);
    bench.Signals.SetPins(pins);
    EXPECT_EQ(bench.Board.Chips()->Chip(0).State, 1);
    Cycle(bench, 0, 1);
    EXPECT_EQ(bench.Board.Chips()->Chip(0).State, 2) << "TCK on its new pin clocks again";
    EXPECT_EQ(SimulatedBoardPort(pins, BoardKind::Loopback).Chips(), nullptr);
}

TEST(PortBoardFile, CarriesTheBoardFilesChipsOrSaysWhyNot) {
    Bench bench(PinSettings{},
                BoardChoice(BoardKind::File, SCANBENCH_DATA_DIR "/boards/m3-board.json"));
    EXPECT_TRUE(bench.Board.DriverAvailable());
    EXPECT_EQ(ReadIdcode(bench, 0), 0x3BA00477U) << "the debug TAP sits nearest RX";

    for (const std::string missing : {"", "/nowhere/board.json"}) {
        Bench none(PinSettings{}, BoardChoice(BoardKind::File, missing));
        EXPECT_FALSE(none.Board.DriverAvailable());
        EXPECT_EQ(none.Board.Chips(), nullptr);
        EXPECT_NE(none.Board.Problem().find(missing.empty() ? "No board file" : "no such file"),
                  std::string::npos)
            << none.Board.Problem();
        EXPECT_EQ(Drive(none, 0), (Inputs{1, 1, 1, 1})) << "nothing plugged in";
    }
}

} // namespace
} // namespace scanbench
