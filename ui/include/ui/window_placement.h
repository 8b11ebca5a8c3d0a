#pragma once

class QWidget;

namespace scanbench {

// Puts a window in the middle of the primary screen's free area.
void CentreOnDesktop(QWidget& window);

} // namespace scanbench
