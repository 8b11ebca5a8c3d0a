#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// The instructions a simulated chip understands.
enum class ChipInstruction : std::uint8_t { Bypass, Idcode, SamplePreload, Extest };

// The data registers an instruction can put between TDI and TDO.
enum class DataRegister : std::uint8_t { Bypass, Idcode, Boundary };

// What one boundary-scan cell does: an input cell watches a switch, an output
// cell drives an LED, the control cell enables the outputs.
enum class CellFunction : std::uint8_t { Input, Output, Control };

struct BoundaryCell {
    CellFunction Function = CellFunction::Input;
    std::uint8_t Pin = 0; // switch (input) or LED (output) number 0..7; unused for control
};

struct InstructionCode {
    ChipInstruction Instruction = ChipInstruction::Bypass;
    std::uint32_t Opcode = 0;
};

// One chip's boundary-scan registers as data: what a BSDL file says about a
// part, reduced to what the simulated chips use.
struct ChipDescription {
    std::string Name;                     // reference designator on the board, e.g. "U1"
    std::uint8_t IrLength = 4;            // instruction register bits, 2..8
    std::uint32_t IrCapture = 0b0101;     // loaded in Capture-IR; its low bits must be 01
    std::uint32_t IdCode = 0;             // 32-bit device identification
    std::vector<InstructionCode> Opcodes; // every code not listed selects BYPASS
    std::vector<BoundaryCell> Cells;      // cell 0 is nearest TDO; at most 64 cells
    std::uint8_t OutputEnable = 1;        // control cell level that lets the outputs drive
};

// Whether the description is usable: nothing, or what is wrong with it.
// Checked are the rules every IEEE 1149.1 part follows (instruction register
// of at least two bits capturing ...01, the all-ones code selecting BYPASS,
// an IDCODE with bit 0 set and a manufacturer other than the reserved 0x7F)
// and the limits of the simulation (register lengths, pin numbers, one
// control cell at most, no opcode listed twice).
[[nodiscard]] std::optional<std::string> DescriptionProblem(const ChipDescription& chip);

// Names as boundary-scan tools write them: "BYPASS", "IDCODE", "SAMPLE/PRELOAD",
// "EXTEST"; and "BYPASS", "IDCODE", "BOUNDARY" for the registers.
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
