#pragma once

#include "engine/feed/signal_port.h"
#include "port/pin_settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

namespace scanbench {

class PortAccess;
class SimulatedBoardPort;

// Bit of a connector output pin in its register: pin 1 and pins 14, 16, 17
// in the control register (bits 0..3), pins 2..9 in the data register (bits
// 0..7). 0 for every other pin.
[[nodiscard]] constexpr std::uint8_t PinMask(std::uint8_t pin) {
    switch (pin) {
    case 1:
        return 0x01;
    case 14:
        return 0x02;
    case 16:
        return 0x04;
    case 17:
        return 0x08;
    default:
        return (pin >= 2 && pin <= 9) ? static_cast<std::uint8_t>(1U << (pin - 2))
                                      : std::uint8_t{0};
    }
}

// Bit of a connector input pin in the status register; 0 for every other pin.
// Pin 11 reads inverted (see StatusInverted).
[[nodiscard]] constexpr std::uint8_t StatusMask(std::uint8_t pin) {
    switch (pin) {
    case 10:
        return 0x40;
    case 11:
        return 0x80;
    case 12:
        return 0x20;
    case 13:
        return 0x10;
    case 15:
        return 0x08;
    default:
        return 0;
    }
}

// Register bits the port hardware inverts between register and pin.
inline constexpr std::uint8_t ControlInverted = 0x0B; // pins 1, 14, 17
inline constexpr std::uint8_t StatusInverted = 0x80;  // pin 11

// Maps the controller's signals onto parallel port pins as the pin settings
// say, through a PortAccess. Only a level of exactly 1 is high. An output
// signal set to a pin that is not an output pin drives nothing; an input
// signal set to a pin that is not an input pin reads 0. Signals sharing an
// output pin are ORed.
//
// The settings are copied and turned into register masks at construction;
// call SetPins when the user confirms new settings. The PortAccess is not
// owned and must stay alive while in use; SetAccess moves the signals to a
// port opened afresh (after new settings, say) while the engine keeps using
// this same SignalPort.
class PortSignals final : public SignalPort {
public:
    PortSignals(PortAccess& access, const PinSettings& pins);

    void SetPins(const PinSettings& pins);
    void SetAccess(PortAccess& access);
    [[nodiscard]] const PinSettings& Pins() const { return Settings; }

    // Called after every WritePortSignals, once both registers are written
    // (the signals window re-reads the pins then). Empty to call nothing.
    void SetAfterWrite(std::function<void()> observer) { AfterWrite = std::move(observer); }

    // Writes the data register, then the control register, on every call.
    void WritePortSignals(std::uint8_t tck0, std::uint8_t tms0, std::uint8_t tx0, std::uint8_t tck1,
                          std::uint8_t tms1, std::uint8_t tx1, std::uint8_t soa,
                          std::uint8_t sob) override;
    // 0 or 1 from the status register; ReadRx of a TAP above 1 is 0.
    [[nodiscard]] std::uint8_t ReadRx(std::uint8_t tap) override;
    [[nodiscard]] std::uint8_t ReadSia() override { return ReadInput(Sia); }
    [[nodiscard]] std::uint8_t ReadSib() override { return ReadInput(Sib); }
    // One status register read serves all three inputs.
    [[nodiscard]] std::uint8_t ReadInputs(std::uint8_t tap) override;
    [[nodiscard]] std::uint8_t WriteThenReadInputs(std::uint8_t outputs, std::uint8_t tap) override;
    // On the simulated board, one loop with the board's work inlined.
    void WriteThenReadInputsEach(std::span<const std::uint16_t> writes,
                                 std::span<std::uint8_t> inputs) override;
    // True on the simulated board.
    [[nodiscard]] bool InputsSettleOnWrites() const override { return Simulated != nullptr; }

private:
    // Where one output signal lands: at most one of the two masks is nonzero.
    struct OutputBits {
        std::uint8_t Data = 0;
        std::uint8_t Control = 0;
    };
    // Where one input signal is read: Mask 0 for a pin the status register
    // does not show.
    struct InputBit {
        std::uint8_t Mask = 0;
        std::uint8_t Inverted = 0;
    };

    [[nodiscard]] static OutputBits OutputFor(std::uint8_t pin);
    [[nodiscard]] static InputBit InputFor(std::uint8_t pin);
    [[nodiscard]] std::uint8_t ReadInput(InputBit bit);
    [[nodiscard]] std::uint8_t ReadStatus();
    void WriteRegisters(std::uint8_t outputs);
    [[nodiscard]] static std::uint8_t Level(std::uint8_t status, InputBit bit) {
        return bit.Mask == 0
                   ? 0
                   : static_cast<std::uint8_t>(((status & bit.Mask) != 0 ? 1 : 0) ^ bit.Inverted);
    }

    PortAccess* Access; // never null
    // The same port when it is the simulated board, else null: called by its
    // own type, its register accesses are inlined instead of dispatched.
    SimulatedBoardPort* Simulated = nullptr;
    PinSettings Settings;
    std::uint16_t DataAddress = 0;
    std::uint16_t StatusAddress = 0;
    std::uint16_t ControlAddress = 0;
    // Data and control register bytes (control already inverted for the
    // hardware) for every combination of the eight output levels, indexed by
    // the levels as bits in WritePortSignals argument order.
    std::array<OutputBits, 256> Registers{};
    std::array<InputBit, 2> Rx{};
    InputBit Sia;
    InputBit Sib;
    // ReadInputs' answer for every status byte, by TAP (2: any TAP above 1),
    // and whether that TAP has an input pin the status register shows.
    std::array<std::array<std::uint8_t, 256>, 3> InputsByStatus{};
    std::array<bool, 3> ReadsStatus{};
    std::function<void()> AfterWrite;
};

} // namespace scanbench
