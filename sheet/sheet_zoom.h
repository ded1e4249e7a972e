// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet's zoom for a classroom projector: Ctrl with plus, minus and 0, or with the
// mouse wheel, from 100 % to 300 %. It lasts for the run; nothing is stored.
#pragma once

#include <QObject>

#include <algorithm>

class QWidget;

namespace qx5 {

inline constexpr int SmallestZoom = 100;
inline constexpr int LargestZoom = 300;
inline constexpr int ZoomStep = 25;

// The zoom, in percent, a number of steps (negative: out) from the given one.
constexpr int ZoomedBy(int percent, int steps) {
    return std::clamp(percent + steps * ZoomStep, SmallestZoom, LargestZoom);
}

class SheetZoom final : public QObject {
    Q_OBJECT

public:
    // The keys work wherever the focus is in the window, the answer box included; the
    // wheel over the sheet's visible part.
    SheetZoom(QWidget* window, QWidget* sheetViewport);

    int Percent() const { return percent_; }
    void SetPercent(int percent);

signals:
    void Changed(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int percent_ = SmallestZoom;
    // Wheel turns smaller than a notch, as touchpads send them, add up to one.
    int wheelTurn_ = 0;
};

} // namespace qx5
