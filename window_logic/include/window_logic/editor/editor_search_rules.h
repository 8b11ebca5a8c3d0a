#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// The rules of the editor's find and replace. Texts are UTF-16, as the
// editor holds them, so offsets are the editor's character positions.

// WordChars: 0-9, A-Z, a-z and "_". A whole-word hit has none of these
// right before or right after it.
[[nodiscard]] constexpr bool IsWordChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'_';
}

// The options the find and replace dialogs keep between uses.
struct SearchOptions {
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
};

// Maps one character to the form in which texts are compared when case does
// not matter. It must keep one character one character.
using CaseFold = char16_t (*)(char16_t);

// Upper case for ASCII and Latin-1 letters; every other character as it is.
[[nodiscard]] char16_t UpperCaseLatin1(char16_t c);

// Where a search starts. A first search (no start) covers the whole text;
// a repeated one covers the text after `From` (down) or before it (up).
struct SearchStart {
    std::optional<std::size_t> From;
};

// Where the next search for the same text starts: after the selection when
// searching down, at its start when searching up.
[[nodiscard]] std::size_t NextSearchFrom(std::size_t selectionStart, std::size_t selectionLength,
                                         bool down);

// The offset in `text` of the hit of `pattern`: the first one in the
// searched part when searching down, the last one when searching up. With
// WholeWord a candidate counts only when its neighbours in the text are not
// WordChars; rejected candidates are skipped. Nothing for an empty pattern.
[[nodiscard]] std::optional<std::size_t> FindInText(std::u16string_view text,
                                                    std::u16string_view pattern,
                                                    const SearchOptions& options, SearchStart start,
                                                    CaseFold fold = UpperCaseLatin1);

// What replacing every remaining hit does to a text: the part [Begin, End)
// of the old text becomes Segment; Count hits were replaced, and the last
// text inserted starts at LastInserted in the new text.
struct ReplaceAllOutcome {
    std::size_t Count = 0;
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::u16string Segment;
    std::size_t LastInserted = 0;
};

// Replaces hit after hit, as repeated searches would find them (each search
// starting after the text just inserted when searching down, before it when
// searching up, whole words judged in the text as it is then), in one pass.
[[nodiscard]] ReplaceAllOutcome ReplaceAllInText(std::u16string_view text,
                                                 std::u16string_view pattern,
                                                 std::u16string_view replacement,
                                                 const SearchOptions& options, SearchStart start,
                                                 CaseFold fold = UpperCaseLatin1);

// Top-left corner of the replace prompt, placed at a hit whose top-left
// corner on the screen is (hitX, hitY): its left edge at the hit (moved left
// to stay on the screen), its top `Gap` pixels below the hit's line, or `Gap`
// pixels above the hit when it would leave the screen at the bottom.
struct ScreenArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // first column past the area
    int Bottom = 0; // first row past the area
};
struct PromptPlacement {
    int X = 0;
    int Y = 0;
};
inline constexpr int PromptGap = 5;
[[nodiscard]] PromptPlacement PlacePromptAtHit(int hitX, int hitY, int lineHeight, int boxWidth,
                                               int boxHeight, const ScreenArea& screen);

} // namespace scanbench
