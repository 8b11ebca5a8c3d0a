#pragma once

class QWidget;

namespace scanbench {

// Puts a window in the middle of the screen's free area.
void CentreOnScreen(QWidget& window);

// Centres the window the first time it is shown; afterwards it stays where
// the user puts it.
void CentreWhenFirstShown(QWidget& window);

} // namespace scanbench
