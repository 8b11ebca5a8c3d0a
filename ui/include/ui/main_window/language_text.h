#pragma once

#include "window_logic/main_window/language_table.h"

#include <QString>

namespace scanbench {

// The interface text at `position` of the language table, for language `langIdx`.
[[nodiscard]] inline QString LanguageText(std::uint8_t langIdx, int position) {
    const std::string_view text = LangText(langIdx, position);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace scanbench
