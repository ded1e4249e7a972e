// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A dark desktop's palette, as Fusion's dark colour schemes give it: light texts on a
// button face of #424245; and a desktop palette for the life of an object.
#pragma once

#include <QGuiApplication>
#include <QPalette>

namespace qx5::test {

struct PaletteInForce {
    QPalette Before = QGuiApplication::palette();
    explicit PaletteInForce(const QPalette& palette) { QGuiApplication::setPalette(palette); }
    ~PaletteInForce() { QGuiApplication::setPalette(Before); }
};

inline QPalette DarkPalette() {
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x2d, 0x2d, 0x30));
    for (const auto text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        dark.setColor(text, QColor(0xee, 0xee, 0xee));
    }
    return dark;
}

} // namespace qx5::test
