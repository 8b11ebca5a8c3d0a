#pragma once

#include "board/chip_board.h"
#include "port/board_wiring.h"
#include "port/pin_settings.h"
#include "port/port_access.h"
#include "port/port_choice.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace scanbench {

// A PC parallel port emulated at register level, its connector cabled to a
// simulated board: plain wiring (see BoardWiring), or the chips of the demo
// board or of a board file (see DemoBoard, LoadBoardFile and ChipWiring).
// Available unless the board file cannot be used; Problem() then says why,
// and the connector reads as if nothing were plugged in.
//
// Registers sit at PortBase (data), +1 (status) and +2 (control) of the pin
// settings copied at construction; SetPins replaces the copy. Data and
// control read back what was last written (control only its low four bits);
// status follows the board. The work is tabulated whenever the cabling
// changes, for all 4096 combinations of data and control:
//  - on a wired board the status byte itself, so a write is one look-up and
//    reads cost nothing;
//  - on a board of chips the lines the chips see; each write hands them to
//    the chips, which act on TCK edges, and the status byte is looked up from
//    the chips' four outputs when it is read.
class SimulatedBoardPort final : public PortAccess {
public:
    SimulatedBoardPort(const PinSettings& pins, const BoardChoice& board);

    // Defined here so that a caller that holds the port by its own type
    // (PortSignals does) gets them inlined: they run for every event.
    [[nodiscard]] std::uint8_t PortReadByte(std::uint16_t address) override {
        if (address == StatusAddress) {
            return Mounted ? ChipStatus[Mounted->Outputs()] : Status;
        }
        return ReadOutputRegister(address);
    }
    void PortWriteByte(std::uint16_t address, std::uint8_t value) override;
    void PortWriteDataThenControl(std::uint16_t dataAddress, std::uint8_t data,
                                  std::uint16_t controlAddress, std::uint8_t control) override {
        if (dataAddress != DataAddress || controlAddress != ControlAddress) {
            PortWriteByte(dataAddress, data);
            PortWriteByte(controlAddress, control);
            return;
        }
        // Both registers change together; the board sees the final levels.
        Registers = static_cast<std::uint16_t>(((control & 0x0FU) << 8) | data);
        Settle();
    }
    // PortWriteDataThenControl of `count` words (control << 8 | data), the
    // k-th wordOf(k), at the port's own data and control addresses, each
    // followed by a read of the status register, tell(k, status): a run of
    // events in one inlined loop.
    template <typename WordOf, typename Tell>
    void WriteEach(std::size_t count, WordOf&& wordOf, Tell&& tell) {
        if (count == 0) {
            return;
        }
        if (Mounted) {
            Mounted->DriveEach(
                count, [&](std::size_t k) { return ChipLines[wordOf(k) & 0x0FFFU]; },
                [&](std::size_t k, std::uint8_t outputs) { tell(k, ChipStatus[outputs]); });
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                Status = StatusTable[wordOf(k) & 0x0FFFU];
                tell(k, Status);
            }
        }
        Registers = static_cast<std::uint16_t>(wordOf(count - 1) & 0x0FFFU);
    }
    [[nodiscard]] bool SameAddresses(std::uint16_t data, std::uint16_t status,
                                     std::uint16_t control) const {
        return data == DataAddress && status == StatusAddress && control == ControlAddress;
    }
    [[nodiscard]] bool DriverAvailable() const override { return Failure.empty(); }
    [[nodiscard]] std::string Problem() const override { return Failure; }
    void SetDirectAccess(bool /*enable*/) override {}
    [[nodiscard]] ChipBoard* Chips() override { return Mounted ? &*Mounted : nullptr; }

    // Recables the board and moves the registers to the new base; register
    // contents are kept and the status register follows the new wiring at
    // once. The chips keep their state: the cable is moved, not the board
    // switched off, and no TCK edge reaches them.
    void SetPins(const PinSettings& pins);
    [[nodiscard]] const PinSettings& Pins() const { return Settings; }
    [[nodiscard]] const BoardChoice& Board() const { return Kind; }

private:
    void Mount(const std::string& file);
    void Rewire();
    [[nodiscard]] std::uint8_t ReadOutputRegister(std::uint16_t address) const;
    // Data and control live in one 16-bit word, the table index, and each
    // register is read back from it: writing a byte and then loading the word
    // that contains it would stall the processor on every write.
    void Settle() {
        if (Mounted) {
            Mounted->Drive(ChipLines[Registers]);
        } else {
            Status = StatusTable[Registers];
        }
    }
    [[nodiscard]] std::uint8_t Data() const { return static_cast<std::uint8_t>(Registers & 0xFF); }
    [[nodiscard]] std::uint8_t Control() const { return static_cast<std::uint8_t>(Registers >> 8); }

    PinSettings Settings;
    BoardChoice Kind;
    std::string Failure; // why the board file cannot be used
    std::uint16_t DataAddress = 0;
    std::uint16_t StatusAddress = 0;
    std::uint16_t ControlAddress = 0;
    std::uint16_t Registers = 0; // control (low four bits only) << 8 | data
    std::uint8_t Status = 0;
    std::optional<ChipBoard> Mounted;
    // Indexed by control << 8 | data: the status byte of a wired board, the
    // chips' lines (BoardLine bits) on a board of chips.
    std::array<std::uint8_t, 16 * 256> StatusTable{};
    std::array<std::uint8_t, 16 * 256> ChipLines{};
    // Status byte of a board of chips, indexed by the chips' outputs.
    std::array<std::uint8_t, 16> ChipStatus{};
};

} // namespace scanbench
