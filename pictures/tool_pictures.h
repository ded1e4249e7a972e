// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The tool bar's pictures, drawn by the program.
#pragma once

#include <QPixmap>

namespace qx5 {

enum class ToolPicture {
    Printer,      // a printer with a sheet of paper
    Pencil,       // a pencil
    TwoDocuments, // two overlapping documents
    NewNumbers,   // digits on a sheet, with an arrow
    TurnBack,     // a curved arrow turning back
    ArrowLeft,    // a green arrow to the left
    ArrowRight,   // a green arrow to the right
    Count,        // how many there are: a new picture goes above
};

// Side of every tool picture, in logical pixels.
inline constexpr int ToolPictureSize = 27;

// The picture on a transparent background, ToolPictureSize square in logical pixels.
QPixmap DrawToolPicture(ToolPicture picture, qreal devicePixelRatio = 1.0);

} // namespace qx5
