#include "window_logic/views/message_log.h"

#include <algorithm>

namespace scanbench {

MessageLog::MessageLog(std::size_t capacity) : Limit(std::max<std::size_t>(capacity, 1)) {}

void MessageLog::Add(std::string text, StatusColour colour, std::int32_t line,
                     std::uint64_t event) {
    if (Entries.size() == Limit) {
        Entries.pop_front();
    }
    Entries.push_back({Next++, line, event, std::move(text), colour});
}

void MessageLog::Clear() {
    Entries.clear();
}

std::size_t MessageLog::IndexFrom(std::uint64_t sequence) const {
    if (Entries.empty() || sequence <= Entries.front().Sequence) {
        return 0;
    }
    const std::uint64_t offset = sequence - Entries.front().Sequence;
    return static_cast<std::size_t>(std::min<std::uint64_t>(offset, Entries.size()));
}

std::string LogText(std::string_view status, StatusColour colour, std::int32_t line) {
    std::string text(status);
    const bool namesLine = colour == StatusColour::Red || status == "HALT";
    if (namesLine && line > 0) {
        text += " at line " + std::to_string(line);
    }
    return text;
}

std::string BreakpointStopText(std::int32_t line) {
    return "Stopped at breakpoint, line " + std::to_string(line);
}

std::string EntryLine(const LogEntry& entry) {
    const std::string line = entry.Line > 0 ? std::to_string(entry.Line) : std::string("-");
    return "line " + line + "\tevent " + std::to_string(entry.Event) + "\t" + entry.Text;
}

} // namespace scanbench
