#include "board/board_file.h"

#include "board/bsdl_reader.h"
#include "board/chip_from_bsdl.h"
#include "board/json_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>

namespace scanbench {

namespace {

struct Refusal {
    std::string Message;
};

[[nodiscard]] std::string Upper(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

[[nodiscard]] std::string Display(const std::filesystem::path& path) {
    return path.lexically_normal().generic_string();
}

// Reads the board file's entries in the order the board needs them: the
// chips' references and TAPs, their BSDL files, then what refers to pins.
class BoardReader {
public:
    BoardReader(std::filesystem::path file, const BoardFileSource& source)
        : File(std::move(file)), Source(source), Name(Display(File)) {}

    BoardDefinition Read() {
        const SourceFile text = Source(File);
        if (!text.Text) {
            throw Refusal{text.Problem}; // it names the file
        }
        auto parsed = ReadJson(*text.Text);
        if (const auto* error = std::get_if<JsonError>(&parsed)) {
            throw Refusal{Name + ":" + std::to_string(error->At.Line) + ":" +
                          std::to_string(error->At.Column) + ": " + error->Message};
        }
        const JsonValue& root = std::get<JsonValue>(parsed);
        Members(root, "the board file",
                {"description", "taps", "chips", "switches", "leds", "nets"});
        const JsonValue* taps = root.Find("taps");
        const JsonValue* chips = root.Find("chips");
        if (taps == nullptr || chips == nullptr) {
            Refuse(taps == nullptr ? "taps" : "chips", "a board file needs \"taps\" and \"chips\"");
        }
        Taps(*taps);
        Chips(*chips);
        if (const JsonValue* switches = root.Find("switches")) {
            Switches(*switches);
        }
        if (const JsonValue* leds = root.Find("leds")) {
            Leds(*leds);
        }
        if (const JsonValue* nets = root.Find("nets")) {
            Nets(*nets);
        }
        return std::move(Board);
    }

private:
    [[noreturn]] void Refuse(const std::string& entry, const std::string& message) const {
        throw Refusal{Name + ": " + entry + ": " + message};
    }

    // An object whose member names are all among `allowed`.
    const JsonValue::Object& Members(const JsonValue& value, const std::string& entry,
                                     std::initializer_list<std::string_view> allowed) const {
        const JsonValue::Object* members = value.Members();
        if (members == nullptr) {
            Refuse(entry, "expected an object, not " + std::string(value.KindName()));
        }
        for (const JsonValue::Member& member : *members) {
            if (allowed.size() != 0 && std::ranges::find(allowed, member.Name) == allowed.end()) {
                std::string names;
                for (const std::string_view name : allowed) {
                    names += (names.empty() ? "" : ", ") + std::string(name);
                }
                Refuse(entry, "unknown entry \"" + member.Name + "\" (known: " + names + ")");
            }
        }
        return *members;
    }

    const std::string& Text(const JsonValue& value, const std::string& entry) const {
        const std::string* text = value.String();
        if (text == nullptr) {
            Refuse(entry, "expected a string, not " + std::string(value.KindName()));
        }
        return *text;
    }

    void Taps(const JsonValue& taps) {
        for (const JsonValue::Member& chain : Members(taps, "taps", {"0", "1"})) {
            const std::string entry = "taps." + chain.Name;
            const JsonValue::Array* refs = chain.Value.Elements();
            if (refs == nullptr) {
                Refuse(entry, "expected a list of chips from TDI to TDO");
            }
            if (refs->empty()) {
                Refuse(entry, "a chain with no chips (leave the TAP out instead)");
            }
            for (const JsonValue& ref : *refs) {
                const std::string& name = Text(ref, entry);
                if (name.empty() || name.find('.') != std::string::npos) {
                    Refuse(entry, "\"" + name + "\" cannot name a chip (a name without '.')");
                }
                if (TapOf.contains(Upper(name))) {
                    Refuse(entry, name + " stands in a chain twice");
                }
                TapOf.emplace(Upper(name), static_cast<std::uint8_t>(chain.Name[0] - '0'));
                Order.push_back(name);
            }
        }
        if (Order.empty()) {
            Refuse("taps", "a board needs a chain with at least one chip");
        }
        // The board lists the chips chain by chain, TAP 0 first.
        std::ranges::stable_sort(Order, [this](const std::string& a, const std::string& b) {
            return TapOf.at(Upper(a)) < TapOf.at(Upper(b));
        });
    }

    const BsdlFile& Bsdl(const std::filesystem::path& path, const std::string& entry) {
        const std::string shown = Display(path);
        if (const auto known = Parsed.find(shown); known != Parsed.end()) {
            return known->second;
        }
        const SourceFile text = Source(path);
        if (!text.Text) {
            Refuse(entry, text.Problem);
        }
        auto read = ReadBsdl(*text.Text);
        if (const auto* error = std::get_if<BsdlError>(&read)) {
            Refuse(entry, BsdlErrorText(shown, *error));
        }
        return Parsed.emplace(shown, std::get<BsdlFile>(std::move(read))).first->second;
    }

    std::uint32_t IdCode(const JsonValue& value, const std::string& entry) const {
        if (const double* number = value.Number()) {
            if (*number < 0 || *number > 0xFFFFFFFF || std::floor(*number) != *number) {
                Refuse(entry, "an IDCODE is a whole number of 32 bits");
            }
            return static_cast<std::uint32_t>(*number);
        }
        std::string_view text = Text(value, entry);
        if (text.starts_with("0x") || text.starts_with("0X")) {
            text.remove_prefix(2);
        }
        std::uint32_t id = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, 16);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
            Refuse(entry, "an IDCODE is written in hexadecimal, such as \"0x15CB1FFD\"");
        }
        return id;
    }

    void Chips(const JsonValue& chips) {
        const JsonValue::Object& members = Members(chips, "chips", {});
        std::map<std::string, const JsonValue*> byName;
        for (const JsonValue::Member& chip : members) {
            if (!TapOf.contains(Upper(chip.Name))) {
                Refuse("chips." + chip.Name, "the chip stands in no chain of \"taps\"");
            }
            if (!byName.emplace(Upper(chip.Name), &chip.Value).second) {
                Refuse("chips." + chip.Name, "the chip is described twice");
            }
        }
        for (const std::string& name : Order) {
            const auto described = byName.find(Upper(name));
            if (described == byName.end()) {
                Refuse("taps." + std::to_string(TapOf.at(Upper(name))),
                       name + " has no entry in \"chips\"");
            }
            const std::string entry = "chips." + name;
            const JsonValue& chip = *described->second;
            Members(chip, entry, {"bsdl", "idcode", "core"});
            const JsonValue* bsdl = chip.Find("bsdl");
            if (bsdl == nullptr) {
                Refuse(entry, "the chip needs its \"bsdl\" file");
            }
            const std::filesystem::path path = File.parent_path() / Text(*bsdl, entry + ".bsdl");
            const BsdlFile& file = Bsdl(path, entry + ".bsdl");
            std::optional<std::uint32_t> id;
            if (const JsonValue* given = chip.Find("idcode")) {
                id = IdCode(*given, entry + ".idcode");
            }
            auto made = ChipFromBsdl(file, name, id);
            if (auto* problem = std::get_if<std::string>(&made)) {
                Refuse(entry, *problem);
            }
            Board.Chips.push_back(
                {TapOf.at(Upper(name)), std::get<ChipDescription>(std::move(made))});
            if (const JsonValue* core = chip.Find("core")) {
                Core(*core, entry + ".core", Board.Chips.back().Chip);
            }
        }
    }

    // The pins a name stands for on one chip: a pin, or every bit of a vector port.
    [[nodiscard]] static std::vector<std::uint32_t> PinsNamed(const ChipDescription& chip,
                                                              std::string_view name) {
        if (const auto pin = chip.FindPin(name)) {
            return {*pin};
        }
        std::vector<std::pair<long, std::uint32_t>> bits;
        const std::string prefix = Upper(name) + "(";
        for (std::uint32_t i = 0; i < chip.Pins.size(); ++i) {
            const std::string& pin = chip.Pins[i].Name;
            if (pin.starts_with(prefix)) {
                bits.emplace_back(std::strtol(pin.c_str() + prefix.size(), nullptr, 10), i);
            }
        }
        std::ranges::sort(bits);
        std::vector<std::uint32_t> pins;
        pins.reserve(bits.size());
        for (const auto& bit : bits) {
            pins.push_back(bit.second);
        }
        return pins;
    }

    void Core(const JsonValue& core, const std::string& entry, ChipDescription& chip) const {
        for (const JsonValue::Member& link : Members(core, entry, {})) {
            const std::string& from = Text(link.Value, entry + "." + link.Name);
            const std::vector<std::uint32_t> outputs = PinsNamed(chip, link.Name);
            const std::vector<std::uint32_t> inputs = PinsNamed(chip, from);
            if (outputs.empty() || inputs.empty()) {
                Refuse(entry + "." + link.Name, chip.Name + " has no pin or port named " +
                                                    (outputs.empty() ? link.Name : from));
            }
            if (outputs.size() != inputs.size()) {
                Refuse(entry + "." + link.Name, link.Name + " and " + from + " differ in width");
            }
            for (std::size_t i = 0; i < outputs.size(); ++i) {
                const PortMode out = chip.Pins[outputs[i]].Mode;
                const PortMode in = chip.Pins[inputs[i]].Mode;
                if (out == PortMode::In || in == PortMode::Out || in == PortMode::Buffer) {
                    Refuse(entry + "." + link.Name,
                           "the chip's logic drives outputs from inputs: " +
                               chip.Pins[outputs[i]].Name + " from " + chip.Pins[inputs[i]].Name);
                }
                chip.Core.push_back({outputs[i], inputs[i]});
            }
        }
    }

    // "U4.PA0" or "U1.D": the pins it names, in bit order.
    std::vector<PinRef> Pins(const std::string& written, const std::string& entry,
                             bool portAllowed) const {
        const std::size_t dot = written.find('.');
        const std::string chipName = written.substr(0, dot);
        const auto chip = std::ranges::find_if(
            Board.Chips, [&](const BoardChip& c) { return Upper(c.Chip.Name) == Upper(chipName); });
        if (dot == std::string::npos || chip == Board.Chips.end()) {
            Refuse(entry,
                   "\"" + written + "\" names no pin of a chip on the board (write CHIP.PIN)");
        }
        const ChipDescription& described = chip->Chip;
        const std::string pinName = written.substr(dot + 1);
        const std::vector<std::uint32_t> pins = PinsNamed(described, pinName);
        if (pins.empty()) {
            Refuse(entry, described.Name + " (" + described.Entity + ") has no pin " + pinName);
        }
        if (pins.size() > 1 && !portAllowed) {
            Refuse(entry, written + " is a vector port: name one of its bits, such as " +
                              described.Name + "." + described.Pins[pins.front()].Name);
        }
        const auto index = static_cast<std::uint32_t>(chip - Board.Chips.begin());
        std::vector<PinRef> refs;
        refs.reserve(pins.size());
        for (const std::uint32_t pin : pins) {
            refs.push_back({index, pin});
        }
        return refs;
    }

    [[nodiscard]] std::string PinText(PinRef pin) const {
        const ChipDescription& chip = Board.Chips[pin.Chip].Chip;
        return chip.Name + "." + chip.Pins[pin.Pin].Name;
    }

    // A switch's or LED's pins: one name, or a list of them.
    std::vector<PinRef> PinList(const JsonValue& value, const std::string& entry) const {
        std::vector<PinRef> pins;
        if (const JsonValue::Array* list = value.Elements()) {
            for (const JsonValue& one : *list) {
                const std::vector<PinRef> named = Pins(Text(one, entry), entry, false);
                pins.insert(pins.end(), named.begin(), named.end());
            }
        } else {
            pins = Pins(Text(value, entry), entry, true);
        }
        if (pins.empty() || pins.size() > 64) {
            Refuse(entry, "names 1 to 64 pins");
        }
        for (std::size_t i = 0; i < pins.size(); ++i) {
            if (std::find(pins.begin(), pins.begin() + static_cast<std::ptrdiff_t>(i), pins[i]) !=
                pins.begin() + static_cast<std::ptrdiff_t>(i)) {
                Refuse(entry, PinText(pins[i]) + " is named twice");
            }
        }
        return pins;
    }

    void Switches(const JsonValue& switches) {
        std::set<std::pair<std::uint32_t, std::uint32_t>> taken;
        for (const JsonValue::Member& member : Members(switches, "switches", {})) {
            const std::string entry = "switches." + member.Name;
            if (Upper(member.Name) == "SIA" || Upper(member.Name) == "SIB" || member.Name.empty()) {
                Refuse(entry, "SIA and SIB are the board's own switches; choose another name");
            }
            if (std::ranges::any_of(Board.Switches, [&](const BoardSwitch& s) {
                    return Upper(s.Name) == Upper(member.Name);
                })) {
                Refuse(entry, "a switch of that name is given already");
            }
            BoardSwitch bank{member.Name, PinList(member.Value, entry)};
            for (const PinRef& pin : bank.Pins) {
                if (!taken.emplace(pin.Chip, pin.Pin).second) {
                    Refuse(entry, PinText(pin) + " has a switch already");
                }
            }
            Board.Switches.push_back(std::move(bank));
        }
    }

    void Leds(const JsonValue& leds) {
        for (const JsonValue::Member& member : Members(leds, "leds", {})) {
            Board.Leds.push_back({member.Name, PinList(member.Value, "leds." + member.Name)});
        }
    }

    void Nets(const JsonValue& nets) {
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> netOf;
        for (const JsonValue::Member& member : Members(nets, "nets", {})) {
            const std::string entry = "nets." + member.Name;
            Members(member.Value, entry, {"pins", "pull"});
            BoardNet net{member.Name, {}, NetPull::None};
            const JsonValue* pins = member.Value.Find("pins");
            const JsonValue::Array* list = pins == nullptr ? nullptr : pins->Elements();
            if (list == nullptr || list->empty()) {
                Refuse(entry, "a net needs \"pins\": a list of the pins it joins");
            }
            for (const JsonValue& one : *list) {
                const PinRef pin = Pins(Text(one, entry + ".pins"), entry + ".pins", false).front();
                if (std::ranges::find(net.Pins, pin) != net.Pins.end()) {
                    Refuse(entry, PinText(pin) + " is named twice");
                }
                if (const auto other = netOf.find({pin.Chip, pin.Pin}); other != netOf.end()) {
                    Refuse(entry, PinText(pin) + " is on net " + other->second + " already");
                }
                netOf.emplace(std::pair{pin.Chip, pin.Pin}, member.Name);
                net.Pins.push_back(pin);
            }
            if (const JsonValue* pull = member.Value.Find("pull")) {
                const std::string& how = Text(*pull, entry + ".pull");
                if (how == "up") {
                    net.Pull = NetPull::Up;
                } else if (how == "down") {
                    net.Pull = NetPull::Down;
                } else if (how != "none") {
                    Refuse(entry + ".pull",
                           "a pull is \"up\", \"down\" or \"none\", not \"" + how + "\"");
                }
            }
            Board.Nets.push_back(std::move(net));
        }
    }

    std::filesystem::path File;
    const BoardFileSource& Source;
    std::string Name;
    std::map<std::string, std::uint8_t> TapOf; // upper-case reference -> TAP
    std::vector<std::string> Order;            // references as written, TAP 0's chain first
    std::map<std::string, BsdlFile> Parsed;    // by the path shown
    BoardDefinition Board;
};

} // namespace

std::variant<BoardDefinition, std::string> ReadBoardFile(const std::filesystem::path& file,
                                                         const BoardFileSource& source) {
    try {
        return BoardReader(file, source).Read();
    } catch (const Refusal& refusal) {
        return refusal.Message;
    }
}

} // namespace scanbench
