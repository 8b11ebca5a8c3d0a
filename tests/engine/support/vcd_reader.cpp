#include "vcd_reader.h"

#include <set>
#include <sstream>

namespace scanbench::testing {

namespace {

struct Variable {
    std::string Path;
    int Width = 0;
};

std::string ReadHeader(std::istringstream& in, std::map<std::string, Variable>& ids,
                       std::map<std::string, int>& widths) {
    std::vector<std::string> scopes;
    std::string word;
    bool timescale = false;
    while (in >> word) {
        if (word == "$enddefinitions") {
            in >> word;
            if (word != "$end") {
                return "$enddefinitions without $end";
            }
            if (!scopes.empty() || !timescale) {
                return "unbalanced scopes or no $timescale";
            }
            return {};
        }
        if (word == "$scope") {
            std::string kind;
            std::string name;
            in >> kind >> name >> word;
            if (word != "$end") {
                return "$scope without $end";
            }
            scopes.push_back(name);
        } else if (word == "$upscope") {
            in >> word;
            if (word != "$end" || scopes.empty()) {
                return "bad $upscope";
            }
            scopes.pop_back();
        } else if (word == "$var") {
            std::string kind;
            int width = 0;
            std::string id;
            std::string name;
            in >> kind >> width >> id >> name >> word;
            if (word.starts_with("[")) {
                in >> word;
            }
            if (word != "$end" || width < 1 || ids.count(id) != 0 || scopes.empty()) {
                return "bad $var " + id;
            }
            std::string path = scopes.size() > 1 ? scopes[1] : scopes[0];
            path += "." + name;
            ids[id] = {path, width};
            widths[path] = width;
        } else if (word == "$date" || word == "$version" || word == "$comment" ||
                   word == "$timescale") {
            timescale = timescale || word == "$timescale";
            while (in >> word && word != "$end") {
            }
            if (word != "$end") {
                return "unclosed section";
            }
        } else {
            return "unexpected in header: " + word;
        }
    }
    return "no $enddefinitions";
}

} // namespace

VcdDump ReadVcd(const std::string& text) {
    VcdDump dump;
    std::istringstream in(text);
    std::map<std::string, Variable> ids;
    dump.Error = ReadHeader(in, ids, dump.Widths);
    if (!dump.Error.empty()) {
        return dump;
    }
    std::map<std::string, std::string> now;
    std::set<std::string> dumped;
    long long time = -1;
    bool inDumpvars = false;
    bool sawDumpvars = false;
    std::string word;
    const auto fail = [&dump](const std::string& why) {
        dump.Error = why;
        return dump;
    };
    const auto set = [&](const std::string& id, const std::string& value) {
        const auto found = ids.find(id);
        if (found == ids.end() || static_cast<int>(value.size()) > found->second.Width ||
            value.find_first_not_of("01xz") != std::string::npos) {
            return false;
        }
        std::string bits = value;
        if (static_cast<int>(bits.size()) < found->second.Width) {
            const char fill = bits[0] == 'x' || bits[0] == 'z' ? bits[0] : '0';
            bits.insert(0, static_cast<std::size_t>(found->second.Width) - bits.size(), fill);
        }
        now[found->second.Path] = bits;
        if (inDumpvars) {
            dumped.insert(id);
        }
        return true;
    };
    while (in >> word) {
        if (word[0] == '#') {
            const long long next = std::stoll(word.substr(1));
            if (next <= time || inDumpvars || (time < 0 && next != 0)) {
                return fail("time " + word + " out of order");
            }
            for (long long t = time; t >= 0 && t < next; ++t) {
                dump.Steps.push_back(now);
            }
            time = next;
        } else if (word == "$dumpvars") {
            if (time != 0 || sawDumpvars) {
                return fail("$dumpvars not at time 0");
            }
            inDumpvars = sawDumpvars = true;
        } else if (word == "$end") {
            if (!inDumpvars || dumped.size() != ids.size()) {
                return fail("$dumpvars does not give every signal a value");
            }
            inDumpvars = false;
        } else if (word[0] == 'b') {
            std::string id;
            in >> id;
            if (!set(id, word.substr(1))) {
                return fail("bad vector change " + word + " " + id);
            }
        } else if (!set(word.substr(1), word.substr(0, 1)) || time < 0) {
            return fail("bad value change " + word);
        }
    }
    if (!sawDumpvars || inDumpvars) {
        return fail("no complete $dumpvars");
    }
    return dump;
}

std::string CompareWithExport(const VcdDump& dump, const std::string& exportText) {
    std::istringstream in(exportText);
    std::string line;
    std::size_t events = 0;
    static constexpr const char* Columns[] = {"",       "",         "",    "TCK", "TMS", "RX_TDO",
                                              "TX_TDI", "RX_valid", "SOA", "SIA", "SOB", "SIB"};
    while (std::getline(in, line)) {
        if (line.empty() || line == "\r" || line.starts_with("//")) {
            continue;
        }
        std::vector<int> values;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) {
            if (field.find_first_of("0123456789") != std::string::npos) {
                values.push_back(std::stoi(field));
            }
        }
        if (values.size() != 12) {
            return "export line not understood: " + line;
        }
        const auto i = static_cast<std::size_t>(values[0]);
        if (i != events || i >= dump.Steps.size()) {
            return "event " + std::to_string(i) + " missing from the dump";
        }
        const std::string tap = "tap" + std::to_string(values[2]) + ".";
        for (std::size_t c = 3; c < 12; ++c) {
            const std::string path = (c < 8 ? tap : std::string("sync.")) + Columns[c];
            const auto found = dump.Steps[i].find(path);
            if (found == dump.Steps[i].end() || found->second != std::to_string(values[c])) {
                return "event " + std::to_string(i) + ": " + path + " differs";
            }
        }
        ++events;
    }
    if (events != dump.Steps.size()) {
        return "the dump has " + std::to_string(dump.Steps.size()) + " steps, the export " +
               std::to_string(events) + " events";
    }
    return {};
}

} // namespace scanbench::testing
