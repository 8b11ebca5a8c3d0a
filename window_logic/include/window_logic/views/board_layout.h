#pragma once

#include "board/chip_board.h"
#include "window_logic/views/state_diagram_layout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

struct BoardView;

// Pictures share the state diagram's geometry types.
using BoardPoint = DiagramPoint;
using BoardRect = DiagramRect;

// The fonts the board is drawn with, as the window measures them: the width
// a text takes in pixels, and the height of a line.
struct BoardTextMetrics {
    using Measure = std::function<int(std::string_view)>;
    Measure TitleWidth; // chip names and TAP titles
    int TitleHeight = 0;
    Measure LabelWidth; // field names, pin names, IDCODEs
    int LabelHeight = 0;
    Measure ValueWidth; // states, instructions, registers, levels
    int ValueHeight = 0;
};

// Switches and LEDs stand in columns from bit 7 on the left to bit 0 on the
// right, so that they read like the hexadecimal value beside them.
inline constexpr int BoardColumns = 8;
[[nodiscard]] constexpr int BitOfColumn(int column) {
    return BoardColumns - 1 - column;
}

// Where one chip's parts go. Every rectangle lies inside Body; text boxes
// are as wide as the widest text they can hold.
struct ChipLayout {
    BoardRect Body;
    BoardRect Name;
    BoardRect IdCode;                      // its text is right-aligned
    std::array<BoardRect, 3> FieldNames{}; // "State", "Instruction", "Register"
    BoardRect StateBox;
    BoardRect Instruction;
    BoardRect Register;
    BoardRect LedsName;
    BoardRect SwitchesName;
    std::array<BoardRect, BoardColumns> Leds{};          // by column
    std::array<BoardRect, BoardColumns> LedNames{};      // "D7" .. "D0"
    std::array<BoardRect, BoardColumns> Switches{};      // by column
    std::array<BoardRect, BoardColumns> SwitchNames{};   // "S7" .. "S0"
    std::array<BoardRect, BoardColumns> SwitchTargets{}; // what a click may hit
    BoardRect LedsValue;
    BoardRect SwitchesValue;
    BoardPoint Tdi; // where the wire into the chip ends, on its left edge
    BoardPoint Tdo; // where the wire out of it starts, on its right edge
};

// One TAP's chain: its title, its TDI and TDO ends and the wires between.
struct TapRowLayout {
    std::uint8_t Tap = 0;
    BoardRect Title;
    BoardRect TdiName;                            // above the first wire
    BoardRect TdoName;                            // above the last wire
    std::vector<std::array<BoardPoint, 2>> Wires; // arrows, TDI end to TDO end
};

// The board's SIA and SIB switches, index 0 SIA, 1 SIB.
struct SyncPanelLayout {
    BoardRect Panel;
    BoardRect Title;
    std::array<BoardRect, 2> Switches{};
    std::array<BoardRect, 2> Names{};
    std::array<BoardRect, 2> Levels{}; // "high" or "low"
    std::array<BoardRect, 2> Targets{};
};

struct BoardLayout {
    int Width = 0;
    int Height = 0;
    std::vector<std::string> ChipNames; // what the layout was made for
    std::vector<std::uint8_t> ChipTaps;
    std::vector<ChipLayout> Chips; // in the board's snapshot order
    std::vector<TapRowLayout> Rows;
    SyncPanelLayout Sync;
};

// Lays out a board's chips, one row per TAP with chips, in the order the
// board lists them; the sync switches go to the right of the last row.
// All chips get the same size, big enough for every text they can show.
[[nodiscard]] BoardLayout LayOutBoard(std::span<const BoardChip> chips,
                                      const BoardTextMetrics& metrics);

// Whether a layout was made for the chips of `view`.
[[nodiscard]] bool LayoutFits(const BoardLayout& layout, const BoardView& view);

// A switch the user clicked: switch S`Index` of chip `Chip`, or with Sync
// the SIA (Index 0) or SIB (Index 1) switch.
struct SwitchHit {
    bool Sync = false;
    std::size_t Chip = 0;
    std::uint8_t Index = 0;
    friend constexpr bool operator==(const SwitchHit&, const SwitchHit&) = default;
};
[[nodiscard]] std::optional<SwitchHit> SwitchAt(const BoardLayout& layout, int x, int y);

// The texts drawn beside the fields and under the pins.
namespace BoardCaption {
inline constexpr std::string_view State = "State";
inline constexpr std::string_view Instruction = "Instruction";
inline constexpr std::string_view Register = "Register";
inline constexpr std::string_view Leds = "LEDs";
inline constexpr std::string_view Switches = "Switches";
inline constexpr std::string_view Tdi = "TDI";
inline constexpr std::string_view Tdo = "TDO";
inline constexpr std::string_view SyncTitle = "Sync inputs";
inline constexpr std::array<std::string_view, 2> SyncNames{"SIA", "SIB"};
inline constexpr std::string_view High = "high";
inline constexpr std::string_view Low = "low";
} // namespace BoardCaption

[[nodiscard]] std::string TapTitle(std::uint8_t tap);
[[nodiscard]] std::string LedName(int bit);
[[nodiscard]] std::string SwitchName(int bit);

} // namespace scanbench
