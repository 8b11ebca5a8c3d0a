#include "window_logic/editor/editor_search_rules.h"
#include "window_logic/editor/goto_line.h"
#include "window_logic/main_window/language_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace scanbench {
namespace {

constexpr SearchOptions Down{true, false, false};
constexpr SearchOptions Up{false, false, false};
constexpr SearchOptions WholeWordDown{true, false, true};
constexpr SearchOptions WholeWordUp{false, false, true};

std::optional<std::size_t> Find(std::u16string_view text, std::u16string_view pattern,
                                const SearchOptions& options,
                                std::optional<std::size_t> from = std::nullopt) {
    return FindInText(text, pattern, options, {from});
}

TEST(EditorSearch, FirstSearchCoversTheWholeTextAndTheNextContinuesAfterTheSelection) {
    const std::u16string text = u"RST;\nNOP; // rst\nRST;";
    ASSERT_EQ(Find(text, u"rst", Down), 0U) << "from the top, whatever the caret";
    const std::size_t from = NextSearchFrom(0, 3, true);
    EXPECT_EQ(Find(text, u"rst", Down, from), 13U);
    EXPECT_EQ(Find(text, u"rst", Down, NextSearchFrom(13, 3, true)), 17U);
    EXPECT_EQ(Find(text, u"rst", Down, NextSearchFrom(17, 3, true)), std::nullopt);
    EXPECT_EQ(Find(text, u"rst", {true, true, false}), 13U) << "match case";
    EXPECT_EQ(Find(text, u"", Down), std::nullopt) << "nothing to look for";
}

TEST(EditorSearch, UpwardSearchFindsTheLastHitThenTheOnesBeforeIt) {
    const std::u16string text = u"ab ab";
    ASSERT_EQ(Find(text, u"ab", Up), 3U);
    EXPECT_EQ(NextSearchFrom(3, 2, false), 3U) << "upward: before the selection";
    EXPECT_EQ(Find(text, u"ab", Up, 3), 0U);
    EXPECT_EQ(Find(text, u"ab", Up, 0), std::nullopt);
    EXPECT_EQ(Find(text, u"ab", Up, 1), std::nullopt) << "a hit must end before the start";
}

TEST(EditorSearch, WholeWordJudgesTheNeighboursOfEachCandidate) {
    EXPECT_EQ(Find(u"xabx", u"ab", WholeWordDown), std::nullopt);
    EXPECT_EQ(Find(u"x ab", u"ab", WholeWordDown), 2U);
    EXPECT_EQ(Find(u"abc ab_ (ab)", u"ab", WholeWordDown), 9U) << "rejected hits are skipped";
    EXPECT_EQ(Find(u"(ab) abc", u"ab", WholeWordUp), 1U) << "upward too";
    EXPECT_EQ(Find(u"LOOP1 LOOP", u"loop", {false, false, true}), 6U);
    EXPECT_EQ(Find(u"abc a1c", u"b", WholeWordUp), std::nullopt) << "every candidate in a word";
    // A search that starts inside a word does not take the word's tail for a word.
    EXPECT_EQ(Find(u"abcd cd", u"cd", WholeWordDown, 2), 5U);
    EXPECT_EQ(Find(u"ab abcd", u"ab", WholeWordUp, 5), 0U);
}

TEST(EditorSearch, CaseFoldingKeepsOffsets) {
    EXPECT_EQ(Find(u"Über ÜBER", u"über", {true, false, false}, 1), 5U);
    EXPECT_EQ(UpperCaseLatin1(u'\u00F7'), u'\u00F7') << "the division sign has no case";
}

// Replace-all as the editor did it before it had a one-pass rule: search,
// replace, search on from the inserted text, until nothing is found.
std::pair<std::u16string, std::size_t>
ReplaceOneByOne(std::u16string text, std::u16string_view pattern, std::u16string_view with,
                const SearchOptions& options, std::optional<std::size_t> from) {
    std::size_t count = 0;
    while (const auto hit = FindInText(text, pattern, options, {from})) {
        text.replace(*hit, pattern.size(), with);
        from = options.Down ? *hit + with.size() : *hit;
        ++count;
    }
    return {text, count};
}

TEST(EditorSearch, ReplaceAllInOnePassEqualsReplacingHitByHit) {
    struct Case {
        std::u16string_view Text, Pattern, With;
        SearchOptions Options;
        std::optional<std::size_t> From;
    };
    const Case cases[] = {
        {u"ab ab\nab;", u"ab", u"xyz", Down, {}},
        // The neighbours of a hit next to inserted text are the inserted characters.
        {u"-a-a", u"-a", u".", WholeWordDown, {}},
        {u"-a-a", u"-a", u"", WholeWordDown, {}},
        {u"-a-a x", u"-a", u"_", WholeWordDown, {}},
        {u"a-a-", u"a-", u".", WholeWordUp, {}},
        {u"a-a-", u"a-", u"", WholeWordUp, {}},
        {u"a-a-", u"a-", u"_", WholeWordUp, {}},
        {u"abab ab x", u"AB", u"", WholeWordUp, 7U},
        {u"x ab ab ab", u"ab", u"AB", Up, 7U},
        {u"aaaa", u"aa", u"a", Down, 1U},
        {u"no hit", u"ab", u"x", Down, {}},
    };
    for (const Case& c : cases) {
        const auto [expected, count] =
            ReplaceOneByOne(std::u16string(c.Text), c.Pattern, c.With, c.Options, c.From);
        const ReplaceAllOutcome outcome =
            ReplaceAllInText(c.Text, c.Pattern, c.With, c.Options, {c.From});
        std::u16string result(c.Text);
        result.replace(outcome.Begin, outcome.End - outcome.Begin, outcome.Segment);
        EXPECT_TRUE(result == expected) << std::string(c.Text.begin(), c.Text.end());
        EXPECT_EQ(outcome.Count, count);
        if (count > 0) {
            EXPECT_TRUE(result.substr(outcome.LastInserted, c.With.size()) == c.With);
        }
    }
}

TEST(EditorSearch, ThePromptSitsBelowTheHitUnlessTheScreenEndsThere) {
    const ScreenArea screen{0, 0, 800, 600};
    const PromptPlacement below = PlacePromptAtHit(100, 200, 16, 300, 120, screen);
    EXPECT_EQ(below.X, 100);
    EXPECT_EQ(below.Y, 221);
    const PromptPlacement above = PlacePromptAtHit(700, 500, 16, 300, 120, screen);
    EXPECT_EQ(above.X, 500) << "moved left to stay on the screen";
    EXPECT_EQ(above.Y, 375);
}

TEST(GotoLine, JudgesTheEntry) {
    using Kind = GotoDecision::Kind;
    EXPECT_EQ(DecideGotoLine("abc", 10).What, Kind::NotANumber);
    EXPECT_EQ(DecideGotoLine("", 10).What, Kind::NotANumber);
    EXPECT_EQ(DecideGotoLine("12x", 10).What, Kind::NotANumber);
    EXPECT_EQ(DecideGotoLine("99999999999", 10).What, Kind::NotANumber);
    EXPECT_EQ(DecideGotoLine("11", 10).What, Kind::LineNotFound);
    EXPECT_EQ(DecideGotoLine("-1", 10).What, Kind::LineNotFound) << "negative, taken as unsigned";
    EXPECT_EQ(DecideGotoLine("1", 0).What, Kind::LineNotFound) << "an empty text";
    EXPECT_EQ(DecideGotoLine("0", 10).What, Kind::Stay);
    const GotoDecision last = DecideGotoLine(" +10 ", 10);
    EXPECT_EQ(last.What, Kind::MoveTo);
    EXPECT_EQ(last.Line, 10);
}

TEST(LanguageTable, UnusedPositionsAndIndexesOutsideTheTableAreEmpty) {
    EXPECT_EQ(LangText(3, LangPos::FileMenu), "Datei");
    EXPECT_EQ(LangText(2, LangPos::NotANumber), LangText(0, LangPos::NotANumber));
    EXPECT_EQ(LangText(0, 0), "");
    EXPECT_EQ(LangText(0, 100), "");
    EXPECT_EQ(LangText(4, LangPos::FileMenu), "");
    EXPECT_EQ(LangText(0, LangPositions), "");
}

} // namespace
} // namespace scanbench
