#pragma once

#include "board/board_definition.h"
#include "board/chip_description.h"
#include "board/net_faults.h"
#include "board/tap_chip.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace scanbench {

// The lines the board takes from the controller, one bit each, and the
// levels it gives back.
namespace BoardLine {
inline constexpr std::uint8_t Tck0 = 1U << 0;
inline constexpr std::uint8_t Tms0 = 1U << 1;
inline constexpr std::uint8_t Tdi0 = 1U << 2;
inline constexpr std::uint8_t Tck1 = 1U << 3;
inline constexpr std::uint8_t Tms1 = 1U << 4;
inline constexpr std::uint8_t Tdi1 = 1U << 5;
inline constexpr std::uint8_t Tdo0 = 1U << 0; // outputs
inline constexpr std::uint8_t Tdo1 = 1U << 1;
inline constexpr std::uint8_t Sia = 1U << 2;
inline constexpr std::uint8_t Sib = 1U << 3;
} // namespace BoardLine

enum class SyncSwitch : std::uint8_t { A, B };

// Everything the board shows at a moment.
struct BoardSnapshot {
    std::vector<ChipSnapshot> Chips;
    bool Sia = false;
    bool Sib = false;
};

// A board of IEEE 1149.1 chips on the controller's two TAPs, plus two
// switches that drive the controller's SIA and SIB inputs (low at start).
// The chips of one TAP form a chain in the order they are given: TCK and TMS
// go to all of them, the TAP's TDI to the first, each TDO to the next chip's
// TDI and the last TDO back to the controller. A released TDO reads 1 (the
// board's pull-up), and so does the TDO of a TAP without chips.
//
// The chips' pins meet on nets: the nets the definition names, and a net of
// its own for every other pin. A net's level comes from the strong drivers
// on it (outputs that drive, switches), several of them forming a wired AND;
// without one, from weak drivers (released outputs with a weak or pull
// disable result), then from the net's pull, then from a keeper (the level
// it had); else it floats. The board settles whenever a chip's drive or a
// switch changes, so the chips always see the levels their neighbours make.
// The named nets may carry faults (see NetFault), which change the levels
// their pins see until they are taken away.
class ChipBoard {
public:
    // Throws std::invalid_argument for a chip whose description is unusable,
    // a TAP other than 0 or 1, or a pin reference that names no pin.
    explicit ChipBoard(std::vector<BoardChip> chips);
    explicit ChipBoard(BoardDefinition board);
    // The chains point at the chips: a board moves (the chips stay where
    // they are) but is not copied.
    ChipBoard(const ChipBoard&) = delete;
    ChipBoard& operator=(const ChipBoard&) = delete;
    ChipBoard(ChipBoard&&) noexcept = default;
    ChipBoard& operator=(ChipBoard&&) noexcept = default;

    // The controller drives the lines (BoardLine bits); every change of a
    // TCK line is an edge for that TAP's chips.
    void Drive(std::uint8_t lines) {
        Out = Driven(lines, Lines, Out);
        Lines = lines;
    }
    // Drive for each of `count` line levels, linesOf(k) for the k-th, each
    // followed by tell(k, Outputs()): a run of them in one inlined loop.
    template <typename LinesOf, typename Tell>
    void DriveEach(std::size_t count, LinesOf&& linesOf, Tell&& tell) {
        std::uint8_t before = Lines;
        std::uint8_t out = Out;
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint8_t lines = linesOf(k);
            out = Driven(lines, before, out);
            before = lines;
            tell(k, out);
        }
        Lines = before;
        Out = out;
    }
    // TRST of one TAP: its chips go to Test-Logic-Reset without a clock.
    void ResetTap(std::uint8_t tap);
    // Takes the line levels as they are, clocking nothing: the board is
    // plugged in, or the cable is rewired.
    void Attach(std::uint8_t lines) { Lines = lines; }
    [[nodiscard]] std::uint8_t DrivenLines() const { return Lines; }
    // TDO of each TAP and the two switches (BoardLine output bits).
    [[nodiscard]] std::uint8_t Outputs() const { return Out; }

    [[nodiscard]] std::size_t ChipCount() const { return Chips.size(); }
    // The chip of that name (letter case ignored), numbered in snapshot order.
    [[nodiscard]] std::optional<std::size_t> FindChip(std::string_view name) const;
    [[nodiscard]] ChipSnapshot Chip(std::size_t index) const;
    // The chip itself, numbered as Chip numbers it: its pins and cells.
    [[nodiscard]] const TapChip& Part(std::size_t index) const { return Chips.at(index); }
    [[nodiscard]] const ChipDescription& Description(std::size_t index) const {
        return Chips.at(index).Described();
    }
    [[nodiscard]] BoardSnapshot Snapshot() const;

    // Switches and LEDs, in the order the definition gives them; their pin
    // references are numbered as Chip numbers the chips.
    [[nodiscard]] const std::vector<BoardSwitch>& Switches() const { return SwitchList; }
    [[nodiscard]] const std::vector<BoardLed>& Leds() const { return LedList; }
    // The switch or LED row of that name (letter case ignored).
    [[nodiscard]] std::optional<std::size_t> FindSwitch(std::string_view name) const;
    [[nodiscard]] std::optional<std::size_t> FindLed(std::string_view name) const;
    void SetSwitch(std::size_t index, std::uint64_t value);
    [[nodiscard]] std::uint64_t SwitchValue(std::size_t index) const {
        return SwitchValues.at(index);
    }
    // Bit i: LED i of that row lit.
    [[nodiscard]] std::uint64_t LedValue(std::size_t index) const;
    // The switch and bit that drive a pin, if one does.
    struct SwitchBit {
        std::size_t Switch = 0;
        std::uint32_t Bit = 0;
        friend bool operator==(const SwitchBit&, const SwitchBit&) = default;
    };
    [[nodiscard]] std::optional<SwitchBit> SwitchOn(PinRef pin) const;

    // The switches named like the chip at `index` (bit i: switch i), as the
    // demo board's chips have them; nothing happens for a chip without.
    void SetSwitches(std::size_t chip, std::uint8_t levels);
    void SetSyncSwitch(SyncSwitch which, bool high);
    [[nodiscard]] bool SyncSwitchHigh(SyncSwitch which) const;

    // The nets the definition names, in its order; their pin references are
    // numbered as Chip numbers the chips.
    [[nodiscard]] const std::vector<BoardNet>& NamedNets() const { return NetList; }
    [[nodiscard]] std::vector<std::string> NetNames() const;
    // Replaces the board's faults (nets named ignoring letter case). Refuses
    // them all, with the reason, when the board has no named nets, a fault
    // names a net the board does not have, or a net would carry two faults.
    [[nodiscard]] std::optional<std::string> SetFaults(const std::vector<NetFault>& faults);
    [[nodiscard]] const std::vector<NetFault>& Faults() const { return FaultList; }

private:
    static constexpr std::uint8_t ClockLines = BoardLine::Tck0 | BoardLine::Tck1;

    struct Chain {
        TapChip* First = nullptr;
        TapChip* End = nullptr;
    };
    struct Net {
        std::vector<PinRef> Pins;
        std::vector<SwitchBit> Switches;
        NetPull Pull = NetPull::None;
        PinLevel Level = PinLevel::Floating;
        // A stuck or open net; a short is kept in Shorts.
        std::optional<NetFaultKind> Fault;
    };

    // The outputs after the lines change from `before` to `lines`.
    [[nodiscard]] std::uint8_t Driven(std::uint8_t lines, std::uint8_t before, std::uint8_t out) {
        const auto edges = static_cast<std::uint8_t>((lines ^ before) & ClockLines);
        if ((edges & BoardLine::Tck0) != 0) {
            out = ClockChain(0, lines, out);
        }
        if ((edges & BoardLine::Tck1) != 0) {
            out = ClockChain(1, lines, out);
        }
        return out;
    }

    // Runs for every edge: inline, like the chips' edges. Returns the
    // outputs with the chain's TDO after the edge.
    std::uint8_t ClockChain(std::uint8_t tap, std::uint8_t lines, std::uint8_t out) {
        const unsigned levels = static_cast<unsigned>(lines) >> (3 * tap);
        TapChip* chip = Chains[tap].First;
        TapChip* const end = Chains[tap].End;
        if ((levels & BoardLine::Tck0) != 0) {
            // Every chip takes the TDO its neighbour shows now: TDO moves only
            // on falling edges, so the order does not matter.
            const bool tms = (levels & BoardLine::Tms0) != 0;
            bool tdi = (levels & BoardLine::Tdi0) != 0;
            for (; chip != end; ++chip) {
                const bool next = chip->TdoLevel();
                chip->RisingEdge(tms, tdi);
                tdi = next;
            }
            return out;
        }
        bool tdo = true;
        bool drivesChanged = false;
        for (; chip != end; ++chip) {
            chip->FallingEdge();
            tdo = chip->TdoLevel();
            drivesChanged = chip->TakeDrivesChanged() || drivesChanged;
        }
        if (drivesChanged) {
            Settle();
        }
        // Without a branch: TDO is the data shifted, as good as random.
        static_assert(BoardLine::Tdo1 == BoardLine::Tdo0 << 1);
        return static_cast<std::uint8_t>((unsigned{out} & ~(unsigned{BoardLine::Tdo0} << tap)) |
                                         (unsigned{tdo} << tap));
    }

    void Wire(std::vector<BoardSwitch> switches, std::vector<BoardLed> leds,
              const std::vector<BoardNet>& nets);
    [[nodiscard]] std::size_t GlobalPin(PinRef pin) const { return PinBase[pin.Chip] + pin.Pin; }
    [[nodiscard]] PinLevel Resolve(const Net& net) const;
    [[nodiscard]] PinLevel Faulty(const Net& net) const;
    void SetPinLevels(const Net& net);
    // Brings every net to the level its drivers make, and lets the chips'
    // own logic follow, until nothing changes.
    void Settle();

    std::vector<TapChip> Chips; // by TAP, each chain from TDI to TDO
    std::vector<std::uint8_t> ChipTap;
    std::array<Chain, 2> Chains{};
    std::uint8_t Lines = 0;
    std::uint8_t Out = BoardLine::Tdo0 | BoardLine::Tdo1;

    std::vector<std::size_t> PinBase; // by chip: its first pin's global number
    std::vector<std::uint32_t> NetOf; // by global pin
    std::vector<Net> Nets;
    std::vector<BoardNet> NetList; // the named ones, the first NetList.size() of Nets
    std::vector<NetFault> FaultList;
    std::vector<std::pair<std::size_t, std::size_t>> Shorts; // nets bridged, by index
    bool HasFaults = false;
    std::vector<BoardSwitch> SwitchList;
    std::vector<std::uint64_t> SwitchValues;
    std::vector<BoardLed> LedList;
    std::vector<std::optional<SwitchBit>> PinSwitch; // by global pin
    std::vector<std::int32_t> SwitchesOfChip;        // by chip: the switches named like it, or -1
    std::vector<std::int32_t> LedsOfChip;
};

// Puts the faults of `choice` on the board (chosen from its seed, if it has
// one), as SetFaults does; a seed for a board without nets is refused too.
[[nodiscard]] std::optional<std::string> ApplyFaultChoice(const FaultChoice& choice,
                                                          ChipBoard& board);

} // namespace scanbench
