// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheet/exercise_controls.h"

#include "layout/sheet_layout.h"

#include <QAccessible>
#include <QAction>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <cmath>

namespace qx5 {

// As long as Qt shows a button pressed by its key.
constexpr int PressShownMs = 100;

void RenewAccessibleObject(QWidget* control) {
    if (QAccessible::isActive()) {
        QAccessible::deleteAccessibleInterface(
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
        // Qt's cache of accessible objects connects to the control's destroyed signal for
        // each object it makes, and keeps the connection when the object is deleted: one more
        // at each renewal. It is the signal's only receiver; the next object connects anew.
        QObject::disconnect(control, &QObject::destroyed, nullptr, nullptr);
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

bool SpeedButton::event(QEvent* event) {
    if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        return QToolButton::event(event);
    }
    if (isEnabled()) {
        click();
        // After the command, and only as paint: the next keys do not wait for it.
        if (isEnabled()) {
            setDown(true);
            pressShown_.start(PressShownMs, this);
        }
    }
    return true;
}

void SpeedButton::mousePressEvent(QMouseEvent* event) {
    // A press of the mouse's own is not ended by the one shown for the key.
    pressShown_.stop();
    QToolButton::mousePressEvent(event);
}

void SpeedButton::timerEvent(QTimerEvent* event) {
    if (event->timerId() != pressShown_.timerId()) {
        QToolButton::timerEvent(event);
        return;
    }
    pressShown_.stop();
    setDown(false);
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
    : canvas_(96, devicePixelRatio)
    , screenRatio_(devicePixelRatio) {}

void SheetView::SetZoom(qreal zoom) {
    zoom_ = zoom;
    SetExtent(extent_);
}

void SheetView::FitCanvasToZoom() {
    const QSize size = SheetSize().expandedTo(extent_);
    if (size != QSize(canvas_.Width(), canvas_.Height())) {
        // First, at the old ratio: the drawing again then makes only the new size's pixels.
        canvas_.Resize(size.width(), size.height());
    }
    canvas_.SetDevicePixelRatio(zoom_ * screenRatio_);
}

void SheetView::SetExtent(QSize sheetUnits) {
    extent_ = sheetUnits;
    // Unzoomed, the sheet takes the visible width and never scrolls sideways.
    setMinimumSize(zoom_ == 1.0 ? 0 : static_cast<int>(std::ceil(extent_.width() * zoom_)),
                   static_cast<int>(std::ceil(extent_.height() * zoom_)));
    if (zoom_ != 1.0) {
        // Zoomed, the paint area grows to the extent only later; what is drawn must not be
        // cut off before.
        FitSheet(canvas_, extent_.width(), extent_.height());
    }
}

QSize SheetView::SheetSize() const {
    return {static_cast<int>(std::ceil(width() / zoom_)),
            static_cast<int>(std::ceil(height() / zoom_))};
}

QRect SheetView::ToView(const QRect& sheetUnits) const {
    return {qRound(sheetUnits.x() * zoom_), qRound(sheetUnits.y() * zoom_),
            qRound(sheetUnits.width() * zoom_), qRound(sheetUnits.height() * zoom_)};
}

void SheetView::RepaintChanged() {
    const QRegion sheetUnits = canvas_.TakeChangedArea();
    if (zoom_ == 1.0) {
        update(sheetUnits);
        return;
    }
    QRegion view;
    for (const QRect& rect : sheetUnits) {
        // Outward to whole pixels, so that no zoomed edge is left unpainted.
        view += QRect(QPoint(static_cast<int>(std::floor(rect.left() * zoom_)),
                             static_cast<int>(std::floor(rect.top() * zoom_))),
                      QPoint(static_cast<int>(std::ceil((rect.right() + 1) * zoom_)),
                             static_cast<int>(std::ceil((rect.bottom() + 1) * zoom_))));
    }
    update(view);
}

void SheetView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ImageSheetCanvas::ToQColor(ButtonFace));
    // At the screen's ratio rather than the image's own, which includes the zoom: each of
    // its pixels lands on one device pixel, unscaled.
    const QImage& image = canvas_.Image();
    painter.drawImage(QRectF(0, 0, image.width() / screenRatio_, image.height() / screenRatio_),
                      image, QRectF(image.rect()));
}

} // namespace qx5
