// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Whether the sheet's fixed blue and red texts can be read on a background colour, and
// the background that is used where they cannot: the arithmetic only, no toolkit.
#pragma once

#include "layout/sheet_canvas.h"

namespace qx5 {

// WCAG's relative luminance of a colour: 0 for black, 1 for white.
double RelativeLuminance(Colour colour);
// WCAG's contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// Below these the texts are hard to read: WCAG's least for body text (blue carries the
// instructions and the score) and for large text (red marks the header and the errors).
// A light desktop's grey (#e0e0e0 and lighter) keeps its own face.
inline constexpr double BlueContrastNeeded = 4.5;
inline constexpr double RedContrastNeeded = 3.0;
// Qt's light default button face, which the sheet takes instead: blue reads at 7.5 : 1 on
// it, red at 3.5 : 1.
inline constexpr Colour LightButtonFace = 0xEFEFEF;

// Whether the sheet's blue and red texts can be read on the background.
bool TextsReadOn(Colour background);

} // namespace qx5
