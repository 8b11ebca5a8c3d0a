#include "window_logic/editor/editor_search_rules.h"

#include <algorithm>
#include <vector>

namespace scanbench {

namespace {

using Neighbour = std::optional<char16_t>;

bool IsWord(Neighbour c) {
    return c && IsWordChar(*c);
}

// Looks for `pattern` at the start positions [first, last] of `text`,
// upward from `last` or downward from `first`. `before(p)` and `after(q)`
// give the characters next to a candidate [p, q) in the text as it is.
class Scanner {
public:
    Scanner(std::u16string_view text, std::u16string_view pattern, const SearchOptions& options,
            CaseFold fold)
        : Text(text), Options(options), Fold(fold), Pattern(pattern) {
        if (!Options.MatchCase) {
            std::transform(Pattern.begin(), Pattern.end(), Pattern.begin(), Fold);
        }
    }

    [[nodiscard]] std::size_t Length() const { return Pattern.size(); }

    template <typename Before, typename After>
    [[nodiscard]] std::optional<std::size_t> Scan(std::size_t first, std::size_t last,
                                                  Before before, After after) const {
        if (Pattern.empty() || first > last || last + Pattern.size() > Text.size()) {
            return std::nullopt;
        }
        const auto counts = [&](std::size_t p) {
            return MatchesAt(p) &&
                   (!Options.WholeWord || (!IsWord(before(p)) && !IsWord(after(p + Length()))));
        };
        if (Options.Down) {
            for (std::size_t p = first; p <= last; ++p) {
                if (counts(p)) {
                    return p;
                }
            }
            return std::nullopt;
        }
        for (std::size_t p = last + 1; p-- > first;) {
            if (counts(p)) {
                return p;
            }
        }
        return std::nullopt;
    }

private:
    [[nodiscard]] bool MatchesAt(std::size_t p) const {
        for (std::size_t k = 0; k < Pattern.size(); ++k) {
            const char16_t c = Options.MatchCase ? Text[p + k] : Fold(Text[p + k]);
            if (c != Pattern[k]) {
                return false;
            }
        }
        return true;
    }

    std::u16string_view Text;
    SearchOptions Options;
    CaseFold Fold;
    std::u16string Pattern; // folded unless case matters
};

} // namespace

char16_t UpperCaseLatin1(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7')) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c == u'\u00FF') {
        return u'\u0178';
    }
    return c;
}

std::size_t NextSearchFrom(std::size_t selectionStart, std::size_t selectionLength, bool down) {
    return down ? selectionStart + selectionLength : selectionStart;
}

std::optional<std::size_t> FindInText(std::u16string_view text, std::u16string_view pattern,
                                      const SearchOptions& options, SearchStart start,
                                      CaseFold fold) {
    const Scanner scanner(text, pattern, options, fold);
    const std::size_t m = scanner.Length();
    // The searched part: [begin, end) of the text.
    std::size_t begin = 0;
    std::size_t end = text.size();
    if (start.From) {
        (options.Down ? begin : end) = std::min(*start.From, text.size());
    }
    if (m == 0 || m > end - begin) {
        return std::nullopt;
    }
    const auto before = [&](std::size_t p) { return p > 0 ? Neighbour(text[p - 1]) : Neighbour(); };
    const auto after = [&](std::size_t q) {
        return q < text.size() ? Neighbour(text[q]) : Neighbour();
    };
    return scanner.Scan(begin, end - m, before, after);
}

ReplaceAllOutcome ReplaceAllInText(std::u16string_view text, std::u16string_view pattern,
                                   std::u16string_view replacement, const SearchOptions& options,
                                   SearchStart start, CaseFold fold) {
    const Scanner scanner(text, pattern, options, fold);
    const std::size_t m = scanner.Length();
    const std::size_t n = text.size();
    ReplaceAllOutcome outcome;
    if (m == 0) {
        return outcome;
    }
    // The hits in the old text, in the order they are replaced.
    std::vector<std::size_t> hits;
    if (options.Down) {
        // Old text before `next` is now `last`-terminated: the character
        // before a candidate at `next` is the end of what was inserted there.
        std::size_t next = start.From ? std::min(*start.From, n) : 0;
        Neighbour previous = next > 0 ? Neighbour(text[next - 1]) : Neighbour();
        const auto after = [&](std::size_t q) { return q < n ? Neighbour(text[q]) : Neighbour(); };
        while (next + m <= n) {
            const auto before = [&](std::size_t p) {
                return p > next ? Neighbour(text[p - 1]) : previous;
            };
            const std::optional<std::size_t> hit = scanner.Scan(next, n - m, before, after);
            if (!hit) {
                break;
            }
            hits.push_back(*hit);
            if (!replacement.empty()) {
                previous = replacement.back();
            } else if (*hit > next) {
                previous = text[*hit - 1];
            }
            next = *hit + m;
        }
    } else {
        // Old text from `limit` on has changed: the character after a
        // candidate ending at `limit` is the start of what was inserted there.
        std::size_t limit = start.From ? std::min(*start.From, n) : n;
        Neighbour following = limit < n ? Neighbour(text[limit]) : Neighbour();
        const auto before = [&](std::size_t p) {
            return p > 0 ? Neighbour(text[p - 1]) : Neighbour();
        };
        while (m <= limit) {
            const auto after = [&](std::size_t q) {
                return q < limit ? Neighbour(text[q]) : following;
            };
            const std::optional<std::size_t> hit = scanner.Scan(0, limit - m, before, after);
            if (!hit) {
                break;
            }
            hits.push_back(*hit);
            if (!replacement.empty()) {
                following = replacement.front();
            } else if (*hit + m < limit) {
                following = text[*hit + m];
            }
            limit = *hit;
        }
        std::reverse(hits.begin(), hits.end());
    }
    if (hits.empty()) {
        return outcome;
    }
    outcome.Count = hits.size();
    outcome.Begin = hits.front();
    outcome.End = hits.back() + m;
    std::u16string& segment = outcome.Segment;
    segment.reserve(outcome.End - outcome.Begin + hits.size() * replacement.size());
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (i > 0) {
            segment.append(text.substr(hits[i - 1] + m, hits[i] - hits[i - 1] - m));
        }
        // Down, the last replaced is the last hit; up, the first.
        if (options.Down ? i + 1 == hits.size() : i == 0) {
            outcome.LastInserted = outcome.Begin + segment.size();
        }
        segment.append(replacement);
    }
    return outcome;
}

PromptPlacement PlacePromptAtHit(int hitX, int hitY, int lineHeight, int boxWidth, int boxHeight,
                                 const ScreenArea& screen) {
    PromptPlacement at;
    at.X = std::max(screen.Left, std::min(hitX, screen.Right - boxWidth));
    at.Y = hitY + lineHeight + PromptGap;
    if (at.Y + boxHeight > screen.Bottom) {
        at.Y = hitY - boxHeight - PromptGap;
    }
    return at;
}

} // namespace scanbench
