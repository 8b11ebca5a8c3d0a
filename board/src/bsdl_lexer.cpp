#include "bsdl_lexer.h"

#include <algorithm>

namespace scanbench::bsdl {

namespace {

[[nodiscard]] bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
[[nodiscard]] bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
[[nodiscard]] bool IsWordChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}

[[nodiscard]] std::string Printable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    constexpr std::string_view Hex = "0123456789ABCDEF";
    return std::string("byte ") + Hex[byte >> 4] + Hex[byte & 15] + "h";
}

} // namespace

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    TextPosition at;
    const auto advance = [&](std::size_t count) {
        for (std::size_t n = 0; n < count && i < text.size(); ++n, ++i) {
            if (text[i] == '\n') {
                ++at.Line;
                at.Column = 1;
            } else {
                ++at.Column;
            }
        }
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            advance(1);
            continue;
        }
        if (c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
            while (i < text.size() && text[i] != '\n') {
                advance(1);
            }
            continue;
        }
        Token token;
        token.At = at;
        const std::size_t start = i;
        if (IsLetter(c)) {
            while (i < text.size() && IsWordChar(text[i])) {
                advance(1);
            }
            token.Kind = TokenKind::Identifier;
            token.Text = Upper(text.substr(start, i - start));
        } else if (IsDigit(c)) {
            // 12, 10.0e6, 2.5E+7
            while (i < text.size() && (IsDigit(text[i]) || text[i] == '.' || text[i] == '_')) {
                advance(1);
            }
            if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
                advance(1);
                if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
                    advance(1);
                }
                while (i < text.size() && IsDigit(text[i])) {
                    advance(1);
                }
            }
            token.Kind = TokenKind::Number;
            token.Text = std::string(text.substr(start, i - start));
        } else if (c == '"') {
            advance(1);
            token.At = at;
            token.Kind = TokenKind::String;
            while (true) {
                if (i >= text.size() || text[i] == '\n') {
                    throw ReadFailure{token.At, "a string runs to the end of its line; it needs "
                                                "a closing '\"' (join lines with '&')"};
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        token.Text += '"';
                        advance(2);
                        continue;
                    }
                    advance(1);
                    break;
                }
                token.Text += text[i];
                advance(1);
            }
        } else if (c == ':' && i + 1 < text.size() && text[i + 1] == '=') {
            advance(2);
            token.Kind = TokenKind::Symbol;
            token.Text = ":=";
        } else if (std::string_view("(),;:&*.[]").find(c) != std::string_view::npos) {
            advance(1);
            token.Kind = TokenKind::Symbol;
            token.Text = std::string(1, c);
        } else {
            throw ReadFailure{at, "unexpected " + Printable(c)};
        }
        tokens.push_back(std::move(token));
    }
    tokens.push_back({TokenKind::End, {}, at});
    return tokens;
}

void PlacedText::Append(const Token& literal) {
    Pieces.push_back({Joined.size(), literal.At});
    Joined += literal.Text;
}

TextPosition PlacedText::At(std::size_t offset) const {
    if (Pieces.empty()) {
        return {};
    }
    auto piece = std::upper_bound(Pieces.begin(), Pieces.end(), offset,
                                  [](std::size_t o, const Piece& p) { return o < p.Start; });
    if (piece != Pieces.begin()) {
        --piece;
    }
    if (offset >= Joined.size() && !Joined.empty()) {
        // The end of the text: just after its last character.
        piece = Pieces.end() - 1;
    }
    TextPosition at = piece->At;
    at.Column += static_cast<std::uint32_t>(offset - piece->Start);
    return at;
}

TextScanner::TextScanner(const PlacedText& text) : Source(text) {
    Scan();
}

void TextScanner::Scan() {
    const std::string& text = Source.Text();
    while (Offset < text.size() && (text[Offset] == ' ' || text[Offset] == '\t')) {
        ++Offset;
    }
    Current = {};
    Current.Offset = Offset;
    if (Offset >= text.size()) {
        return;
    }
    const char c = text[Offset];
    if (IsWordChar(c)) {
        const std::size_t start = Offset;
        while (Offset < text.size() && IsWordChar(text[Offset])) {
            ++Offset;
        }
        Current.Word = true;
        Current.Text = Upper(std::string_view(text).substr(start, Offset - start));
        return;
    }
    if (std::string_view("(),:[]*").find(c) != std::string_view::npos) {
        ++Offset;
        Current.Text = std::string(1, c);
        return;
    }
    FailAt(Offset, "unexpected " + Printable(c));
}

TextScanner::Item TextScanner::Take() {
    Item taken = Current;
    Scan();
    return taken;
}

void TextScanner::Expect(char symbol, std::string_view context) {
    if (!IsSymbol(symbol)) {
        FailHere(std::string("expected '") + symbol + "' " + std::string(context));
    }
    Take();
}

TextScanner::Item TextScanner::ExpectWord(std::string_view what) {
    if (!Current.Word) {
        FailHere("expected " + std::string(what));
    }
    return Take();
}

void TextScanner::FailHere(std::string message) const {
    if (AtEnd()) {
        message += ", not the end of the string";
    } else {
        message += ", not '" + Current.Text + "'";
    }
    FailAt(Current.Offset, std::move(message));
}

void TextScanner::FailAt(std::size_t offset, std::string message) const {
    throw ReadFailure{Source.At(offset), std::move(message)};
}

} // namespace scanbench::bsdl
