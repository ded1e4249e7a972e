// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window's own kinds of control: the tool bar's button and the paint area.
#pragma once

#include "pictures/tool_pictures.h"
#include "sheet/image_sheet_canvas.h"

#include <QBasicTimer>
#include <QToolButton>
#include <QWidget>

namespace qx5 {

// Makes the control a new object for screen readers, from its next event on. A screen reader
// speaks a control that gains the focus, but not one it believes has it already (even when
// the focus never left, or only the control's text changed under it).
void RenewAccessibleObject(QWidget* control);

// A flat tool button that also shows its Alt letter, small and underlined, in a corner:
// the picture fills the button, and the letter tells the pupil which key presses it.
class SpeedButton final : public QToolButton {
public:
    SpeedButton(QWidget* parent, const QString& name, QRect geometry, ToolPicture picture,
                const QString& hint, const QString& caption);

    // Drawn when the window is first shown: nothing of it is needed at start-up. A button
    // that shows a command takes its picture from it.
    void DrawPicture();

protected:
    // Its key clicks it at once, so that the keys typed after it reach the window as the
    // click left it. Qt's own click by key waits while it shows the press.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ToolPicture picture_;
    // The press shown for a moment after a click by key.
    QBasicTimer pressShown_;
};

// The paint area: owns the sheet's bitmap and shows it at the zoom, one bitmap pixel on
// one device pixel. The sheet's layout stays in its own units; only the view is scaled.
class SheetView final : public QWidget {
public:
    explicit SheetView(qreal devicePixelRatio);

    ImageSheetCanvas& Canvas() { return canvas_; }

    qreal Zoom() const { return zoom_; }
    // Asks for the paint area the sheet needs at the new zoom; FitCanvasToZoom follows
    // once the paint area has its size.
    void SetZoom(qreal zoom);
    // Gives the sheet the paint area's size (but at least its extent) and draws it again
    // at the zoom: sharp, and no larger in memory than the zoomed view needs.
    void FitCanvasToZoom();
    // The least the sheet needs, in sheet units: the paint area is at least that, zoomed.
    void SetExtent(QSize sheetUnits);
    // The paint area's size in sheet units.
    QSize SheetSize() const;
    // A place on the sheet in the paint area's pixels.
    QRect ToView(const QRect& sheetUnits) const;
    // Repaints what was drawn on the sheet since the last call: the one place the sheet's
    // changed area goes (after an answer, only the rows just drawn).
    void RepaintChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImageSheetCanvas canvas_;
    qreal screenRatio_;
    qreal zoom_ = 1.0;
    QSize extent_;
};

} // namespace qx5
