#include "port/port_signals.h"

#include "port/port_access.h"
#include "port/port_registers.h"
#include "port/simulated_board_port.h"

#include <algorithm>

namespace scanbench {

namespace {

// The eight levels as the bits 0..7 of one byte, a bit set exactly where the
// level is 1 (2 and every other value count as low). Done on all eight bytes
// at once: XOR with 1 turns exactly the 1 bytes into 0, and the zero-byte
// test plus a multiplication gathers one bit per byte.
[[nodiscard]] unsigned HighLevels(std::uint8_t l0, std::uint8_t l1, std::uint8_t l2,
                                  std::uint8_t l3, std::uint8_t l4, std::uint8_t l5,
                                  std::uint8_t l6, std::uint8_t l7) {
    const std::uint64_t bytes = std::uint64_t{l0} | std::uint64_t{l1} << 8 |
                                std::uint64_t{l2} << 16 | std::uint64_t{l3} << 24 |
                                std::uint64_t{l4} << 32 | std::uint64_t{l5} << 40 |
                                std::uint64_t{l6} << 48 | std::uint64_t{l7} << 56;
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    const std::uint64_t x = bytes ^ Ones;
    // High bit of each byte set exactly where that byte of x is zero.
    const std::uint64_t zero = ~(((x & ~Highs) + ~Highs) | x) & Highs;
    return static_cast<unsigned>(((zero >> 7) * 0x0102040810204080ULL) >> 56);
}

} // namespace

PortSignals::PortSignals(PortAccess& access, const PinSettings& pins) : Access(&access) {
    SetAccess(access);
    SetPins(pins);
}

void PortSignals::SetAccess(PortAccess& access) {
    Access = &access;
    Simulated = dynamic_cast<SimulatedBoardPort*>(&access);
}

inline std::uint8_t PortSignals::ReadStatus() {
    return Simulated != nullptr ? Simulated->PortReadByte(StatusAddress)
                                : Access->PortReadByte(StatusAddress);
}

void PortSignals::SetPins(const PinSettings& pins) {
    Settings = pins;
    DataAddress = RegisterAddress(pins.PortBase, PortRegister::Data);
    StatusAddress = RegisterAddress(pins.PortBase, PortRegister::Status);
    ControlAddress = RegisterAddress(pins.PortBase, PortRegister::Control);
    const std::array<OutputBits, 8> outputs{OutputFor(pins.TckPin[0]), OutputFor(pins.TmsPin[0]),
                                            OutputFor(pins.TxPin[0]),  OutputFor(pins.TckPin[1]),
                                            OutputFor(pins.TmsPin[1]), OutputFor(pins.TxPin[1]),
                                            OutputFor(pins.SoaPin),    OutputFor(pins.SobPin)};
    for (std::size_t levels = 0; levels < Registers.size(); ++levels) {
        OutputBits bits;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            if ((levels >> i) & 1U) {
                bits.Data = static_cast<std::uint8_t>(bits.Data | outputs[i].Data);
                bits.Control = static_cast<std::uint8_t>(bits.Control | outputs[i].Control);
            }
        }
        bits.Control = static_cast<std::uint8_t>(bits.Control ^ ControlInverted);
        Registers[levels] = bits;
    }
    Rx = {InputFor(pins.RxPin[0]), InputFor(pins.RxPin[1])};
    Sia = InputFor(pins.SiaPin);
    Sib = InputFor(pins.SibPin);
    for (std::size_t tap = 0; tap < InputsByStatus.size(); ++tap) {
        const InputBit rx = tap < Rx.size() ? Rx[tap] : InputBit{};
        ReadsStatus[tap] = rx.Mask != 0 || Sia.Mask != 0 || Sib.Mask != 0;
        for (std::size_t status = 0; status < 256; ++status) {
            const auto byte = static_cast<std::uint8_t>(status);
            InputsByStatus[tap][status] = static_cast<std::uint8_t>(
                Level(byte, rx) * RxHigh | Level(byte, Sia) * SiaHigh | Level(byte, Sib) * SibHigh);
        }
    }
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
    WriteRegisters(
        static_cast<std::uint8_t>(HighLevels(tck0, tms0, tx0, tck1, tms1, tx1, soa, sob)));
}

inline void PortSignals::WriteRegisters(std::uint8_t outputs) {
    const OutputBits& bits = Registers[outputs];
    if (Simulated != nullptr) {
        Simulated->PortWriteDataThenControl(DataAddress, bits.Data, ControlAddress, bits.Control);
    } else {
        Access->PortWriteDataThenControl(DataAddress, bits.Data, ControlAddress, bits.Control);
    }
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
    return Level(ReadStatus(), bit);
}

std::uint8_t PortSignals::ReadInputs(std::uint8_t tap) {
    const std::size_t t = tap < Rx.size() ? tap : Rx.size();
    return ReadsStatus[t] ? InputsByStatus[t][ReadStatus()] : 0;
}

std::uint8_t PortSignals::WriteThenReadInputs(std::uint8_t outputs, std::uint8_t tap) {
    WriteRegisters(outputs);
    return ReadInputs(tap);
}

void PortSignals::WriteThenReadInputsEach(std::span<const std::uint16_t> writes,
                                          std::span<std::uint8_t> inputs) {
    if (Simulated == nullptr || AfterWrite ||
        !Simulated->SameAddresses(DataAddress, StatusAddress, ControlAddress)) {
        SignalPort::WriteThenReadInputsEach(writes, inputs);
        return;
    }
    // A TAP whose inputs the status register does not show reads 0 from
    // every status byte: no test needed.
    Simulated->WriteEach(
        writes.size(),
        [&](std::size_t k) {
            const OutputBits& bits = Registers[writes[k] & 0xFFU];
            return static_cast<std::uint16_t>((bits.Control & 0x0FU) << 8 | bits.Data);
        },
        [&](std::size_t k, std::uint8_t status) {
            inputs[k] = InputsByStatus[std::min<std::size_t>(writes[k] >> 8, Rx.size())][status];
        });
}

} // namespace scanbench
