// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The area of every paint event a widget gets, as an event filter: shared by the window
// tests and the answered-step benchmark.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

namespace qx5 {

struct PaintedArea : QObject {
    QRegion Area;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Area += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

} // namespace qx5
