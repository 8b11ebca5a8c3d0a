#include "svf_program_writer.h"

#include <algorithm>

namespace scanbench {

namespace {

// Where the comments of short statements line up.
constexpr std::size_t CommentColumn = 32;
// Comment lines of their own are broken before this column where a blank
// allows, so that they fit a narrow editor.
constexpr std::size_t CommentWidth = 66;

} // namespace

void SvfProgramWriter::Statement(std::string_view code, std::int32_t svfLine,
                                 std::string_view what) {
    const std::size_t firstEnd = std::min(code.find('\n'), code.size());
    const std::string_view first = code.substr(0, firstEnd);
    Text.append(first);
    if (svfLine <= 0 && what.empty()) {
        Text.append(code.substr(firstEnd));
        Text += '\n';
        LineCount += 1 + static_cast<std::int32_t>(std::count(code.begin(), code.end(), '\n'));
        return;
    }
    // At least one blank before the comment.
    Text.append(std::max(first.size() + 1, CommentColumn) - first.size(), ' ');
    Text += "//";
    if (svfLine > 0) {
        Text += " SVF line ";
        Text += std::to_string(svfLine);
        if (!what.empty()) {
            Text += ':';
        }
    }
    if (!what.empty()) {
        Text += ' ';
        Text += what;
    }
    Text.append(code.substr(firstEnd));
    Text += '\n';
    LineCount += 1 + static_cast<std::int32_t>(std::count(code.begin(), code.end(), '\n'));
}

void SvfProgramWriter::Comment(std::string_view text) {
    constexpr std::size_t Room = CommentWidth - 3; // after "// "
    while (true) {
        std::size_t end = text.size();
        if (end > Room) {
            const std::size_t blank = text.rfind(' ', Room);
            end = blank == std::string_view::npos || blank == 0 ? Room : blank;
        }
        Text += "// ";
        Text += text.substr(0, end);
        Text += '\n';
        ++LineCount;
        text.remove_prefix(std::min(text.size(), end + (end < text.size() && text[end] == ' ')));
        if (text.empty()) {
            return;
        }
    }
}

std::string SvfProgramWriter::Take() {
    LineCount = 0;
    return std::move(Text);
}

std::string CommentSafe(std::string_view text) {
    std::string safe(text);
    std::replace_if(
        safe.begin(), safe.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    return safe;
}

} // namespace scanbench
