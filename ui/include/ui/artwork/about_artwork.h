#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace scanbench {

// The pictures of the About dialog and of the splash window, drawn with
// QPainter in the style of the window's logo.

// The banner across the top of the About dialog.
[[nodiscard]] QPixmap AboutBannerPicture(const QSize& size);
// One of the three author pictures (0..2) below the heading, 32 x 32.
[[nodiscard]] QPixmap AuthorPicture(int which);
// The boundary-scan chip at the right of the About dialog.
[[nodiscard]] QPixmap ScanChipPicture(const QSize& size);
// The splash window's picture.
[[nodiscard]] QPixmap SplashPicture(const QSize& size, const QString& version);

} // namespace scanbench
