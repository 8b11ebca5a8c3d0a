#include "board/json_value.h"

#include <charconv>
#include <cmath>

namespace scanbench {

JsonValue::JsonValue(Variant value, TextPosition at) : Value(std::move(value)), At(at) {}

const JsonValue* JsonValue::Find(std::string_view name) const {
    if (const Object* members = Members()) {
        for (const Member& member : *members) {
            if (member.Name == name) {
                return &member.Value;
            }
        }
    }
    return nullptr;
}

std::string_view JsonValue::KindName() const {
    switch (Value.index()) {
    case 0:
        return "null";
    case 1:
        return "true or false";
    case 2:
        return "a number";
    case 3:
        return "a string";
    case 4:
        return "a list";
    default:
        return "an object";
    }
}

namespace {

constexpr int MaxDepth = 64;

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : Text(text) {}

    std::variant<JsonValue, JsonError> Document() {
        SkipBlanks();
        JsonValue value = Value(0);
        if (!Failed) {
            SkipBlanks();
            if (Offset != Text.size()) {
                Fail("text after the end of the document");
            }
        }
        if (Failed) {
            return Error;
        }
        return value;
    }

private:
    [[nodiscard]] TextPosition Here() const { return {Line, static_cast<std::uint32_t>(Column)}; }

    JsonValue Fail(std::string message) {
        if (!Failed) {
            Failed = true;
            Error = {Here(), std::move(message)};
        }
        return {};
    }

    [[nodiscard]] bool AtEnd() const { return Offset >= Text.size(); }
    [[nodiscard]] char Peek() const { return AtEnd() ? '\0' : Text[Offset]; }

    void Advance() {
        if (Text[Offset] == '\n') {
            ++Line;
            Column = 1;
        } else {
            ++Column;
        }
        ++Offset;
    }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            Advance();
        }
    }

    bool Word(std::string_view word) {
        if (Text.substr(Offset, word.size()) != word) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            Advance();
        }
        return true;
    }

    JsonValue Value(int depth) {
        const TextPosition at = Here();
        if (depth > MaxDepth) {
            return Fail("nested more than " + std::to_string(MaxDepth) + " levels deep");
        }
        switch (Peek()) {
        case '{':
            return ObjectValue(depth, at);
        case '[':
            return ArrayValue(depth, at);
        case '"': {
            std::string text = StringValue();
            return {std::move(text), at};
        }
        case 't':
            if (Word("true")) {
                return {true, at};
            }
            break;
        case 'f':
            if (Word("false")) {
                return {false, at};
            }
            break;
        case 'n':
            if (Word("null")) {
                return {nullptr, at};
            }
            break;
        default:
            if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) {
                return NumberValue(at);
            }
            break;
        }
        return Fail(AtEnd() ? "the text ends where a value should be" : "expected a value");
    }

    JsonValue ObjectValue(int depth, TextPosition at) {
        Advance(); // {
        JsonValue::Object members;
        SkipBlanks();
        if (Peek() == '}') {
            Advance();
            return {std::move(members), at};
        }
        while (!Failed) {
            SkipBlanks();
            if (Peek() != '"') {
                return Fail("expected a member name in double quotes");
            }
            const TextPosition nameAt = Here();
            std::string name = StringValue();
            for (const JsonValue::Member& earlier : members) {
                if (!Failed && earlier.Name == name) {
                    Line = nameAt.Line;
                    Column = nameAt.Column;
                    return Fail("\"" + name + "\" is given twice");
                }
            }
            SkipBlanks();
            if (Peek() != ':') {
                return Fail("expected ':' after the member name");
            }
            Advance();
            SkipBlanks();
            JsonValue value = Value(depth + 1);
            members.push_back({std::move(name), std::move(value)});
            SkipBlanks();
            if (Peek() == ',') {
                Advance();
                continue;
            }
            if (Peek() == '}') {
                Advance();
                break;
            }
            return Fail("expected ',' or '}'");
        }
        return {std::move(members), at};
    }

    JsonValue ArrayValue(int depth, TextPosition at) {
        Advance(); // [
        JsonValue::Array elements;
        SkipBlanks();
        if (Peek() == ']') {
            Advance();
            return {std::move(elements), at};
        }
        while (!Failed) {
            SkipBlanks();
            elements.push_back(Value(depth + 1));
            SkipBlanks();
            if (Peek() == ',') {
                Advance();
                continue;
            }
            if (Peek() == ']') {
                Advance();
                break;
            }
            return Fail("expected ',' or ']'");
        }
        return {std::move(elements), at};
    }

    JsonValue NumberValue(TextPosition at) {
        const std::size_t start = Offset;
        const auto digits = [this] {
            const std::size_t first = Offset;
            while (Peek() >= '0' && Peek() <= '9') {
                Advance();
            }
            return Offset > first;
        };
        if (Peek() == '-') {
            Advance();
        }
        if (Peek() == '0') {
            Advance();
        } else if (!digits()) {
            return Fail("expected a digit");
        }
        if (Peek() == '.') {
            Advance();
            if (!digits()) {
                return Fail("expected a digit after the decimal point");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            Advance();
            if (Peek() == '+' || Peek() == '-') {
                Advance();
            }
            if (!digits()) {
                return Fail("expected a digit in the exponent");
            }
        }
        double value = 0;
        const std::string_view written = Text.substr(start, Offset - start);
        const auto [end, error] =
            std::from_chars(written.data(), written.data() + written.size(), value);
        if (error != std::errc{} || end != written.data() + written.size() ||
            !std::isfinite(value)) {
            Line = at.Line;
            Column = at.Column;
            return Fail("the number " + std::string(written) + " is out of range");
        }
        return {value, at};
    }

    // Four hexadecimal digits after "\u".
    unsigned HexQuad() {
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Peek();
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<unsigned>(c - 'A' + 10);
            } else {
                Fail("expected four hexadecimal digits after \\u");
                return 0;
            }
            value = value * 16 + digit;
            Advance();
        }
        return value;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    void Escape(std::string& out) {
        Advance(); // backslash
        const char c = Peek();
        constexpr std::string_view From = "\"\\/bfnrt";
        constexpr std::string_view To = "\"\\/\b\f\n\r\t";
        if (const std::size_t at = From.find(c); c != '\0' && at != std::string_view::npos) {
            out += To[at];
            Advance();
            return;
        }
        if (c != 'u') {
            Fail("unknown escape \\" + std::string(1, c));
            return;
        }
        Advance();
        unsigned code = HexQuad();
        if (code >= 0xD800 && code < 0xDC00 && !Failed) {
            if (!Word("\\u")) {
                Fail("a high surrogate must be followed by a low one");
                return;
            }
            const unsigned low = HexQuad();
            if (low < 0xDC00 || low >= 0xE000) {
                Fail("a high surrogate must be followed by a low one");
                return;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code < 0xE000) {
            Fail("a low surrogate without a high one");
            return;
        }
        AppendUtf8(out, code);
    }

    // Length of the UTF-8 sequence starting at the current byte, 0 if invalid.
    [[nodiscard]] std::size_t Utf8Length() const {
        const auto byte = [this](std::size_t i) {
            return Offset + i < Text.size() ? static_cast<unsigned char>(Text[Offset + i]) : 0U;
        };
        const unsigned lead = byte(0);
        std::size_t length = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return 0;
        }
        if (byte(1) < low || byte(1) > high) {
            return 0;
        }
        for (std::size_t i = 2; i < length; ++i) {
            if (byte(i) < 0x80 || byte(i) > 0xBF) {
                return 0;
            }
        }
        return length;
    }

    std::string StringValue() {
        Advance(); // opening quote
        std::string out;
        while (!Failed) {
            if (AtEnd()) {
                Fail("the text ends inside a string");
                break;
            }
            const auto c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                Advance();
                break;
            }
            if (c == '\\') {
                Escape(out);
            } else if (c < 0x20) {
                Fail("a control character inside a string");
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                Advance();
            } else if (const std::size_t length = Utf8Length(); length != 0) {
                out += Text.substr(Offset, length);
                Offset += length;
                ++Column;
            } else {
                Fail("a string that is not UTF-8");
            }
        }
        return out;
    }

    std::string_view Text;
    std::size_t Offset = 0;
    std::uint32_t Line = 1;
    std::size_t Column = 1;
    bool Failed = false;
    JsonError Error;
};

} // namespace

std::variant<JsonValue, JsonError> ReadJson(std::string_view text) {
    return JsonReader(text).Document();
}

} // namespace scanbench
