#include "settings/file_type_texts.h"

#include <algorithm>

namespace scanbench {

namespace {

constexpr std::string_view ReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";

// Inside double quotes these four need a backslash in front.
constexpr std::string_view QuotedEscapes = "\"`$\\";

bool NeedsQuoting(std::string_view argument) {
    return argument.find_first_of(ReservedCharacters) != std::string_view::npos;
}

// A desktop entry string value: backslash and control characters escaped.
std::string EscapeStringValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

bool IsPlainExtension(std::string_view extension) {
    return !extension.empty() && std::all_of(extension.begin(), extension.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '+' || c == '-';
    });
}

std::string MimePackageText(std::string_view extension) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"";
    text += ProgramMimeType;
    text += "\">\n"
            "    <comment>Scanbench test program</comment>\n"
            "    <glob pattern=\"*.";
    text += extension;
    text += "\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n";
    return text;
}

std::string DesktopExecArgument(std::string_view executable) {
    std::string argument;
    const bool quoted = NeedsQuoting(executable);
    if (quoted) {
        argument += '"';
    }
    for (const char c : executable) {
        if (quoted && QuotedEscapes.find(c) != std::string_view::npos) {
            argument += '\\';
        }
        argument += c;
        if (c == '%') { // a lone '%' would start a field code
            argument += '%';
        }
    }
    if (quoted) {
        argument += '"';
    }
    return EscapeStringValue(argument);
}

std::string DesktopEntryText(std::string_view executable) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Scanbench\n"
                       "Exec=";
    text += DesktopExecArgument(executable);
    text += " %f\n"
            "MimeType=";
    text += ProgramMimeType;
    text += ";\n"
            "Icon=scanbench\n"
            "Terminal=false\n"
            "Categories=Development;Education;Electronics;\n";
    return text;
}

} // namespace scanbench
