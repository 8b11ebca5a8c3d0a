#pragma once

#include <QRect>

namespace scanbench::Layout {

// Positions and sizes of the main window's elements in its client area
// (below the menu bar), which is 683 x 487 pixels and not resizable.
inline constexpr QSize Client{683, 487};
inline constexpr QRect ToolBar{0, 0, 683, 26};
inline constexpr QRect FlagsTap0{9, 32, 109, 41};
inline constexpr QRect FlagsTap1{122, 32, 109, 41};
inline constexpr QRect CounterTap0{252, 32, 109, 41};
inline constexpr QRect CounterTap1{365, 32, 109, 41};
inline constexpr QPoint ReadoutLabel{15, 14};      // inside its group box
inline constexpr QRect FlagMarkers{14, 30, 72, 6}; // inside its group box
inline constexpr QRect Logo{482, 21, 197, 63};
inline constexpr QRect GutterMarkers{6, 85, 16, 379};
inline constexpr QRect EditorPanel{40, 84, 620, 381};
inline constexpr QRect Editor{3, 3, 614, 375}; // inside the editor panel
inline constexpr QRect EditorScrollBar{662, 88, 17, 377};
inline constexpr QRect StatusPanel{1, 466, 659, 21};
inline constexpr QRect ActivityIndicator{663, 468, 16, 16};

// Inside the status panel.
inline constexpr QPoint LinePosCaption{6, 4};
inline constexpr QRect LinePos{55, 4, 153, 15};
inline constexpr QPoint StatusCaption{254, 1};
inline constexpr QRect Status{307, 3, 344, 16};

} // namespace scanbench::Layout
