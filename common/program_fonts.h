// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's fonts, in one place. The layouts were made for Courier New and a narrow
// sans serif of Windows; fontconfig maps Courier New to Liberation Mono, and Liberation
// Sans has Arial's metrics.
#pragma once

#include <QFont>

namespace qx5 {

// The main window's font, and so the transcript's on paper and on the clipboard: Courier
// New, 10 points.
QFont TranscriptFont();
// The exercise window's: Courier New, bold, with the given em height in pixels.
QFont ExerciseWindowFont(int emPixels);
// The heading dialog's: Courier New, 13 pixels high.
QFont HeadingDialogFont();
// The about box's labels: a bold sans serif of the given pixel height.
QFont AboutBoxFont(int pixelSize);

} // namespace qx5
