#include "engine/program/text_helpers.h"

namespace scanbench {

std::string_view StripComment(std::string_view text) {
    // "!" or "//", whichever comes first; searched for by character, as
    // statements run to megabytes.
    std::size_t end = text.find('!');
    for (std::size_t slash = text.find('/'); slash < end; slash = text.find('/', slash + 1)) {
        if (slash + 1 < text.size() && text[slash + 1] == '/') {
            end = slash;
        }
    }
    return end == std::string_view::npos ? text : text.substr(0, end);
}

std::string_view TrimLeftBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

std::string_view TrimRightBlanks(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1])) {
        --n;
    }
    return text.substr(0, n);
}

std::string_view TrimBlanks(std::string_view text) {
    return TrimRightBlanks(TrimLeftBlanks(text));
}

WordSplit SplitFirstWord(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsBlank(text[i])) {
            return {text.substr(0, i), TrimLeftBlanks(text.substr(i + 1))};
        }
    }
    return {text, {}};
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string ReplaceFirstWithBlank(std::string_view text, char what) {
    std::string out(text);
    if (const auto pos = out.find(what); pos != std::string::npos) {
        out[pos] = ' ';
    }
    return out;
}

} // namespace scanbench
