// Fuzzes the editor's search rules and the goto-line entry. The first byte
// chooses the options, the second where a repeated search starts; the rest,
// split at NUL bytes, is the text, the search text and the replacement (one
// character per byte). Replace-all in one pass must equal replacing hit by
// hit, and every hit must be a real one.
#include "window_logic/editor/editor_search_rules.h"
#include "window_logic/editor/goto_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace scanbench;

std::u16string Widened(std::string_view bytes) {
    std::u16string text;
    for (const char byte : bytes) {
        text += static_cast<char16_t>(static_cast<unsigned char>(byte));
    }
    return text;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const SearchOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0};
    const std::size_t firstNul = input.find('\0');
    const std::size_t secondNul =
        firstNul == std::string_view::npos ? firstNul : input.find('\0', firstNul + 1);
    const std::u16string text = Widened(input.substr(0, firstNul));
    const std::u16string pattern = Widened(
        firstNul == std::string_view::npos ? ""
                                           : input.substr(firstNul + 1, secondNul - firstNul - 1));
    const std::u16string with =
        Widened(secondNul == std::string_view::npos ? "" : input.substr(secondNul + 1));
    SearchStart start;
    if ((data[0] & 8) != 0) {
        start.From = data[1] % (text.size() + 2);
    }

    const auto fold = [](std::u16string s) {
        for (char16_t& c : s) {
            c = UpperCaseLatin1(c);
        }
        return s;
    };
    if (const auto hit = FindInText(text, pattern, options, start)) {
        Check(*hit + pattern.size() <= text.size());
        const std::u16string found = text.substr(*hit, pattern.size());
        Check(options.MatchCase ? found == pattern : fold(found) == fold(pattern));
    }

    const ReplaceAllOutcome outcome = ReplaceAllInText(text, pattern, with, options, start);
    std::u16string expected = text;
    std::size_t count = 0;
    SearchStart next = start;
    while (const auto hit = FindInText(expected, pattern, options, next)) {
        expected.replace(*hit, pattern.size(), with);
        next.From = options.Down ? *hit + with.size() : *hit;
        ++count;
    }
    Check(outcome.Count == count);
    std::u16string result = text;
    Check(outcome.Begin <= outcome.End && outcome.End <= text.size());
    result.replace(outcome.Begin, outcome.End - outcome.Begin, outcome.Segment);
    Check(result == expected);

    const GotoDecision decision =
        DecideGotoLine(input.substr(0, firstNul), static_cast<std::int32_t>(data[1]));
    Check(decision.What != GotoDecision::Kind::MoveTo ||
          (decision.Line >= 1 && decision.Line <= data[1]));
    return 0;
}
