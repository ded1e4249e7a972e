// The program's own pictures: its icon and the splash picture.
#pragma once

#include <QPixmap>

namespace qx5 {

inline constexpr int SplashWidth = 270;
inline constexpr int SplashHeight = 220;

// The program icon, size × size pixels (32 is the window icon).
QPixmap DrawProgramIcon(int size = 32);
// The splash picture: a grey panel, the program's name at the top, "Rurudovorir" large and
// blue in the middle, the maker mark at the bottom.
QPixmap DrawSplashPicture();

} // namespace qx5
