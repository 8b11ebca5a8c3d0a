#include "board/bsdl_reader.h"

#include "bsdl_attributes.h"
#include "bsdl_lexer.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <map>

namespace scanbench {

const BsdlPort* BsdlFile::FindPort(std::string_view name) const {
    const auto found = std::ranges::find(Ports, name, &BsdlPort::Name);
    return found == Ports.end() ? nullptr : &*found;
}

const BsdlInstruction* BsdlFile::FindInstruction(std::string_view name) const {
    const auto found = std::ranges::find(Instructions, name, &BsdlInstruction::Name);
    return found == Instructions.end() ? nullptr : &*found;
}

std::string BsdlErrorText(std::string_view file, const BsdlError& error) {
    return std::string(file) + ":" + std::to_string(error.At.Line) + ":" +
           std::to_string(error.At.Column) + ": " + error.Message;
}

namespace {

using bsdl::PlacedText;
using bsdl::ReadFailure;
using bsdl::Token;
using bsdl::TokenKind;

// An attribute as written, decoded once the whole entity has been read:
// INSTRUCTION_OPCODE needs INSTRUCTION_LENGTH, wherever that stands.
struct Attribute {
    std::string Name;
    std::vector<std::string> Targets;
    std::string Class; // ENTITY, SIGNAL, ...
    PlacedText Text;   // a string value
    std::vector<Token> Value;
    TextPosition At;
    TextPosition ValueAt;
    bool IsString = false;
};

class FileReader {
public:
    explicit FileReader(std::string_view text) : Tokens(bsdl::Tokenize(text)) {}

    BsdlFile Read() {
        ExpectKeyword("ENTITY", "at the start of the description");
        File.EntityAt = Peek().At;
        File.Entity = ExpectIdentifier("the entity's name").Text;
        ExpectKeyword("IS", "after the entity's name");
        while (true) {
            const Token& next = Peek();
            if (next.Kind == TokenKind::End) {
                Fail(next.At, "the file ends before 'end " + File.Entity + ";'");
            }
            if (IsKeyword("GENERIC")) {
                Generic();
            } else if (IsKeyword("PORT")) {
                Ports();
            } else if (IsKeyword("USE")) {
                Use();
            } else if (IsKeyword("ATTRIBUTE")) {
                ReadAttribute();
            } else if (IsKeyword("CONSTANT")) {
                Constant();
            } else if (IsKeyword("END")) {
                End();
                break;
            } else {
                FailHere("expected generic, port, use, attribute, constant or end");
            }
        }
        Decode();
        Check();
        return std::move(File);
    }

private:
    [[nodiscard]] const Token& Peek() const { return Tokens[Next]; }
    Token Take() {
        Token token = Tokens[Next];
        if (token.Kind != TokenKind::End) {
            ++Next;
        }
        return token;
    }
    [[nodiscard]] bool IsKeyword(std::string_view word) const {
        return Peek().Kind == TokenKind::Identifier && Peek().Text == word;
    }
    [[nodiscard]] bool IsSymbol(std::string_view symbol) const {
        return Peek().Kind == TokenKind::Symbol && Peek().Text == symbol;
    }

    [[noreturn]] static void Fail(TextPosition at, std::string message) {
        throw ReadFailure{at, std::move(message)};
    }
    [[noreturn]] void FailHere(std::string message) const {
        const Token& token = Peek();
        switch (token.Kind) {
        case TokenKind::End:
            message += ", not the end of the file";
            break;
        case TokenKind::String:
            message += ", not a string";
            break;
        default:
            message += ", not '" + token.Text + "'";
            break;
        }
        Fail(token.At, std::move(message));
    }

    void ExpectKeyword(std::string_view word, std::string_view context) {
        if (!IsKeyword(word)) {
            FailHere("expected '" + bsdl::Upper(word) + "' " + std::string(context));
        }
        Take();
    }
    void ExpectSymbol(std::string_view symbol, std::string_view context) {
        if (!IsSymbol(symbol)) {
            FailHere("expected '" + std::string(symbol) + "' " + std::string(context));
        }
        Take();
    }
    Token ExpectIdentifier(std::string_view what) {
        if (Peek().Kind != TokenKind::Identifier) {
            FailHere("expected " + std::string(what));
        }
        return Take();
    }
    std::int32_t ExpectInteger(std::string_view what) {
        const Token& token = Peek();
        std::int32_t value = 0;
        const auto [end, error] =
            std::from_chars(token.Text.data(), token.Text.data() + token.Text.size(), value);
        if (token.Kind != TokenKind::Number || error != std::errc{} ||
            end != token.Text.data() + token.Text.size() || value < 0) {
            FailHere("expected " + std::string(what));
        }
        Take();
        return value;
    }

    // generic (PHYSICAL_PIN_MAP : string := "LQFP48");
    void Generic() {
        Take();
        ExpectSymbol("(", "after 'generic'");
        do {
            const std::string name = ExpectIdentifier("a generic's name").Text;
            ExpectSymbol(":", "after the generic's name");
            (void)ExpectIdentifier("the generic's type");
            if (IsSymbol(":=")) {
                Take();
                if (Peek().Kind != TokenKind::String) {
                    FailHere("expected the generic's default value in double quotes");
                }
                const std::string value = bsdl::Upper(Take().Text);
                if (name == "PHYSICAL_PIN_MAP") {
                    File.PhysicalPinMap = value;
                }
            }
        } while (IsSymbol(";") && (Take(), true));
        ExpectSymbol(")", "after the generic");
        ExpectSymbol(";", "after the generic");
    }

    // port (TDI : in bit; PA : inout bit_vector (0 to 15); ...);
    void Ports() {
        Take();
        ExpectSymbol("(", "after 'port'");
        while (true) {
            std::vector<Token> names{ExpectIdentifier("a port name")};
            while (IsSymbol(",")) {
                Take();
                names.push_back(ExpectIdentifier("a port name"));
            }
            ExpectSymbol(":", "after the port name");
            BsdlPort port;
            const Token mode =
                ExpectIdentifier("the port's mode (in, out, inout, buffer, linkage)");
            static const std::map<std::string, PortMode, std::less<>> Modes{
                {"IN", PortMode::In},
                {"OUT", PortMode::Out},
                {"INOUT", PortMode::Inout},
                {"BUFFER", PortMode::Buffer},
                {"LINKAGE", PortMode::Linkage}};
            const auto known = Modes.find(mode.Text);
            if (known == Modes.end()) {
                Fail(mode.At,
                     "unknown port mode '" + mode.Text + "' (in, out, inout, buffer or linkage)");
            }
            port.Mode = known->second;
            const Token type = ExpectIdentifier("the port's type (bit or bit_vector)");
            if (type.Text == "BIT_VECTOR") {
                port.Vector = true;
                ExpectSymbol("(", "after bit_vector");
                const std::int32_t first = ExpectInteger("the vector's first index");
                const bool down = IsKeyword("DOWNTO");
                if (!down && !IsKeyword("TO")) {
                    FailHere("expected 'to' or 'downto'");
                }
                Take();
                const std::int32_t last = ExpectInteger("the vector's last index");
                if ((down && last > first) || (!down && first > last)) {
                    Fail(type.At, "an empty bit_vector range");
                }
                port.Low = std::min(first, last);
                port.High = std::max(first, last);
                ExpectSymbol(")", "after the vector's range");
            } else if (type.Text != "BIT") {
                Fail(type.At, "unknown port type '" + type.Text + "' (bit or bit_vector)");
            }
            for (const Token& name : names) {
                if (File.FindPort(name.Text) != nullptr) {
                    Fail(name.At, "port " + name.Text + " is declared twice");
                }
                port.Name = name.Text;
                port.At = name.At;
                File.Ports.push_back(port);
            }
            if (IsSymbol(";")) {
                Take();
                if (IsSymbol(")")) {
                    break; // a ';' before ')' is common enough to allow
                }
                continue;
            }
            break;
        }
        ExpectSymbol(")", "after the port list");
        ExpectSymbol(";", "after the port list");
    }

    // use STD_1149_1_2001.all;
    void Use() {
        Take();
        std::string name = ExpectIdentifier("a package name").Text;
        while (IsSymbol(".")) {
            Take();
            name += '.';
            name += ExpectIdentifier("a name after '.'").Text;
        }
        File.Uses.push_back(std::move(name));
        ExpectSymbol(";", "after the use clause");
    }

    // A value up to the ';': strings joined with '&', or any other tokens.
    void Value(Attribute& attribute) {
        attribute.ValueAt = Peek().At;
        if (Peek().Kind == TokenKind::String) {
            attribute.IsString = true;
            attribute.Text.Append(Take());
            while (IsSymbol("&")) {
                Take();
                if (Peek().Kind != TokenKind::String) {
                    FailHere("expected a string after '&'");
                }
                attribute.Text.Append(Take());
            }
            return;
        }
        int depth = 0;
        while (depth > 0 || !IsSymbol(";")) {
            if (Peek().Kind == TokenKind::End) {
                FailHere("expected ';' after the value");
            }
            depth += IsSymbol("(") ? 1 : (IsSymbol(")") ? -1 : 0);
            attribute.Value.push_back(Take());
        }
        if (attribute.Value.empty()) {
            FailHere("expected a value");
        }
    }

    // attribute NAME of TARGET : CLASS is VALUE;   or   attribute NAME : TYPE;
    void ReadAttribute() {
        Take();
        Attribute attribute;
        attribute.At = Peek().At;
        attribute.Name = ExpectIdentifier("an attribute name").Text;
        if (IsSymbol(":")) {
            // The declaration of an attribute of the maker's own.
            while (!IsSymbol(";") && Peek().Kind != TokenKind::End) {
                Take();
            }
            ExpectSymbol(";", "after the attribute declaration");
            return;
        }
        ExpectKeyword("OF", "after the attribute name");
        attribute.Targets.push_back(ExpectIdentifier("what the attribute is of").Text);
        while (IsSymbol(",")) {
            Take();
            attribute.Targets.push_back(ExpectIdentifier("what the attribute is of").Text);
        }
        ExpectSymbol(":", "after the attribute's target");
        attribute.Class = ExpectIdentifier("entity or signal").Text;
        ExpectKeyword("IS", "before the attribute's value");
        Value(attribute);
        ExpectSymbol(";", "after the attribute");
        for (const Attribute& earlier : Attributes) {
            if (earlier.Name == attribute.Name && earlier.Targets == attribute.Targets) {
                Fail(attribute.At,
                     attribute.Name + " of " + attribute.Targets.front() + " is given twice");
            }
        }
        Attributes.push_back(std::move(attribute));
    }

    // constant LQFP48 : PIN_MAP_STRING := "PA0 : 10, ...";
    void Constant() {
        Take();
        Attribute constant;
        constant.At = Peek().At;
        constant.Name = ExpectIdentifier("the constant's name").Text;
        ExpectSymbol(":", "after the constant's name");
        const std::string type = ExpectIdentifier("the constant's type").Text;
        ExpectSymbol(":=", "before the constant's value");
        Value(constant);
        ExpectSymbol(";", "after the constant");
        if (type == "PIN_MAP_STRING") {
            if (!constant.IsString) {
                Fail(constant.ValueAt, "a pin map is a string");
            }
            BsdlPinMap map{constant.Name, {}};
            bsdl::ReadPinMap(constant.Text, map);
            PinMapAt.push_back(constant.At);
            File.PinMaps.push_back(std::move(map));
        }
    }

    // end NAME;
    void End() {
        Take();
        if (IsKeyword("ENTITY")) {
            Take();
        }
        if (Peek().Kind == TokenKind::Identifier) {
            const Token name = Take();
            if (name.Text != File.Entity) {
                Fail(name.At, "'end " + name.Text + "' closes entity " + File.Entity);
            }
        }
        ExpectSymbol(";", "after 'end'");
    }

    [[nodiscard]] std::uint32_t Integer(const Attribute& attribute) const {
        if (attribute.Value.size() != 1 || attribute.Value.front().Kind != TokenKind::Number) {
            Fail(attribute.ValueAt, attribute.Name + " is a whole number");
        }
        std::uint32_t value = 0;
        const std::string& text = attribute.Value.front().Text;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size()) {
            Fail(attribute.ValueAt, attribute.Name + " is a whole number");
        }
        return value;
    }

    void RequireString(const Attribute& attribute) const {
        if (!attribute.IsString) {
            Fail(attribute.ValueAt, attribute.Name + " is a string in double quotes");
        }
    }

    void RequireEntity(const Attribute& attribute) const {
        if (attribute.Class != "ENTITY" || attribute.Targets.size() != 1 ||
            attribute.Targets.front() != File.Entity) {
            Fail(attribute.At, attribute.Name + " must be an attribute of entity " + File.Entity);
        }
    }

    // The TAP_SCAN_* attributes name the port they are given to.
    void TapScan(const Attribute& attribute, std::string& port) {
        if (attribute.Class != "SIGNAL" || attribute.Targets.size() != 1) {
            Fail(attribute.At, attribute.Name + " is an attribute of one signal");
        }
        port = attribute.Targets.front();
        if (attribute.Name == "TAP_SCAN_CLOCK") {
            // (10.0e6, BOTH)
            const std::vector<Token>& v = attribute.Value;
            if (v.size() != 5 || v[0].Text != "(" || v[1].Kind != TokenKind::Number ||
                v[2].Text != "," || v[3].Kind != TokenKind::Identifier || v[4].Text != ")") {
                Fail(attribute.ValueAt, "TAP_SCAN_CLOCK is (frequency, BOTH) or (frequency, LOW)");
            }
            std::string number = v[1].Text;
            std::erase(number, '_');
            File.MaxTckHertz = std::strtod(number.c_str(), nullptr);
            File.TckStopStates = v[3].Text;
        }
    }

    void Decode() {
        // The lengths first: the opcodes and patterns are checked against them.
        for (const Attribute& attribute : Attributes) {
            if (attribute.Name == "INSTRUCTION_LENGTH") {
                RequireEntity(attribute);
                File.InstructionLength = Integer(attribute);
                if (File.InstructionLength == 0) {
                    Fail(attribute.ValueAt, "INSTRUCTION_LENGTH must be at least 1");
                }
                Seen.emplace(attribute.Name, attribute.At);
            } else if (attribute.Name == "BOUNDARY_LENGTH") {
                RequireEntity(attribute);
                File.BoundaryLength = Integer(attribute);
                Seen.emplace(attribute.Name, attribute.At);
            }
        }
        for (const Attribute& attribute : Attributes) {
            const std::string& name = attribute.Name;
            if (name == "INSTRUCTION_LENGTH" || name == "BOUNDARY_LENGTH") {
                continue;
            }
            if (name.starts_with("TAP_SCAN_")) {
                static const std::map<std::string, std::string BsdlFile::*, std::less<>> Ports{
                    {"TAP_SCAN_IN", &BsdlFile::TapScanIn},
                    {"TAP_SCAN_OUT", &BsdlFile::TapScanOut},
                    {"TAP_SCAN_MODE", &BsdlFile::TapScanMode},
                    {"TAP_SCAN_CLOCK", &BsdlFile::TapScanClock},
                    {"TAP_SCAN_RESET", &BsdlFile::TapScanReset}};
                if (const auto port = Ports.find(name); port != Ports.end()) {
                    TapScan(attribute, File.*(port->second));
                    Seen.emplace(name, attribute.At);
                    continue;
                }
            }
            if (attribute.Class != "ENTITY") {
                File.SkippedAttributes.push_back(name);
                continue;
            }
            if (name == "INSTRUCTION_OPCODE") {
                RequireEntity(attribute);
                RequireString(attribute);
                RequireLength(attribute);
                bsdl::ReadInstructionOpcodes(attribute.Text, File);
            } else if (name == "INSTRUCTION_CAPTURE") {
                RequireEntity(attribute);
                RequireString(attribute);
                RequireLength(attribute);
                const std::vector<std::string> patterns = bsdl::ReadPatterns(attribute.Text);
                if (patterns.size() != 1 || patterns.front().size() != File.InstructionLength) {
                    Fail(attribute.ValueAt, "INSTRUCTION_CAPTURE is one pattern of " +
                                                std::to_string(File.InstructionLength) + " bits");
                }
                File.InstructionCapture = patterns.front();
            } else if (name == "INSTRUCTION_PRIVATE") {
                RequireEntity(attribute);
                RequireString(attribute);
                File.PrivateInstructions = bsdl::ReadNameList(attribute.Text);
            } else if (name == "IDCODE_REGISTER" || name == "USERCODE_REGISTER") {
                RequireEntity(attribute);
                RequireString(attribute);
                std::vector<std::string> codes = bsdl::ReadPatterns(attribute.Text);
                for (const std::string& code : codes) {
                    if (code.size() != 32) {
                        Fail(attribute.ValueAt,
                             name + " holds 32 bits, not " + std::to_string(code.size()));
                    }
                }
                (name == "IDCODE_REGISTER" ? File.IdCodes : File.UserCodes) = std::move(codes);
            } else if (name == "REGISTER_ACCESS") {
                RequireEntity(attribute);
                RequireString(attribute);
                bsdl::ReadRegisterAccess(attribute.Text, File);
            } else if (name == "BOUNDARY_REGISTER") {
                RequireEntity(attribute);
                RequireString(attribute);
                bsdl::ReadBoundaryRegister(attribute.Text, File);
            } else if (name == "COMPLIANCE_PATTERNS") {
                RequireEntity(attribute);
                RequireString(attribute);
                bsdl::ReadCompliancePatterns(attribute.Text, File);
            } else if (name == "COMPONENT_CONFORMANCE") {
                RequireString(attribute);
                File.Conformance = bsdl::Upper(attribute.Text.Text());
            } else {
                File.SkippedAttributes.push_back(name);
                continue;
            }
            Seen.emplace(name, attribute.At);
        }
    }

    void RequireLength(const Attribute& attribute) const {
        if (File.InstructionLength == 0) {
            Fail(attribute.At, attribute.Name + " needs INSTRUCTION_LENGTH");
        }
    }

    [[nodiscard]] TextPosition Where(std::string_view attribute) const {
        const auto found = Seen.find(attribute);
        return found == Seen.end() ? File.EntityAt : found->second;
    }

    // A cell's port: "PA0" or "D(3)", declared and not a linkage port.
    void CheckCellPort(const BsdlCell& cell) const {
        std::string name = cell.Port;
        std::optional<std::int64_t> index;
        if (const std::size_t open = name.find('('); open != std::string::npos) {
            index = std::strtoll(name.c_str() + open + 1, nullptr, 10);
            name.resize(open);
        }
        const BsdlPort* port = File.FindPort(name);
        if (port == nullptr) {
            Fail(cell.At, "cell " + std::to_string(cell.Number) + " names port " + name +
                              ", which the port list does not declare");
        }
        if (port->Mode == PortMode::Linkage) {
            Fail(cell.At,
                 "cell " + std::to_string(cell.Number) + " names the linkage port " + name);
        }
        if (port->Vector != index.has_value()) {
            Fail(cell.At, port->Vector ? name + " is a bit_vector: name one bit, such as " + name +
                                             "(" + std::to_string(port->Low) + ")"
                                       : name + " is a single bit and has no index");
        }
        if (index && (*index < port->Low || *index > port->High)) {
            Fail(cell.At, cell.Port + " lies outside " + name + "'s range " +
                              std::to_string(port->Low) + " to " + std::to_string(port->High));
        }
    }

    void CheckBoundary() const {
        if (File.Cells.empty()) {
            if (File.BoundaryLength != 0) {
                Fail(Where("BOUNDARY_LENGTH"), "BOUNDARY_LENGTH is " +
                                                   std::to_string(File.BoundaryLength) +
                                                   " but no BOUNDARY_REGISTER lists the cells");
            }
            return;
        }
        if (!Seen.contains("BOUNDARY_LENGTH")) {
            Fail(Where("BOUNDARY_REGISTER"), "BOUNDARY_REGISTER needs BOUNDARY_LENGTH");
        }
        std::map<std::uint32_t, int> uses;
        for (const BsdlCell& cell : File.Cells) {
            if (cell.Number >= File.BoundaryLength) {
                Fail(cell.At, "cell " + std::to_string(cell.Number) + " lies beyond " +
                                  "BOUNDARY_LENGTH " + std::to_string(File.BoundaryLength));
            }
            // A cell may be listed twice, once for each of two merged functions.
            if (++uses[cell.Number] > 2) {
                Fail(cell.At, "cell " + std::to_string(cell.Number) + " is listed more than twice");
            }
            if (!cell.Port.empty()) {
                CheckCellPort(cell);
            } else if (cell.Function != CellFunction::Internal &&
                       cell.Function != CellFunction::Control &&
                       cell.Function != CellFunction::ControlR) {
                Fail(cell.At, "cell " + std::to_string(cell.Number) + " needs a port");
            }
            if (cell.ControlCell && *cell.ControlCell >= File.BoundaryLength) {
                Fail(cell.At, "cell " + std::to_string(cell.Number) + "'s control cell " +
                                  std::to_string(*cell.ControlCell) + " lies beyond " +
                                  "BOUNDARY_LENGTH " + std::to_string(File.BoundaryLength));
            }
        }
        if (uses.size() != File.BoundaryLength) {
            // Every number listed lies below the length: the first gap is missing.
            std::uint32_t missing = 0;
            for (const auto& [number, count] : uses) {
                if (number != missing) {
                    break;
                }
                ++missing;
            }
            Fail(Where("BOUNDARY_REGISTER"), "BOUNDARY_REGISTER does not describe cell " +
                                                 std::to_string(missing) + " of " +
                                                 std::to_string(File.BoundaryLength));
        }
    }

    void Check() const {
        if (File.InstructionLength == 0) {
            Fail(File.EntityAt, "entity " + File.Entity + " has no INSTRUCTION_LENGTH");
        }
        if (File.Instructions.empty()) {
            Fail(File.EntityAt, "entity " + File.Entity + " has no INSTRUCTION_OPCODE");
        }
        if (File.FindInstruction("BYPASS") == nullptr) {
            Fail(Where("INSTRUCTION_OPCODE"), "INSTRUCTION_OPCODE declares no BYPASS");
        }
        if (File.InstructionCapture.empty()) {
            Fail(File.EntityAt, "entity " + File.Entity + " has no INSTRUCTION_CAPTURE");
        }
        for (const std::string& name : File.PrivateInstructions) {
            if (File.FindInstruction(name) == nullptr) {
                Fail(Where("INSTRUCTION_PRIVATE"),
                     "INSTRUCTION_PRIVATE names " + name + ", which has no opcode");
            }
        }
        for (const BsdlRegisterAccess& access : File.RegisterAccess) {
            for (const std::string& name : access.Instructions) {
                if (File.FindInstruction(name) == nullptr) {
                    Fail(access.At, "REGISTER_ACCESS gives " + access.Register + " to " + name +
                                        ", which has no opcode");
                }
            }
        }
        CheckBoundary();
        for (const std::string* port : {&File.TapScanIn, &File.TapScanOut, &File.TapScanMode,
                                        &File.TapScanClock, &File.TapScanReset}) {
            if (!port->empty() && File.FindPort(*port) == nullptr) {
                Fail(File.EntityAt, "a TAP_SCAN attribute names " + *port +
                                        ", which the port list does not declare");
            }
        }
        for (std::size_t m = 0; m < File.PinMaps.size(); ++m) {
            for (const BsdlPinMapEntry& entry : File.PinMaps[m].Entries) {
                if (File.FindPort(entry.Port) == nullptr) {
                    Fail(PinMapAt[m], "pin map " + File.PinMaps[m].Name + " names " + entry.Port +
                                          ", which the port list does not declare");
                }
            }
        }
    }

    std::vector<Token> Tokens;
    std::size_t Next = 0;
    BsdlFile File;
    std::vector<Attribute> Attributes;
    std::vector<TextPosition> PinMapAt;
    std::map<std::string, TextPosition, std::less<>> Seen;
};

} // namespace

std::variant<BsdlFile, BsdlError> ReadBsdl(std::string_view text) {
    try {
        return FileReader(text).Read();
    } catch (const ReadFailure& failure) {
        return BsdlError{failure.At, failure.Message};
    }
}

} // namespace scanbench
