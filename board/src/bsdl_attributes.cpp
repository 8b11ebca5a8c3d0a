#include "bsdl_attributes.h"

#include <array>
#include <charconv>
#include <utility>

namespace scanbench::bsdl {

namespace {

// A pattern of '0', '1' and 'X' that may be written in several words
// ("0001 0110"), up to the next ',' or ')'.
std::string Pattern(TextScanner& scan, std::string_view what) {
    std::string pattern;
    while (scan.Peek().Word) {
        const TextScanner::Item word = scan.Take();
        for (std::size_t i = 0; i < word.Text.size(); ++i) {
            const char c = word.Text[i];
            if (c != '0' && c != '1' && c != 'X') {
                scan.FailAt(word.Offset + i, std::string(what) + " holds only 0, 1 and X, not '" +
                                                 std::string(1, c) + "'");
            }
        }
        pattern += word.Text;
    }
    if (pattern.empty()) {
        scan.FailHere("expected " + std::string(what));
    }
    return pattern;
}

std::uint32_t Number(TextScanner& scan, std::string_view what) {
    const TextScanner::Item word = scan.ExpectWord(what);
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(word.Text.data(), word.Text.data() + word.Text.size(), value);
    if (error != std::errc{} || end != word.Text.data() + word.Text.size()) {
        scan.FailAt(word.Offset, "expected " + std::string(what) + ", not '" + word.Text + "'");
    }
    return value;
}

// After an item of a list: ',' goes on, the end of the text ends it.
bool MoreItems(TextScanner& scan, std::string_view context) {
    if (scan.AtEnd()) {
        return false;
    }
    scan.Expect(',', context);
    return true;
}

template <typename Value>
struct Named {
    std::string_view Name;
    Value Meaning;
};

constexpr std::array<Named<CellFunction>, 9> Functions{{
    {"INPUT", CellFunction::Input},
    {"CLOCK", CellFunction::Clock},
    {"OUTPUT2", CellFunction::Output2},
    {"OUTPUT3", CellFunction::Output3},
    {"CONTROL", CellFunction::Control},
    {"CONTROLR", CellFunction::ControlR},
    {"BIDIR", CellFunction::Bidir},
    {"INTERNAL", CellFunction::Internal},
    {"OBSERVE_ONLY", CellFunction::ObserveOnly},
}};

constexpr std::array<Named<DisableResult>, 6> Results{{
    {"Z", DisableResult::Z},
    {"WEAK0", DisableResult::Weak0},
    {"WEAK1", DisableResult::Weak1},
    {"PULL0", DisableResult::Pull0},
    {"PULL1", DisableResult::Pull1},
    {"KEEPER", DisableResult::Keeper},
}};

// The next word, one of the names of `table`; `what` and `known` for the
// message when it is not.
template <typename Value, std::size_t N>
Value OneOf(TextScanner& scan, const std::array<Named<Value>, N>& table, std::string_view what,
            std::string_view known) {
    const TextScanner::Item word = scan.ExpectWord(what);
    for (const Named<Value>& named : table) {
        if (word.Text == named.Name) {
            return named.Meaning;
        }
    }
    scan.FailAt(word.Offset, "unknown " + std::string(what) + " '" + word.Text + "' (" +
                                 std::string(known) + ")");
}

char Bit(TextScanner& scan, std::string_view what, bool xAllowed) {
    const TextScanner::Item word = scan.ExpectWord(what);
    if (word.Text != "0" && word.Text != "1" && (!xAllowed || word.Text != "X")) {
        scan.FailAt(word.Offset, "expected " + std::string(what) + ", not '" + word.Text + "'");
    }
    return word.Text[0];
}

} // namespace

void ReadInstructionOpcodes(const PlacedText& text, BsdlFile& file) {
    TextScanner scan(text);
    do {
        const TextScanner::Item name = scan.ExpectWord("an instruction name");
        BsdlInstruction* instruction = nullptr;
        for (BsdlInstruction& earlier : file.Instructions) {
            if (earlier.Name == name.Text) {
                instruction = &earlier; // its opcodes go on in a second entry
            }
        }
        if (instruction == nullptr) {
            file.Instructions.push_back({name.Text, {}, text.At(name.Offset)});
            instruction = &file.Instructions.back();
        }
        scan.Expect('(', "before the opcodes of " + name.Text);
        do {
            const std::size_t at = scan.Peek().Offset;
            std::string opcode = Pattern(scan, "an opcode");
            if (opcode.size() != file.InstructionLength) {
                scan.FailAt(at, "the opcode of " + name.Text + " has " +
                                    std::to_string(opcode.size()) +
                                    " bits; INSTRUCTION_LENGTH is " +
                                    std::to_string(file.InstructionLength));
            }
            instruction->Opcodes.push_back(std::move(opcode));
        } while (scan.IsSymbol(',') && (scan.Take(), true));
        scan.Expect(')', "after the opcodes of " + name.Text);
    } while (MoreItems(scan, "between instructions"));
}

std::vector<std::string> ReadPatterns(const PlacedText& text) {
    TextScanner scan(text);
    std::vector<std::string> patterns;
    do {
        patterns.push_back(Pattern(scan, "a bit pattern"));
    } while (MoreItems(scan, "between patterns"));
    return patterns;
}

std::vector<std::string> ReadNameList(const PlacedText& text) {
    TextScanner scan(text);
    std::vector<std::string> names;
    do {
        names.push_back(scan.ExpectWord("an instruction name").Text);
    } while (MoreItems(scan, "between names"));
    return names;
}

void ReadRegisterAccess(const PlacedText& text, BsdlFile& file) {
    TextScanner scan(text);
    do {
        const TextScanner::Item name = scan.ExpectWord("a register name");
        BsdlRegisterAccess access{name.Text, std::nullopt, {}, text.At(name.Offset)};
        if (scan.IsSymbol('[')) {
            scan.Take();
            access.Length = Number(scan, "the register's length");
            if (*access.Length == 0) {
                scan.FailHere("a register has at least one bit");
            }
            scan.Expect(']', "after the register's length");
        }
        scan.Expect('(', "before the instructions of " + name.Text);
        do {
            access.Instructions.push_back(scan.ExpectWord("an instruction name").Text);
            if (scan.Peek().Word && scan.Peek().Text == "CAPTURES") {
                scan.Take();
                (void)Pattern(scan, "the captured pattern");
            }
        } while (scan.IsSymbol(',') && (scan.Take(), true));
        scan.Expect(')', "after the instructions of " + name.Text);
        file.RegisterAccess.push_back(std::move(access));
    } while (MoreItems(scan, "between registers"));
}

void ReadBoundaryRegister(const PlacedText& text, BsdlFile& file) {
    TextScanner scan(text);
    do {
        BsdlCell cell;
        cell.At = text.At(scan.Peek().Offset);
        cell.Number = Number(scan, "a cell number");
        scan.Expect('(', "after the cell number");
        cell.Type = scan.ExpectWord("a cell type such as BC_1").Text;
        scan.Expect(',', "after the cell type");
        if (scan.IsSymbol('*')) {
            scan.Take();
        } else {
            cell.Port = scan.ExpectWord("a port name or '*'").Text;
            if (scan.IsSymbol('(')) {
                scan.Take();
                const std::uint32_t index = Number(scan, "the port's index");
                cell.Port += '(';
                cell.Port += std::to_string(index);
                cell.Port += ')';
                scan.Expect(')', "after the port's index");
            }
        }
        scan.Expect(',', "after the port");
        cell.Function = OneOf(scan, Functions, "cell function",
                              "input, clock, output2, output3, control, controlr, bidir, "
                              "internal or observe_only");
        scan.Expect(',', "after the cell's function");
        cell.Safe = Bit(scan, "a safe value of 0, 1 or X", true);
        if (scan.IsSymbol(',')) {
            scan.Take();
            cell.ControlCell = Number(scan, "the number of the control cell");
            scan.Expect(',', "after the control cell");
            cell.DisableValue = Bit(scan, "a disable value of 0 or 1", false);
            scan.Expect(',', "after the disable value");
            cell.Result =
                OneOf(scan, Results, "disable result", "Z, WEAK0, WEAK1, PULL0, PULL1 or KEEPER");
        }
        scan.Expect(')', "after the cell");
        file.Cells.push_back(std::move(cell));
    } while (MoreItems(scan, "between cells"));
}

void ReadPinMap(const PlacedText& text, BsdlPinMap& map) {
    TextScanner scan(text);
    do {
        BsdlPinMapEntry entry{scan.ExpectWord("a port name").Text, {}};
        scan.Expect(':', "after the port name");
        if (scan.IsSymbol('(')) {
            scan.Take();
            do {
                entry.Pins.push_back(scan.ExpectWord("a pin").Text);
            } while (scan.IsSymbol(',') && (scan.Take(), true));
            scan.Expect(')', "after the pins");
        } else {
            entry.Pins.push_back(scan.ExpectWord("a pin").Text);
        }
        map.Entries.push_back(std::move(entry));
    } while (MoreItems(scan, "between ports"));
}

void ReadCompliancePatterns(const PlacedText& text, BsdlFile& file) {
    TextScanner scan(text);
    while (!scan.AtEnd()) {
        BsdlCompliancePattern pattern;
        scan.Expect('(', "before the compliance ports");
        do {
            pattern.Ports.push_back(scan.ExpectWord("a port name").Text);
        } while (scan.IsSymbol(',') && (scan.Take(), true));
        scan.Expect(')', "after the compliance ports");
        scan.Expect('(', "before the compliance levels");
        do {
            const std::size_t at = scan.Peek().Offset;
            std::string levels = Pattern(scan, "the compliance levels");
            if (levels.size() != pattern.Ports.size()) {
                scan.FailAt(at, "one level for each of the " +
                                    std::to_string(pattern.Ports.size()) + " compliance ports");
            }
            if (pattern.Levels.empty()) {
                pattern.Levels = std::move(levels);
            }
        } while (scan.IsSymbol(',') && (scan.Take(), true));
        scan.Expect(')', "after the compliance levels");
        file.CompliancePatterns.push_back(std::move(pattern));
        if (scan.IsSymbol(',')) {
            scan.Take();
        }
    }
}

} // namespace scanbench::bsdl
