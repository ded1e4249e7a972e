// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A dark desktop's palette, as Fusion's dark colour schemes give it: light texts on a
// button face of #424245.
#pragma once

#include <QPalette>

namespace qx5::test {

inline QPalette DarkPalette() {
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x2d, 0x2d, 0x30));
    for (const QPalette::ColorRole text :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        dark.setColor(text, QColor(0xee, 0xee, 0xee));
    }
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
    return dark;
}

} // namespace qx5::test
