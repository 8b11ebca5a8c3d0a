#pragma once

#include "board/board_definition.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace scanbench {

// A file a board file reads: its text, or why it cannot be had.
struct SourceFile {
    std::optional<std::string> Text;
    std::string Problem;
};
using BoardFileSource = std::function<SourceFile(const std::filesystem::path&)>;

// Reads a board file through `source`: a JSON object
//
//   {
//     "description": "any text",
//     "taps":     {"0": ["U1", "U2"], "1": ["U3"]},
//     "chips":    {"U1": {"bsdl": "../bsdl/u1.bsd", "idcode": "0x15CB1FFD",
//                         "core": {"D": "S"}}, ...},
//     "switches": {"U1": "U1.S", "BUTTON": "U4.PC13", "KEYS": ["U4.PA0", "U4.PA1"]},
//     "leds":     {"LD2": "U4.PA5"},
//     "nets":     {"SDA": {"pins": ["U4.PB7", "U5.SDA"], "pull": "up"}}
//   }
//
// "taps" gives each TAP's chain from TDI to TDO as chip references;
// "chips" gives each reference its BSDL file (relative to the board file),
// optionally its IDCODE (a hexadecimal string or a number, where the BSDL
// leaves bits open) and its core logic (outputs that follow inputs, pins or
// whole vector ports of equal width). A pin is written "U4.PC13" or
// "U1.D(3)"; switches and LEDs may name one pin, a vector port (bit i its
// i-th lowest index) or a list of pins. A net joins pins, with a pull "up",
// "down" or "none".
//
// Gives the board, or one message naming the file and the entry:
//   "board.json: nets.SDA: U4.PB7 is named twice"
//   "board.json:4:12: expected ',' or '}'"
//   "board.json: chips.U4.bsdl: bsdl/mcu.bsd:17:3: expected ';' after the port list"
[[nodiscard]] std::variant<BoardDefinition, std::string>
ReadBoardFile(const std::filesystem::path& file, const BoardFileSource& source);

// The same, reading the board file and its BSDL files from the disk (at
// most 16 MB each, regular files only).
[[nodiscard]] std::variant<BoardDefinition, std::string>
LoadBoardFile(const std::filesystem::path& file);

} // namespace scanbench
