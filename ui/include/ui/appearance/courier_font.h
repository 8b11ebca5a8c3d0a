#pragma once

#include <QFont>

namespace scanbench {

// "Courier New" at a pixel size, or the monospace font the system offers
// for it.
[[nodiscard]] inline QFont CourierFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace scanbench
