#include "board/chip_from_bsdl.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace scanbench {

namespace {

struct Pattern {
    std::uint64_t Value = 0;
    std::uint64_t Care = 0;
};

// Written first bit most significant, as BSDL writes its patterns.
Pattern FromPattern(std::string_view bits) {
    Pattern pattern;
    for (const char c : bits) {
        pattern.Value = (pattern.Value << 1) | (c == '1' ? 1U : 0U);
        pattern.Care = (pattern.Care << 1) | (c == 'X' ? 0U : 1U);
    }
    return pattern;
}

ChipInstruction KindOf(std::string_view name) {
    static const std::map<std::string_view, ChipInstruction> Kinds{
        {"BYPASS", ChipInstruction::Bypass},         {"IDCODE", ChipInstruction::Idcode},
        {"USERCODE", ChipInstruction::Usercode},     {"SAMPLE", ChipInstruction::SamplePreload},
        {"PRELOAD", ChipInstruction::SamplePreload}, {"EXTEST", ChipInstruction::Extest},
        {"EXTEST_PULSE", ChipInstruction::Extest},   {"EXTEST_TRAIN", ChipInstruction::Extest},
        {"HIGHZ", ChipInstruction::Highz},           {"CLAMP", ChipInstruction::Clamp},
        {"INTEST", ChipInstruction::Intest},
    };
    const auto known = Kinds.find(name);
    return known == Kinds.end() ? ChipInstruction::Other : known->second;
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

class ChipBuilder {
public:
    ChipBuilder(const BsdlFile& file, std::string name) : File(file) {
        Chip.Name = std::move(name);
        Chip.Entity = File.Entity;
        Chip.Registers.push_back({"BYPASS", DataRegister::Bypass, 1, 0});
    }

    std::variant<ChipDescription, std::string> Build(std::optional<std::uint32_t> idCode) {
        if (File.InstructionLength > 64) {
            return Problem("an instruction register of " + std::to_string(File.InstructionLength) +
                           " bits is more than the simulation's 64");
        }
        Chip.IrLength = static_cast<std::uint8_t>(File.InstructionLength);
        Chip.IrCapture = FromPattern(File.InstructionCapture).Value;
        if (auto problem = IdCode(idCode)) {
            return std::move(*problem);
        }
        if (File.BoundaryLength > MaxRegisterLength) {
            return Problem("at most " + std::to_string(MaxRegisterLength) + " boundary cells");
        }
        if (auto problem = Instructions()) {
            return std::move(*problem);
        }
        if (auto problem = Pins()) {
            return std::move(*problem);
        }
        Cells();
        if (auto problem = DescriptionProblem(Chip)) {
            return std::move(*problem);
        }
        return std::move(Chip);
    }

private:
    [[nodiscard]] std::string Problem(const std::string& what) const {
        return Chip.Name + " (" + File.Entity + "): " + what;
    }

    std::optional<std::string> IdCode(std::optional<std::uint32_t> given) {
        std::optional<Pattern> declared;
        if (!File.IdCodes.empty()) {
            declared = FromPattern(File.IdCodes.front());
        }
        if (given) {
            if (declared && ((*given ^ declared->Value) & declared->Care) != 0) {
                return Problem("IDCODE " + Hex(*given) + " does not match IDCODE_REGISTER " +
                               File.IdCodes.front());
            }
            Chip.IdCode = *given;
        } else if (declared) {
            Chip.IdCode = static_cast<std::uint32_t>(declared->Value);
        }
        if (!File.UserCodes.empty()) {
            UserCode = static_cast<std::uint32_t>(FromPattern(File.UserCodes.front()).Value);
        }
        return std::nullopt;
    }

    std::uint32_t Register(std::string name, DataRegister kind, std::uint32_t length,
                           std::uint64_t capture) {
        for (std::size_t i = 0; i < Chip.Registers.size(); ++i) {
            if (Chip.Registers[i].Name == name && Chip.Registers[i].Kind == kind) {
                return static_cast<std::uint32_t>(i);
            }
        }
        Chip.Registers.push_back({std::move(name), kind, length, capture});
        return static_cast<std::uint32_t>(Chip.Registers.size() - 1);
    }

    // The register an instruction selects when REGISTER_ACCESS does not say.
    std::uint32_t StandardRegister(ChipInstruction kind) {
        switch (kind) {
        case ChipInstruction::Idcode:
            return Register("IDCODE", DataRegister::Idcode, 32, Chip.IdCode);
        case ChipInstruction::Usercode:
            return Register("USERCODE", DataRegister::Usercode, 32, UserCode.value_or(0));
        case ChipInstruction::SamplePreload:
        case ChipInstruction::Extest:
        case ChipInstruction::Intest:
            if (File.BoundaryLength > 0) {
                return Register("BOUNDARY", DataRegister::Boundary, File.BoundaryLength, 0);
            }
            return 0;
        default:
            return 0;
        }
    }

    // The register REGISTER_ACCESS gives the instruction, if it names it.
    std::optional<std::uint32_t> AccessRegister(const std::string& instruction,
                                                ChipInstruction kind) {
        for (const BsdlRegisterAccess& access : File.RegisterAccess) {
            if (std::ranges::find(access.Instructions, instruction) == access.Instructions.end()) {
                continue;
            }
            if (access.Register == "BYPASS") {
                return 0;
            }
            if (access.Register == "BOUNDARY") {
                return StandardRegister(ChipInstruction::Extest);
            }
            if (access.Register == "DEVICE_ID") {
                return StandardRegister(kind == ChipInstruction::Usercode
                                            ? ChipInstruction::Usercode
                                            : ChipInstruction::Idcode);
            }
            if (access.Length) {
                return Register(access.Register, DataRegister::Other, *access.Length, 0);
            }
            return 0; // a register whose length the description keeps to itself
        }
        return std::nullopt;
    }

    std::optional<std::string> Instructions() {
        for (const BsdlInstruction& instruction : File.Instructions) {
            const bool secret = std::ranges::find(File.PrivateInstructions, instruction.Name) !=
                                File.PrivateInstructions.end();
            const ChipInstruction kind =
                secret ? ChipInstruction::Bypass : KindOf(instruction.Name);
            std::uint32_t selected = 0;
            if (!secret) {
                selected = AccessRegister(instruction.Name, kind).value_or(StandardRegister(kind));
            }
            for (const std::string& written : instruction.Opcodes) {
                const Pattern opcode = FromPattern(written);
                const auto same = std::ranges::find_if(Chip.Opcodes, [&](const ChipOpcode& c) {
                    return c.Value == opcode.Value && c.Care == opcode.Care;
                });
                if (same != Chip.Opcodes.end()) {
                    same->Name += "/" + instruction.Name; // SAMPLE/PRELOAD
                    continue;
                }
                Chip.Opcodes.push_back(
                    {instruction.Name, opcode.Value, opcode.Care, kind, selected, secret});
            }
        }
        const bool idcodeUsed = std::ranges::any_of(Chip.Opcodes, [this](const ChipOpcode& c) {
            return Chip.Registers[c.Register].Kind == DataRegister::Idcode;
        });
        if (idcodeUsed && File.IdCodes.empty() && Chip.IdCode == 0) {
            return Problem("IDCODE needs IDCODE_REGISTER, or the chip's IDCODE in the board file");
        }
        return std::nullopt;
    }

    std::optional<std::string> Pins() {
        std::size_t count = 0;
        for (const BsdlPort& port : File.Ports) {
            count += port.Vector ? static_cast<std::size_t>(port.High - port.Low) + 1 : 1;
        }
        // Packages of a few thousand pins exist; far more is a broken description.
        constexpr std::size_t MaxPins = 65536;
        if (count > MaxPins) {
            return Problem("more than " + std::to_string(MaxPins) + " pins");
        }
        const std::string* tapPorts[] = {&File.TapScanIn, &File.TapScanOut, &File.TapScanMode,
                                         &File.TapScanClock, &File.TapScanReset};
        for (const BsdlPort& port : File.Ports) {
            const bool tap = std::ranges::any_of(
                tapPorts, [&](const std::string* p) { return *p == port.Name; });
            if (port.Mode == PortMode::Linkage || tap) {
                continue;
            }
            if (!port.Vector) {
                PinIndex.emplace(port.Name, Chip.Pins.size());
                Chip.Pins.push_back({port.Name, port.Mode});
                continue;
            }
            for (std::int32_t i = port.Low; i <= port.High; ++i) {
                std::string name = VectorPinName(port.Name, i);
                PinIndex.emplace(name, Chip.Pins.size());
                Chip.Pins.push_back({std::move(name), port.Mode});
            }
        }
        return std::nullopt;
    }

    void Cells() {
        Chip.BoundaryLength = File.BoundaryLength;
        for (const BsdlCell& cell : File.Cells) {
            ChipCell placed;
            placed.Number = cell.Number;
            placed.Function = cell.Function;
            if (const auto pin = PinIndex.find(cell.Port); pin != PinIndex.end()) {
                placed.Pin = static_cast<std::int32_t>(pin->second);
            }
            placed.Safe = cell.Safe;
            if (cell.ControlCell) {
                placed.Control = static_cast<std::int32_t>(*cell.ControlCell);
                placed.DisableValue = cell.DisableValue == '1' ? 1 : 0;
                placed.Result = cell.Result;
            }
            Chip.Cells.push_back(placed);
        }
    }

    const BsdlFile& File;
    ChipDescription Chip;
    std::optional<std::uint32_t> UserCode;
    std::map<std::string, std::size_t, std::less<>> PinIndex;
};

} // namespace

std::string VectorPinName(std::string_view port, std::int32_t index) {
    return std::string(port) + "(" + std::to_string(index) + ")";
}

std::variant<ChipDescription, std::string> ChipFromBsdl(const BsdlFile& file, std::string name,
                                                        std::optional<std::uint32_t> idCode) {
    return ChipBuilder(file, std::move(name)).Build(idCode);
}

} // namespace scanbench
