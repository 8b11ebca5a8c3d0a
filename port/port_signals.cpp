#include "port/port_signals.h"

#include "port/port_access.h"
#include "port/port_registers.h"

namespace scanbench {

namespace {

// 0xFF when the level is high (exactly 1), else 0.
[[nodiscard]] constexpr std::uint8_t HighMask(std::uint8_t level) {
    return level == 1 ? 0xFF : 0x00;
}

} // namespace

PortSignals::PortSignals(PortAccess& access, const PinSettings& pins) : Access(&access) {
    SetPins(pins);
}

void PortSignals::SetPins(const PinSettings& pins) {
    Settings = pins;
    DataAddress = RegisterAddress(pins.PortBase, PortRegister::Data);
    StatusAddress = RegisterAddress(pins.PortBase, PortRegister::Status);
    ControlAddress = RegisterAddress(pins.PortBase, PortRegister::Control);
    Outputs = {OutputFor(pins.TckPin[0]), OutputFor(pins.TmsPin[0]), OutputFor(pins.TxPin[0]),
               OutputFor(pins.TckPin[1]), OutputFor(pins.TmsPin[1]), OutputFor(pins.TxPin[1]),
               OutputFor(pins.SoaPin),    OutputFor(pins.SobPin)};
    Rx = {InputFor(pins.RxPin[0]), InputFor(pins.RxPin[1])};
    Sia = InputFor(pins.SiaPin);
    Sib = InputFor(pins.SibPin);
}

PortSignals::OutputBits PortSignals::OutputFor(std::uint8_t pin) {
    if (pin >= 2 && pin <= 9) {
        return {PinMask(pin), 0};
    }
    return {0, PinMask(pin)};
}

PortSignals::InputBit PortSignals::InputFor(std::uint8_t pin) {
    const std::uint8_t mask = StatusMask(pin);
    return {mask, static_cast<std::uint8_t>((mask & StatusInverted) != 0 ? 1 : 0)};
}

void PortSignals::WritePortSignals(std::uint8_t tck0, std::uint8_t tms0, std::uint8_t tx0,
                                   std::uint8_t tck1, std::uint8_t tms1, std::uint8_t tx1,
                                   std::uint8_t soa, std::uint8_t sob) {
    const std::array<std::uint8_t, 8> levels{tck0, tms0, tx0, tck1, tms1, tx1, soa, sob};
    std::uint8_t data = 0;
    std::uint8_t control = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const std::uint8_t high = HighMask(levels[i]);
        data = static_cast<std::uint8_t>(data | (Outputs[i].Data & high));
        control = static_cast<std::uint8_t>(control | (Outputs[i].Control & high));
    }
    Access->PortWriteByte(DataAddress, data);
    Access->PortWriteByte(ControlAddress, static_cast<std::uint8_t>(control ^ ControlInverted));
    if (AfterWrite) {
        AfterWrite();
    }
}

std::uint8_t PortSignals::ReadRx(std::uint8_t tap) {
    return tap < Rx.size() ? ReadInput(Rx[tap]) : 0;
}

std::uint8_t PortSignals::ReadInput(InputBit bit) {
    if (bit.Mask == 0) {
        return 0;
    }
    const std::uint8_t status = Access->PortReadByte(StatusAddress);
    return static_cast<std::uint8_t>(((status & bit.Mask) != 0 ? 1 : 0) ^ bit.Inverted);
}

} // namespace scanbench
