// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercise_controls.h"

#include <QAccessible>
#include <QAction>
#include <QPaintEvent>
#include <QPainter>

namespace qx5 {

void RenewAccessibleObject(QWidget* control) {
    if (QAccessible::isActive()) {
        QAccessible::deleteAccessibleInterface(
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
    }
}

SpeedButton::SpeedButton(QWidget* parent, const QString& name, QRect geometry, ToolPicture picture,
                         const QString& hint, const QString& caption)
    : QToolButton(parent)
    , picture_(picture) {
    setObjectName(name);
    setGeometry(geometry);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(ToolPictureSize, ToolPictureSize));
    setToolTip(hint);
    setAccessibleName(hint);
    // Focus stays in the answer box while the pupil clicks.
    setFocusPolicy(Qt::NoFocus);
    // The caption's "&" letter becomes the Alt shortcut.
    setText(caption);
}

void SpeedButton::DrawPicture() {
    QAction* command = defaultAction();
    if (command ? command->icon().isNull() : icon().isNull()) {
        const QIcon picture(DrawToolPicture(picture_, devicePixelRatioF()));
        if (command) {
            command->setIcon(picture);
        } else {
            setIcon(picture);
        }
    }
}

void SpeedButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    const qsizetype mark = text().indexOf(QLatin1Char('&'));
    if (mark < 0 || mark + 1 >= text().size()) {
        return;
    }
    QPainter painter(this);
    QFont letterFont = font();
    letterFont.setPixelSize(10);
    letterFont.setUnderline(true);
    painter.setFont(letterFont);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().adjusted(0, 0, -1, 0), Qt::AlignRight | Qt::AlignBottom,
                     text().mid(mark + 1, 1));
}

SheetView::SheetView(qreal devicePixelRatio)
    // The sheet's layout is measured at 96 dots per inch; the screen's pixel ratio keeps its
    // text crisp.
    : canvas_(96, devicePixelRatio) {}

void SheetView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ImageSheetCanvas::ToQColor(ButtonFace));
    painter.drawImage(0, 0, canvas_.Image());
}

} // namespace qx5
