// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's widget style, with one difference that no one sees: the menu bar's overflow
// button gets its picture when it is painted, not when the menu bar is made. Making
// that picture at once would search the icon-engine and image-format plugins before the
// main window is on the screen, and the button only shows in a window too narrow for the
// menu.
#pragma once

#include <QProxyStyle>

namespace qx5 {

class StartupStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace qx5
