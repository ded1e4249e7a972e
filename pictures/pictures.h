// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own pictures: its icon and the splash picture.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <iterator>

class QPainter;

namespace qx5 {

inline constexpr int SplashWidth = 270;
inline constexpr int SplashHeight = 220;
// The sizes of the window icon, compiled into the program, and the larger ones only
// installed, for the desktop's menus and software centres; the top CMakeLists.txt sets them.
inline constexpr int ProgramIconSizes[] = {QX5_WINDOW_ICON_SIZES};
inline constexpr int InstalledIconSizes[] = {QX5_LARGE_ICON_SIZES};
// The about box shows the icon at this size.
inline constexpr int AboutBoxIconSize = 32;
static_assert(std::ranges::find(ProgramIconSizes, AboutBoxIconSize) != std::end(ProgramIconSizes));
// The icon is designed on a grid of this many units a side.
inline constexpr int ProgramIconUnits = 32;

// Paints the program icon into the square (0, 0)–(32, 32) of the painter's coordinates;
// the same drawing serves every pixel size and the scalable (SVG) icon.
void PaintProgramIcon(QPainter& painter);
// The program icon, size × size pixels (32 is the window icon).
QPixmap DrawProgramIcon(int size = 32);
// The splash picture: a grey panel, the program's name at the top, "Rurudovorir" large and
// blue in the middle, the maker mark at the bottom.
QPixmap DrawSplashPicture();

// The pictures the program shows are compiled in as the images' own pixels (native 32-bit
// words, no file format), and the images read them where they lie in the program: nothing
// to decode, no image reader or format plugin, and no copy on the heap (unless the data
// were not 32-bit aligned).
inline constexpr QImage::Format SplashFormat = QImage::Format_RGB32;
inline constexpr QImage::Format ProgramIconFormat = QImage::Format_ARGB32_Premultiplied;
// The pixels as the program reads them back, for the build step that compiles them in.
QByteArray PicturePixels(const QPixmap& picture, QImage::Format format);

// Null when the resource is missing, compressed, or holds other than the expected number of
// pixels.
QImage LoadSplashPicture();
QImage LoadProgramIconPicture(int size);
// The window icon in every compiled-in size, made from pixmaps: an icon made from file
// names would search the icon-engine plugins too.
QIcon LoadProgramIcon();

} // namespace qx5
