#include "port/port_signals.h"
#include "recording_port_access.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace scanbench {
namespace {

using Writes = std::vector<RecordingPortAccess::Write>;

TEST(PortPinMask, GivesTheRegisterBitOfOutputPinsOnly) {
    const std::vector<std::pair<int, int>> masks{{1, 0x01}, {2, 0x01},  {3, 0x02},  {4, 0x04},
                                                 {5, 0x08}, {6, 0x10},  {7, 0x20},  {8, 0x40},
                                                 {9, 0x80}, {14, 0x02}, {16, 0x04}, {17, 0x08}};
    for (int pin = 0; pin <= 255; ++pin) {
        int expected = 0;
        for (const auto& [p, mask] : masks) {
            expected = p == pin ? mask : expected;
        }
        EXPECT_EQ(PinMask(static_cast<std::uint8_t>(pin)), expected) << pin;
    }
}

class PortSignalsWrite : public testing::Test {
protected:
    [[nodiscard]] Writes WriteAll(std::uint8_t tck0, std::uint8_t tms0, std::uint8_t tx0,
                                  std::uint8_t tck1, std::uint8_t tms1, std::uint8_t tx1,
                                  std::uint8_t soa, std::uint8_t sob) {
        Access.Writes.clear();
        Signals.WritePortSignals(tck0, tms0, tx0, tck1, tms1, tx1, soa, sob);
        return Access.Writes;
    }

    RecordingPortAccess Access;
    PinSettings Pins;
    PortSignals Signals{Access, Pins};
};

TEST_F(PortSignalsWrite, DefaultPinsGiveTheKnownRegisterImages) {
    EXPECT_EQ(WriteAll(1, 0, 0, 0, 0, 0, 0, 0), (Writes{{888, 0x04}, {890, 0x0B}}));
    // SOA on pin 16 and SOB on pin 17: K = 0x0C, written with the inversions.
    EXPECT_EQ(WriteAll(0, 0, 0, 0, 0, 0, 1, 1), (Writes{{888, 0x00}, {890, 0x07}}));
    EXPECT_EQ(WriteAll(1, 1, 1, 1, 1, 1, 1, 1), (Writes{{888, 0x77}, {890, 0x07}}));
    EXPECT_EQ(WriteAll(0, 0, 0, 0, 0, 0, 0, 0), (Writes{{888, 0x00}, {890, 0x0B}}));
}

TEST_F(PortSignalsWrite, OnlyOneIsHigh) {
    EXPECT_EQ(WriteAll(2, 2, 2, 2, 2, 2, 2, 2), (Writes{{888, 0x00}, {890, 0x0B}}));
    EXPECT_EQ(WriteAll(255, 3, 0x81, 2, 2, 2, 255, 2), (Writes{{888, 0x00}, {890, 0x0B}}));
}

TEST_F(PortSignalsWrite, EveryOutputPinLandsInItsRegister) {
    // pin, data register, control register as written (after the inversions)
    const std::vector<std::array<int, 3>> cases{
        {1, 0x00, 0x0A}, {2, 0x01, 0x0B},  {3, 0x02, 0x0B},  {4, 0x04, 0x0B},
        {5, 0x08, 0x0B}, {6, 0x10, 0x0B},  {7, 0x20, 0x0B},  {8, 0x40, 0x0B},
        {9, 0x80, 0x0B}, {14, 0x00, 0x09}, {16, 0x00, 0x0F}, {17, 0x00, 0x03}};
    for (const auto& [pin, data, control] : cases) {
        Pins.SobPin = static_cast<std::uint8_t>(pin);
        Signals.SetPins(Pins);
        EXPECT_EQ(WriteAll(0, 0, 0, 0, 0, 0, 0, 1), (Writes{{888, data}, {890, control}})) << pin;
    }
}

TEST_F(PortSignalsWrite, PinsThatAreNotOutputsDriveNothing) {
    for (const std::uint8_t pin : {0, 10, 11, 12, 13, 15, 18, 25, 255}) {
        Pins.TmsPin[0] = pin;
        Signals.SetPins(Pins);
        EXPECT_EQ(WriteAll(0, 1, 0, 0, 0, 0, 0, 0), (Writes{{888, 0x00}, {890, 0x0B}})) << int{pin};
    }
}

TEST_F(PortSignalsWrite, SignalsSharingAPinAreOred) {
    Pins.TxPin[0] = Pins.TckPin[0];
    Pins.SobPin = Pins.SoaPin;
    Signals.SetPins(Pins);
    EXPECT_EQ(WriteAll(1, 0, 0, 0, 0, 0, 0, 0), (Writes{{888, 0x04}, {890, 0x0B}}));
    EXPECT_EQ(WriteAll(0, 0, 1, 0, 0, 0, 0, 1), (Writes{{888, 0x04}, {890, 0x0F}}));
    EXPECT_EQ(WriteAll(0, 0, 0, 0, 0, 0, 0, 0), (Writes{{888, 0x00}, {890, 0x0B}}));
}

TEST_F(PortSignalsWrite, DataThenControlOnEveryCallAtTheConfiguredBase) {
    Pins.PortBase = 632;
    Signals.SetPins(Pins);
    Signals.WritePortSignals(0, 0, 1, 0, 0, 0, 0, 0);
    Signals.WritePortSignals(0, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(Access.Writes, (Writes{{632, 0x01}, {634, 0x0B}, {632, 0x01}, {634, 0x0B}}));
}

TEST_F(PortSignalsWrite, ANewAccessTakesOverFromTheOldOne) {
    RecordingPortAccess reopened;
    Signals.SetAccess(reopened);
    Signals.WritePortSignals(1, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(Access.Writes.empty());
    EXPECT_EQ(reopened.Writes, (Writes{{888, 0x04}, {890, 0x0B}}));
}

TEST_F(PortSignalsWrite, ObserverRunsOnceAfterBothRegistersAreWritten) {
    std::vector<std::size_t> writesSeen;
    Signals.SetAfterWrite([&] { writesSeen.push_back(Access.Writes.size()); });
    Signals.WritePortSignals(1, 0, 0, 0, 0, 0, 0, 0);
    Signals.WritePortSignals(0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(writesSeen, (std::vector<std::size_t>{2, 4}));

    Signals.SetAfterWrite({});
    Signals.WritePortSignals(0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(writesSeen.size(), 2U);
}

// The one-call form playback uses: the same register traffic, the same
// observer call and the same samples as writing and then reading.
TEST_F(PortSignalsWrite, WriteThenReadInputsIsAWriteAndAReadInOne) {
    int observed = 0;
    Signals.SetAfterWrite([&] { ++observed; });
    Access.Status = 0x98; // every default input pin high except RX of TAP 0
    for (unsigned outputs = 0; outputs < 256; ++outputs) {
        const auto level = [outputs](unsigned bit) {
            return static_cast<std::uint8_t>((outputs >> bit) & 1U);
        };
        for (const std::uint8_t tap : {0, 1, 2}) {
            Access.Writes.clear();
            Access.Reads.clear();
            Signals.WritePortSignals(level(0), level(1), level(2), level(3), level(4), level(5),
                                     level(6), level(7));
            const std::uint8_t apart = Signals.ReadInputs(tap);
            const Writes writes = Access.Writes;
            const std::vector<std::uint16_t> reads = Access.Reads;
            Access.Writes.clear();
            Access.Reads.clear();
            EXPECT_EQ(Signals.WriteThenReadInputs(static_cast<std::uint8_t>(outputs), tap), apart);
            EXPECT_EQ(Access.Writes, writes) << outputs;
            EXPECT_EQ(Access.Reads, reads) << outputs;
        }
    }
    EXPECT_EQ(observed, 2 * 256 * 3);
    EXPECT_FALSE(Signals.InputsSettleOnWrites()); // real hardware is read every time
}

class PortSignalsRead : public testing::Test {
protected:
    // The four input Signals, each with the setting that chooses its pin.
    struct Input {
        std::uint8_t* Pin;
        std::function<std::uint8_t()> Read;
    };

    [[nodiscard]] std::vector<Input> Inputs() {
        return {{&Pins.RxPin[0], [this] { return Signals.ReadRx(0); }},
                {&Pins.RxPin[1], [this] { return Signals.ReadRx(1); }},
                {&Pins.SiaPin, [this] { return Signals.ReadSia(); }},
                {&Pins.SibPin, [this] { return Signals.ReadSib(); }}};
    }
    [[nodiscard]] std::uint8_t ReadWith(const Input& input, std::uint8_t pin, std::uint8_t status) {
        *input.Pin = pin;
        Signals.SetPins(Pins);
        Access.Status = status;
        return input.Read();
    }

    RecordingPortAccess Access;
    PinSettings Pins;
    PortSignals Signals{Access, Pins};
};

TEST_F(PortSignalsRead, EachInputPinReadsItsStatusBit) {
    for (const Input& input : Inputs()) {
        for (const auto& [pin, bit] : std::vector<std::pair<std::uint8_t, std::uint8_t>>{
                 {10, 0x40}, {12, 0x20}, {13, 0x10}, {15, 0x08}}) {
            EXPECT_EQ(ReadWith(input, pin, bit), 1) << int{pin};
            EXPECT_EQ(ReadWith(input, pin, static_cast<std::uint8_t>(~bit)), 0) << int{pin};
        }
        // Pin 11 reads the inverse of bit 7.
        EXPECT_EQ(ReadWith(input, 11, 0x7F), 1);
        EXPECT_EQ(ReadWith(input, 11, 0xFF), 0);
        EXPECT_EQ(ReadWith(input, 11, 0x00), 1);
        EXPECT_EQ(ReadWith(input, 11, 0x80), 0);
    }
}

TEST_F(PortSignalsRead, PinsThatAreNotInputsReadZero) {
    for (const Input& input : Inputs()) {
        for (const std::uint8_t pin : {0, 1, 2, 9, 14, 16, 17, 18, 25, 255}) {
            EXPECT_EQ(ReadWith(input, pin, 0x00), 0) << int{pin};
            EXPECT_EQ(ReadWith(input, pin, 0xFF), 0) << int{pin};
        }
    }
}

TEST_F(PortSignalsRead, RxOfATapAboveOneIsZero) {
    Access.Status = 0x00; // would read 1 on pin 11
    EXPECT_EQ(Signals.ReadRx(2), 0);
    EXPECT_EQ(Signals.ReadRx(255), 0);
}

TEST_F(PortSignalsRead, NewSettingsApplyAtOnceIncludingTheBase) {
    Access.Status = 0xC0;
    EXPECT_EQ(Signals.ReadRx(0), 0); // pin 11, inverted bit 7
    Pins.RxPin[0] = 10;
    Pins.PortBase = 632;
    Signals.SetPins(Pins);
    EXPECT_EQ(Signals.ReadRx(0), 1);
    EXPECT_EQ(Access.Reads, (std::vector<std::uint16_t>{889, 633}));
}

} // namespace
} // namespace scanbench
