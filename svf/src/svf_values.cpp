#include "svf_values.h"

#include "engine/tap/tap_state.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace scanbench {

namespace {

[[nodiscard]] bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

[[nodiscard]] std::size_t Digits(std::string_view text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i - from;
}

} // namespace

std::optional<std::uint64_t> ParseSvfCount(std::string_view word) {
    if (word.empty() || Digits(word, 0) != word.size() ||
        word.size() > std::numeric_limits<std::int64_t>::digits10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    (void)std::from_chars(word.data(), word.data() + word.size(), value);
    return value;
}

std::optional<double> ParseSvfReal(std::string_view word) {
    std::size_t i = word.starts_with('+') ? 1 : 0;
    const std::size_t whole = Digits(word, i);
    i += whole;
    std::size_t fraction = 0;
    if (i < word.size() && word[i] == '.') {
        fraction = Digits(word, i + 1);
        i += 1 + fraction;
    }
    if (whole + fraction == 0) {
        return std::nullopt;
    }
    if (i < word.size() && (word[i] == 'E' || word[i] == 'e')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) {
            ++i;
        }
        const std::size_t exponent = Digits(word, i);
        if (exponent == 0) {
            return std::nullopt;
        }
        i += exponent;
    }
    if (i != word.size()) {
        return std::nullopt;
    }
    const std::string_view number = word.substr(word.starts_with('+') ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // A time too small to write is none; a too large one is refused as
        // too many clocks. Only a negative exponent makes a value too small.
        return number.find('-') != std::string_view::npos ? 0.0
                                                          : std::numeric_limits<double>::infinity();
    }
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint8_t> SvfStateByName(std::string_view word) {
    const std::uint8_t state = StateByName(word);
    if (state >= TapStateCount) {
        return std::nullopt;
    }
    return state;
}

} // namespace scanbench
