// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/program_fonts.h"

namespace qx5 {

namespace {

QFont CourierNew() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace

QFont TranscriptFont() {
    QFont font = CourierNew();
    font.setPointSize(10);
    return font;
}

QFont ExerciseWindowFont(int emPixels) {
    QFont font = CourierNew();
    font.setBold(true);
    font.setPixelSize(emPixels);
    return font;
}

QFont HeadingDialogFont() {
    QFont font = CourierNew();
    font.setPixelSize(13);
    return font;
}

QFont AboutBoxFont(int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace qx5
