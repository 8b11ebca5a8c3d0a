#pragma once

#include "window_logic/main_window/language_table.h"

#include <QString>

namespace scanbench {

// The interface text at `position` of the language table, in `language`.
[[nodiscard]] inline QString LanguageText(std::uint8_t language, int position) {
    const std::string_view text = LangText(language, position);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace scanbench
