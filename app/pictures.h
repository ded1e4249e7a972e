// The program's own pictures: its icon and the splash picture.
#pragma once

#include <QPixmap>
#include <QString>

namespace qx5 {

inline constexpr int SplashWidth = 270;
inline constexpr int SplashHeight = 220;
// The sizes in which the program icon is made at build time (app/CMakeLists.txt names the
// same files).
inline constexpr int ProgramIconSizes[] = {16, 32, 48, 64};

// The program icon, size × size pixels (32 is the window icon).
QPixmap DrawProgramIcon(int size = 32);
// The splash picture: a grey panel, the program's name at the top, "Rurudovorir" large and
// blue in the middle, the maker mark at the bottom.
QPixmap DrawSplashPicture();

// The pictures as the program loads them, drawn at build time.
inline QString SplashResource() {
    return QStringLiteral(":/pictures/splash.png");
}
inline QString ProgramIconResource(int size) {
    return QStringLiteral(":/pictures/qx5-%1.png").arg(size);
}

} // namespace qx5
