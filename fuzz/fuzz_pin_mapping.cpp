// Fuzzes the pin mapping against the connector's electrical model: any pin
// settings (pins 0..255, any base), any level bytes (only 1 is high) and any
// levels on the input pins. What PortSignals writes must drive exactly the
// output pins whose signals are high, and what it reads must be the level of
// the input pin each signal is wired to.
#include "port/parallel_connector.h"
#include "port/pin_settings.h"
#include "port/port_access.h"
#include "port/port_registers.h"
#include "port/port_signals.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace scanbench;

class RegisterPort final : public PortAccess {
public:
    std::uint8_t PortReadByte(std::uint16_t address) override {
        return address == Status ? StatusByte : FloatingBus;
    }
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override {
        if (address == Data) {
            DataByte = value;
        } else if (address == Control) {
            ControlByte = value;
        }
    }
    bool DriverAvailable() const override { return true; }
    void SetDirectAccess(bool) override {}

    std::uint16_t Data = 0;
    std::uint16_t Status = 0;
    std::uint16_t Control = 0;
    std::uint8_t DataByte = 0;
    std::uint8_t ControlByte = 0;
    std::uint8_t StatusByte = 0;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t Needed = 4 + 12 + 8 + 1;
    if (size < Needed) {
        return 0;
    }
    PinSettings pins;
    pins.PortBase =
        static_cast<std::int32_t>(std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                  std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24);
    const std::uint8_t* p = data + 4;
    pins.TmsPin = {p[0], p[1]};
    pins.TckPin = {p[2], p[3]};
    pins.TxPin = {p[4], p[5]};
    pins.RxPin = {p[6], p[7]};
    pins.SoaPin = p[8];
    pins.SobPin = p[9];
    pins.SiaPin = p[10];
    pins.SibPin = p[11];
    const std::uint8_t* levels = p + 12;
    const std::uint8_t inputs = levels[8]; // the five input pins' levels, one bit each

    RegisterPort port;
    port.Data = RegisterAddress(pins.PortBase, PortRegister::Data);
    port.Status = RegisterAddress(pins.PortBase, PortRegister::Status);
    port.Control = RegisterAddress(pins.PortBase, PortRegister::Control);
    PinLevels inputLevels = 0;
    for (std::size_t i = 0; i < InputPins.size(); ++i) {
        if ((inputs >> i) & 1U) {
            inputLevels |= PinBit(InputPins[i]);
        }
    }
    port.StatusByte = StatusImage(inputLevels);

    PortSignals signals(port, pins);
    signals.WritePortSignals(levels[0], levels[1], levels[2], levels[3], levels[4], levels[5],
                             levels[6], levels[7]);

    // Argument order: TCK0, TMS0, TX0, TCK1, TMS1, TX1, SOA, SOB.
    const std::array<std::uint8_t, 8> outputPins{pins.TckPin[0], pins.TmsPin[0], pins.TxPin[0],
                                                 pins.TckPin[1], pins.TmsPin[1], pins.TxPin[1],
                                                 pins.SoaPin,    pins.SobPin};
    PinLevels expected = 0;
    for (std::size_t i = 0; i < outputPins.size(); ++i) {
        if (levels[i] == 1 && IsOutputPin(outputPins[i])) {
            expected |= PinBit(outputPins[i]);
        }
    }
    Check((port.ControlByte & 0xF0) == 0);
    Check(DrivenPinLevels(port.DataByte, port.ControlByte) == expected);

    const auto level = [&](std::uint8_t pin) -> std::uint8_t {
        return IsInputPin(pin) && (inputLevels & PinBit(pin)) != 0 ? 1 : 0;
    };
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        Check(signals.ReadRx(tap) == level(pins.RxPin[tap]));
        const std::uint8_t all = signals.ReadInputs(tap);
        Check(((all & SignalPort::RxHigh) != 0) == (level(pins.RxPin[tap]) == 1));
        Check(((all & SignalPort::SiaHigh) != 0) == (level(pins.SiaPin) == 1));
        Check(((all & SignalPort::SibHigh) != 0) == (level(pins.SibPin) == 1));
    }
    Check(signals.ReadSia() == level(pins.SiaPin));
    Check(signals.ReadSib() == level(pins.SibPin));
    Check(signals.ReadRx(2) == 0);
    return 0;
}
