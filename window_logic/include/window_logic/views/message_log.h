#pragma once

#include "engine/feed/status_colour.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace scanbench {

// One message of a run: the status text as the log shows it, its colour,
// the program line it belongs to (1-based, 0 when none) and the number of
// events played when it was shown.
struct LogEntry {
    std::uint64_t Sequence = 0; // counts every entry ever added, from 0
    std::int32_t Line = 0;
    std::uint64_t Event = 0;
    std::string Text;
    StatusColour Colour = StatusColour::Green;
};

// The messages of the runs in order, keeping only the most recent ones.
// Entries keep their sequence numbers when older ones are dropped, so a
// window can append what is new since it last looked.
class MessageLog {
public:
    static constexpr std::size_t DefaultCapacity = 10'000;

    explicit MessageLog(std::size_t capacity = DefaultCapacity);

    void Add(std::string text, StatusColour colour, std::int32_t line, std::uint64_t event);
    void Clear();

    [[nodiscard]] std::size_t Size() const { return Entries.size(); }
    [[nodiscard]] std::size_t Capacity() const { return Limit; }
    // The i-th entry kept, the oldest first.
    [[nodiscard]] const LogEntry& At(std::size_t i) const { return Entries[i]; }
    // The sequence number the next entry gets.
    [[nodiscard]] std::uint64_t NextSequence() const { return Next; }
    // The index of the first entry kept whose sequence number is `sequence`
    // or later (Size() when none is).
    [[nodiscard]] std::size_t IndexFrom(std::uint64_t sequence) const;

private:
    std::size_t Limit;
    std::uint64_t Next = 0;
    std::deque<LogEntry> Entries;
};

// The text the log keeps for a status message shown while `line` was the
// statement's line: HALT and errors (red messages) name the line; the
// status line keeps its own text.
[[nodiscard]] std::string LogText(std::string_view status, StatusColour colour, std::int32_t line);

// The log's message when Execute or Speed Run stops before a breakpoint.
[[nodiscard]] std::string BreakpointStopText(std::int32_t line);

// One entry as a line of text for the clipboard: line, event and message.
[[nodiscard]] std::string EntryLine(const LogEntry& entry);

} // namespace scanbench
