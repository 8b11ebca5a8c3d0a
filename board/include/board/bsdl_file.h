#pragma once

#include "board/json_value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scanbench {

// What a BSDL file says about a part, as the file says it. Names are kept in
// upper case (BSDL ignores letter case); bit patterns are strings of '0',
// '1' and 'X', written first bit leftmost as in the file.

enum class PortMode : std::uint8_t { In, Out, Inout, Buffer, Linkage };

struct BsdlPort {
    std::string Name;
    PortMode Mode = PortMode::In;
    bool Vector = false;   // bit_vector (Low to High) or (High downto Low)
    std::int32_t Low = 0;  // the lower index of a vector
    std::int32_t High = 0; // the higher index
    TextPosition At;
};

// A port's physical pins in one package, from a PIN_MAP_STRING constant.
struct BsdlPinMapEntry {
    std::string Port;
    std::vector<std::string> Pins;
};
struct BsdlPinMap {
    std::string Name; // the constant's name, e.g. "LQFP48"
    std::vector<BsdlPinMapEntry> Entries;
};

struct BsdlInstruction {
    std::string Name;
    std::vector<std::string> Opcodes; // each INSTRUCTION_LENGTH characters
    TextPosition At;
};

// A register of REGISTER_ACCESS with the instructions that select it.
struct BsdlRegisterAccess {
    std::string Register;                // "BOUNDARY", "BYPASS", "DEVICE_ID", "DPACC", ...
    std::optional<std::uint32_t> Length; // from "NAME[35]"
    std::vector<std::string> Instructions;
    TextPosition At;
};

// The function of a boundary-scan cell.
enum class CellFunction : std::uint8_t {
    Input,
    Clock,
    Output2,
    Output3,
    Control,
    ControlR,
    Bidir,
    Internal,
    ObserveOnly
};

// What a pin does when its control cell disables its driver.
enum class DisableResult : std::uint8_t { Z, Weak0, Weak1, Pull0, Pull1, Keeper };

struct BsdlCell {
    std::uint32_t Number = 0;
    std::string Type; // "BC_1", ...
    std::string Port; // "PA0", "D(3)"; empty for "*"
    CellFunction Function = CellFunction::Internal;
    char Safe = 'X'; // '0', '1' or 'X'
    std::optional<std::uint32_t> ControlCell;
    char DisableValue = '0';
    DisableResult Result = DisableResult::Z;
    TextPosition At;
};

// One set of COMPLIANCE_PATTERNS: the ports and the levels that put the
// part into boundary-scan mode.
struct BsdlCompliancePattern {
    std::vector<std::string> Ports;
    std::string Levels;
};

struct BsdlFile {
    std::string Entity;
    std::string PhysicalPinMap; // the generic's default, e.g. "LQFP48"
    std::vector<std::string> Uses;
    std::vector<BsdlPort> Ports;
    std::vector<BsdlPinMap> PinMaps;
    std::string Conformance; // COMPONENT_CONFORMANCE, e.g. "STD_1149_1_2001"

    std::uint32_t InstructionLength = 0;
    std::vector<BsdlInstruction> Instructions;
    std::string InstructionCapture;
    std::vector<std::string> PrivateInstructions;
    std::vector<std::string> IdCodes;   // IDCODE_REGISTER: 32 characters each
    std::vector<std::string> UserCodes; // USERCODE_REGISTER
    std::vector<BsdlRegisterAccess> RegisterAccess;
    std::uint32_t BoundaryLength = 0;
    std::vector<BsdlCell> Cells; // in the order written, TDI end first

    std::string TapScanIn, TapScanOut, TapScanMode, TapScanClock, TapScanReset; // port names
    double MaxTckHertz = 0;
    std::string TckStopStates; // "BOTH" or "LOW"
    std::vector<BsdlCompliancePattern> CompliancePatterns;
    std::vector<std::string> SkippedAttributes; // read and not used, upper case

    TextPosition EntityAt;

    [[nodiscard]] const BsdlPort* FindPort(std::string_view name) const;
    [[nodiscard]] const BsdlInstruction* FindInstruction(std::string_view name) const;
};

} // namespace scanbench
