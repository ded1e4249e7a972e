// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheet/sheet_zoom.h"

#include <QAction>
#include <QKeySequence>
#include <QWheelEvent>
#include <QWidget>

#include <initializer_list>

namespace qx5 {

namespace {

void AddZoomKeys(QWidget* window, SheetZoom* zoom, std::initializer_list<QKeySequence> keys,
                 int steps) {
    auto* action = new QAction(zoom);
    action->setShortcuts(QList<QKeySequence>(keys));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, zoom, [zoom, steps] {
        zoom->SetPercent(steps == 0 ? SmallestZoom : ZoomedBy(zoom->Percent(), steps));
    });
    window->addAction(action);
}

} // namespace

SheetZoom::SheetZoom(QWidget* window, QWidget* sheetViewport)
    : QObject(window) {
    // Ctrl+= is Ctrl with the plus key's unshifted face on many keyboards; the keypad's
    // keys match the plain ones.
    AddZoomKeys(window, this,
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1);
    AddZoomKeys(window, this, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1);
    AddZoomKeys(window, this, {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0);
    sheetViewport->installEventFilter(this);
}

void SheetZoom::SetPercent(int percent) {
    percent = std::clamp(percent, SmallestZoom, LargestZoom);
    if (percent != percent_) {
        percent_ = percent;
        emit Changed(percent_);
    }
}

bool SheetZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            constexpr int notch = QWheelEvent::DefaultDeltasPerStep;
            wheelTurn_ += wheel->angleDelta().y();
            const int steps = wheelTurn_ / notch;
            wheelTurn_ -= steps * notch;
            SetPercent(ZoomedBy(percent_, steps));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qx5
