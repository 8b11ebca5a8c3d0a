#pragma once

#include <QRect>

namespace scanbench::Layout {

// Positions and sizes of the main window's elements in its client area
// (below the menu bar), which is 683 x 487 pixels and not resizable.
inline constexpr QSize Client{683, 487};
inline constexpr QRect ToolBar1{0, 0, 683, 26};
inline constexpr QRect GroupBox1{9, 32, 109, 41};   // Flags TAP0
inline constexpr QRect GroupBox2{122, 32, 109, 41}; // Flags TAP1
inline constexpr QRect GroupBox3{252, 32, 109, 41}; // Counter TAP0
inline constexpr QRect GroupBox4{365, 32, 109, 41}; // Counter TAP1
inline constexpr QPoint ReadoutLabel{15, 14};       // inside its group box
inline constexpr QRect FlagImg{14, 30, 72, 6};      // inside its group box
inline constexpr QRect Image1{482, 21, 197, 63};    // logo
inline constexpr QRect ImgSeta{6, 85, 16, 379};     // gutter markers
inline constexpr QRect Panel1{40, 84, 620, 381};
inline constexpr QRect Memo1{3, 3, 614, 375}; // inside Panel1
inline constexpr QRect ScrollBar1{662, 88, 17, 377};
inline constexpr QRect Panel2{1, 466, 659, 21}; // status line
inline constexpr QRect CircDrwImg{663, 468, 16, 16};

// Inside Panel2.
inline constexpr QPoint LinePosCaption{6, 4};
inline constexpr QRect Label2{55, 4, 153, 15};
inline constexpr QPoint StatusCaption{254, 1};
inline constexpr QRect Status{307, 3, 344, 16};

} // namespace scanbench::Layout
