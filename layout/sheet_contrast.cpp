// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout/sheet_contrast.h"

#include <algorithm>
#include <cmath>

namespace qx5 {

namespace {

// One sRGB channel, 0 to 255, as linear light.
double Linear(Colour channel) {
    const double c = static_cast<double>(channel & 0xFFU) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(Colour colour) {
    return 0.2126 * Linear(colour) + 0.7152 * Linear(colour >> 8) + 0.0722 * Linear(colour >> 16);
}

double ContrastRatio(Colour a, Colour b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool TextsReadOn(Colour background) {
    return ContrastRatio(Blue, background) >= BlueContrastNeeded &&
           ContrastRatio(Red, background) >= RedContrastNeeded;
}

} // namespace qx5
