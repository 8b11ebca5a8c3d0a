#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace scanbench {

// Where something stands in a text: line and column, both from 1. Columns
// count characters: a UTF-8 sequence inside a JSON string counts once.
struct TextPosition {
    std::uint32_t Line = 1;
    std::uint32_t Column = 1;
    friend bool operator==(const TextPosition&, const TextPosition&) = default;
};

// One value of a JSON document with the position it starts at. Objects keep
// their members in the order written; a name given twice is refused by the
// reader, so that a board file never says two things at once.
class JsonValue {
public:
    struct Member;
    using Array = std::vector<JsonValue>;
    using Object = std::vector<Member>;

    using Variant = std::variant<std::nullptr_t, bool, double, std::string, Array, Object>;

    JsonValue() = default;
    // Out of line: Member is complete only after this class.
    JsonValue(Variant value, TextPosition at);

    [[nodiscard]] bool IsNull() const { return std::holds_alternative<std::nullptr_t>(Value); }
    [[nodiscard]] const bool* Bool() const { return std::get_if<bool>(&Value); }
    [[nodiscard]] const double* Number() const { return std::get_if<double>(&Value); }
    [[nodiscard]] const std::string* String() const { return std::get_if<std::string>(&Value); }
    [[nodiscard]] const Array* Elements() const { return std::get_if<Array>(&Value); }
    [[nodiscard]] const Object* Members() const { return std::get_if<Object>(&Value); }
    // The member of that name, or null (also when this is not an object).
    [[nodiscard]] const JsonValue* Find(std::string_view name) const;
    [[nodiscard]] TextPosition Position() const { return At; }
    // "an object", "a string", ...: for messages.
    [[nodiscard]] std::string_view KindName() const;

private:
    Variant Value;
    TextPosition At;
};

struct JsonValue::Member {
    std::string Name;
    JsonValue Value;
};

struct JsonError {
    TextPosition At;
    std::string Message;
};

// Reads a whole JSON document (RFC 8259: one value, blanks around it). Text
// that is not valid UTF-8 inside strings, nesting deeper than 64 levels and
// a member name given twice in one object are refused too.
[[nodiscard]] std::variant<JsonValue, JsonError> ReadJson(std::string_view text);

} // namespace scanbench
