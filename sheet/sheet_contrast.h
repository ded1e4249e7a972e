// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Whether the sheet's fixed blue and red texts can be read on a background colour, and
// the background that is used where they cannot: the arithmetic only, no toolkit.
#pragma once

#include "sheet_canvas.h"

namespace qx5 {

// WCAG's relative luminance of a colour: 0 for black, 1 for white.
double RelativeLuminance(Colour colour);
// WCAG's contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// Blue carries the instructions and the score, so it gets the ratio for small body text;
// red marks the header and the errors, large or beside a mark, so less is enough.
inline constexpr double BlueContrastWanted = 7.0;
inline constexpr double RedContrastWanted = 3.0;
// Qt's light default button face: blue reads at 7.5 : 1 on it, red at 3.5 : 1.
inline constexpr Colour LightButtonFace = 0xEFEFEF;

// Whether the sheet's blue and red texts read well on the background.
bool TextsReadOn(Colour background);
// The sheet's background for the desktop's button face: that face where the texts read on
// it, the light default otherwise.
Colour SheetBackground(Colour desktopButtonFace);

} // namespace qx5
