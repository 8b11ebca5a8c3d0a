#pragma once

#include "board/bsdl_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// What an instruction does to the pins and which kind of register it puts
// between TDI and TDO. Other stands for the maker's own instructions.
enum class ChipInstruction : std::uint8_t {
    Bypass,
    Idcode,
    SamplePreload,
    Extest,
    Usercode,
    Highz,
    Clamp,
    Intest,
    Other
};

// The data registers an instruction can select.
enum class DataRegister : std::uint8_t { Bypass, Idcode, Usercode, Boundary, Other };

// One opcode of the instruction register. An instruction with several
// opcodes has an entry for each; SAMPLE and PRELOAD sharing a code share an
// entry named "SAMPLE/PRELOAD".
struct ChipOpcode {
    std::string Name;
    std::uint64_t Value = 0;
    std::uint64_t Care = 0; // the bits that must match: an X in the opcode matches both
    ChipInstruction Instruction = ChipInstruction::Bypass;
    std::uint32_t Register = 0; // index into ChipDescription::Registers
    bool Private = false;       // selects BYPASS: what it really does is the maker's secret
};

struct ChipRegister {
    std::string Name; // "BYPASS", "IDCODE", "USERCODE", "BOUNDARY", or the maker's name
    DataRegister Kind = DataRegister::Bypass;
    std::uint32_t Length = 1;
    std::uint64_t Capture = 0; // loaded in Capture-DR (BOUNDARY captures the pins)
};

// A pin of the chip: a scalar port, or one bit of a bit_vector ("D(3)").
struct ChipPin {
    std::string Name;
    PortMode Mode = PortMode::In;
};

// One function of one boundary-scan cell; a merged cell has two entries
// with the same number.
struct ChipCell {
    std::uint32_t Number = 0;
    CellFunction Function = CellFunction::Internal;
    std::int32_t Pin = -1; // index into Pins; -1 for internal and control cells
    char Safe = 'X';
    std::int32_t Control = -1; // number of the cell that enables this one's driver
    std::uint8_t DisableValue = 0;
    DisableResult Result = DisableResult::Z;
};

// The chip's own logic, as far as the simulation knows it: outside the
// boundary-scan instructions pin Output drives the level of pin Input.
struct CoreLink {
    std::uint32_t Output = 0;
    std::uint32_t Input = 0;
    friend bool operator==(const CoreLink&, const CoreLink&) = default;
};

// One chip's boundary-scan architecture: what its BSDL description says,
// in the form the simulated chip runs on (see ChipFromBsdl).
struct ChipDescription {
    std::string Name;   // reference designator on the board, e.g. "U1"
    std::string Entity; // the BSDL entity, e.g. "SCANBENCH_U1"
    std::uint8_t IrLength = 0;
    std::uint64_t IrCapture = 0;         // loaded in Capture-IR; its low bits are 01
    std::uint32_t IdCode = 0;            // 0 for a chip without the register
    std::vector<ChipOpcode> Opcodes;     // every code not listed selects BYPASS
    std::vector<ChipRegister> Registers; // [0] is always BYPASS
    std::vector<ChipCell> Cells;         // in the order the BSDL lists them
    std::uint32_t BoundaryLength = 0;    // cell numbers run 0 .. BoundaryLength-1, 0 nearest TDO
    std::vector<ChipPin> Pins;
    std::vector<CoreLink> Core;

    // The opcode entry that `opcode` selects, or null (BYPASS).
    [[nodiscard]] const ChipOpcode* Decode(std::uint64_t opcode) const;
    // The pin of that name (letter case ignored).
    [[nodiscard]] std::optional<std::uint32_t> FindPin(std::string_view name) const;
    // The name of opcode entry `opcode` as the BSDL gives it; "BYPASS" for
    // -1, a code the chip does not list.
    [[nodiscard]] std::string_view OpcodeName(std::int32_t opcode) const;
};

// Whether the description is usable: nothing, or what is wrong with it.
// Checked are the rules every IEEE 1149.1 part follows (an instruction
// register of at least two bits capturing ...01, the all-ones code
// selecting BYPASS, an IDCODE with bit 0 set and a manufacturer other than
// the reserved 0x7F) and the limits of the simulation (an instruction
// register of at most 64 bits, registers of at most MaxRegisterLength bits,
// cells that name existing pins and control cells).
[[nodiscard]] std::optional<std::string> DescriptionProblem(const ChipDescription& chip);

inline constexpr std::uint32_t MaxRegisterLength = 1U << 20;

// Names as boundary-scan tools write them: "BYPASS", "IDCODE",
// "SAMPLE/PRELOAD", "EXTEST", ...; and "BYPASS", "IDCODE", "USERCODE",
// "BOUNDARY" for the registers (the maker's own registers carry their names).
[[nodiscard]] std::string_view InstructionName(ChipInstruction instruction);
[[nodiscard]] std::string_view RegisterName(DataRegister data);

// Fields of an IDCODE value.
[[nodiscard]] constexpr std::uint32_t IdCodeVersion(std::uint32_t id) {
    return id >> 28;
}
[[nodiscard]] constexpr std::uint32_t IdCodePart(std::uint32_t id) {
    return (id >> 12) & 0xFFFF;
}
[[nodiscard]] constexpr std::uint32_t IdCodeManufacturer(std::uint32_t id) {
    return (id >> 1) & 0x7FF;
}

} // namespace scanbench
