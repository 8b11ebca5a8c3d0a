#include "window_logic/main_window/session_handover.h"

#include "engine/program/breakpoint_flags.h"
#include "window_logic/main_window/execute_pace.h"

#include <charconv>

namespace scanbench {

namespace {

constexpr std::string_view Header = "scanbench session 2\n";

void PutField(std::string& out, std::string_view name, std::string_view value) {
    out.append(name);
    out += ' ';
    out += std::to_string(value.size());
    out += '\n';
    out.append(value);
    out += '\n';
}

// Reads the fields back in order; any mismatch makes the reader fail.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : Rest(bytes) {}

    bool Literal(std::string_view expected) {
        if (Rest.substr(0, expected.size()) != expected) {
            return false;
        }
        Rest.remove_prefix(expected.size());
        return true;
    }

    std::optional<std::uint64_t> Number(char end) {
        std::uint64_t value = 0;
        const char* first = Rest.data();
        const char* last = first + Rest.size();
        const auto [stop, error] = std::from_chars(first, last, value);
        // Written without leading zeros, so each handover has one spelling.
        if (error != std::errc() || stop == first || stop == last || *stop != end ||
            (*first == '0' && stop - first > 1)) {
            return std::nullopt;
        }
        Rest.remove_prefix(static_cast<std::size_t>(stop - first) + 1);
        return value;
    }

    std::optional<std::string> Field(std::string_view name) {
        if (!Literal(name) || !Literal(" ")) {
            return std::nullopt;
        }
        const auto size = Number('\n');
        if (!size || *size >= Rest.size()) {
            return std::nullopt;
        }
        std::string value(Rest.substr(0, static_cast<std::size_t>(*size)));
        Rest.remove_prefix(static_cast<std::size_t>(*size));
        if (!Literal("\n")) {
            return std::nullopt;
        }
        return value;
    }

    [[nodiscard]] bool AtEnd() const { return Rest.empty(); }

private:
    std::string_view Rest;
};

} // namespace

std::string EncodeHandover(const SessionHandover& handover) {
    std::string out(Header);
    PutField(out, "file", handover.FileName);
    PutField(out, "modified", handover.Modified ? "1" : "0");
    PutField(out, "pace", std::to_string(handover.Pace));
    PutField(out, "stopped", handover.RunStopped ? "1" : "0");
    std::string lines;
    for (const std::int32_t line : handover.Breakpoints) {
        lines += std::to_string(line);
        lines += ' ';
    }
    PutField(out, "breakpoints", lines);
    PutField(out, "text", handover.Text);
    return out;
}

std::optional<SessionHandover> DecodeHandover(std::string_view bytes) {
    FieldReader reader(bytes);
    if (!reader.Literal(Header)) {
        return std::nullopt;
    }
    SessionHandover handover;
    auto file = reader.Field("file");
    const auto modified = reader.Field("modified");
    const auto pace = reader.Field("pace");
    const auto stopped = reader.Field("stopped");
    const auto lines = reader.Field("breakpoints");
    auto text = reader.Field("text");
    const auto flag = [](const std::optional<std::string>& value) {
        return value && (*value == "0" || *value == "1");
    };
    if (!file || !flag(modified) || !pace || !flag(stopped) || !lines || !text || !reader.AtEnd() ||
        pace->size() != 1 || !PaceAt(pace->front() - '0')) {
        return std::nullopt;
    }
    FieldReader numbers(*lines);
    while (!numbers.AtEnd()) {
        const auto line = numbers.Number(' ');
        if (!line || *line >= static_cast<std::uint64_t>(BreakpointFlags::FlagCount) ||
            (!handover.Breakpoints.empty() &&
             static_cast<std::int32_t>(*line) <= handover.Breakpoints.back())) {
            return std::nullopt;
        }
        handover.Breakpoints.push_back(static_cast<std::int32_t>(*line));
    }
    handover.FileName = std::move(*file);
    handover.Modified = *modified == "1";
    handover.Pace = pace->front() - '0';
    handover.RunStopped = *stopped == "1";
    handover.Text = std::move(*text);
    return handover;
}

bool IsHandoverFileName(std::string_view fileName) {
    return fileName.size() > HandoverFilePrefix.size() &&
           fileName.substr(0, HandoverFilePrefix.size()) == HandoverFilePrefix &&
           fileName.find('/') == std::string_view::npos;
}

} // namespace scanbench
