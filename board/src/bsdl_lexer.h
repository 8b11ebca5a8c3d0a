#pragma once

// The BSDL reader's two scanners: one over the file (VHDL tokens) and one
// over the text of a string attribute, whose pieces may come from many
// string literals joined with '&'.

#include "board/json_value.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench::bsdl {

// A problem found while reading; the reader turns the first into its error.
struct ReadFailure {
    TextPosition At;
    std::string Message;
};

enum class TokenKind : std::uint8_t { Identifier, Number, String, Symbol, End };

struct Token {
    TokenKind Kind = TokenKind::End;
    std::string Text; // identifiers in upper case; strings without their quotes
    TextPosition At;  // of the first character (inside the quotes for a string)
};

// Splits a BSDL file into tokens; "--" comments and blanks are dropped.
// Throws ReadFailure at a character no token starts with.
[[nodiscard]] std::vector<Token> Tokenize(std::string_view text);

// The text of a string attribute: its literals joined, and where each
// character came from in the file.
class PlacedText {
public:
    void Append(const Token& literal);
    [[nodiscard]] const std::string& Text() const { return Joined; }
    [[nodiscard]] TextPosition At(std::size_t offset) const;

private:
    struct Piece {
        std::size_t Start;
        TextPosition At;
    };
    std::string Joined;
    std::vector<Piece> Pieces;
};

// Words ([A-Za-z0-9_]+, upper-cased) and the symbols ( ) , : [ ] * of a
// string attribute, one at a time.
class TextScanner {
public:
    struct Item {
        bool Word = false;
        std::string Text;
        std::size_t Offset = 0;
    };

    explicit TextScanner(const PlacedText& text);

    [[nodiscard]] const Item& Peek() const { return Current; }
    [[nodiscard]] bool AtEnd() const { return Current.Text.empty(); }
    [[nodiscard]] bool IsSymbol(char symbol) const {
        return !Current.Word && Current.Text.size() == 1 && Current.Text[0] == symbol;
    }
    Item Take();
    // Takes the symbol or throws "expected 'symbol' <context>".
    void Expect(char symbol, std::string_view context);
    // Takes a word or throws "expected <what>".
    Item ExpectWord(std::string_view what);
    [[noreturn]] void FailHere(std::string message) const;
    [[noreturn]] void FailAt(std::size_t offset, std::string message) const;

private:
    void Scan();

    const PlacedText& Source;
    std::size_t Offset = 0;
    Item Current;
};

[[nodiscard]] std::string Upper(std::string_view text);

} // namespace scanbench::bsdl
