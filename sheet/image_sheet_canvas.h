// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet's drawing surface in the program: a QImage painted with QPainter.
#pragma once

#include "layout/sheet_canvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QRegion>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx5 {

class ImageSheetCanvas final : public SheetCanvas {
public:
    // Point sizes convert to pixels at dpi; on a high-DPI screen or a zoomed view a device
    // pixel ratio above 1 keeps text crisp while every coordinate stays in logical pixels.
    explicit ImageSheetCanvas(int dpi = 96, qreal devicePixelRatio = 1.0);

    // The pixels, to be copied to the screen at (0, 0) at their logical size.
    const QImage& Image() const { return image_; }
    // Draws everything since the last FillAll again into a new image at the new ratio, so
    // that a zoomed sheet is as sharp as one drawn at that ratio from the start.
    void SetDevicePixelRatio(qreal ratio);
    // Draws it all again as it is, in the button face the palette now gives.
    void Redraw();

    // A sheet colour as Qt's colour. The button face is the application palette's, unless
    // the sheet's blue and red would be hard to read on it; then Qt's light default.
    static QColor ToQColor(Colour colour);
    // The palette for the sheet's window, from the desktop's: unchanged where the sheet's
    // texts read on its button face, otherwise a light one built from the sheet's face.
    static QPalette SheetPalette(const QPalette& desktop);
    // The font in force, as Qt resolves it for this canvas.
    QFont CurrentFont() const { return Resolved().Font; }
    // The part of the sheet drawn on since the last call, in logical pixels, so that the
    // screen copies only what changed; empty when nothing was drawn.
    QRegion TakeChangedArea() { return std::exchange(changed_, QRegion()); }

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t TextWidth(std::string_view text) const override;
    std::int32_t TextHeight(std::string_view) const override { return Resolved().Metrics.height(); }
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;
    void FillAll() override;
    void Resize(std::int32_t width, std::int32_t height) override;
    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }

private:
    // One drawing since the last FillAll, with the state it was drawn in.
    struct Drawing {
        enum class Kind { Text, Rectangle, Fill } What;
        std::int32_t A, B, C, D;           // x, y; left, top, right, bottom; -
        std::size_t TextStart, TextLength; // in texts_
        FontState TextFont;
        Colour Fill;
        Colour Pen;
        // What of it survived the resizes since: the smallest size the sheet has had.
        std::int32_t KeptWidth, KeptHeight;
    };

    QImage NewImage(std::int32_t width, std::int32_t height) const;
    void Changed(const QRect& area) { changed_ += area & QRect(0, 0, width_, height_); }
    Drawing Record(Drawing::Kind kind, std::int32_t a, std::int32_t b, std::int32_t c,
                   std::int32_t d) const;
    // Drawn again, only what a resize since has not cut away survives.
    static void KeepOnly(QPainter& painter, const Drawing& drawing);
    void DrawText(const Drawing& text, bool again = false);
    void DrawRectangle(const Drawing& rectangle, bool again = false);
    // A font as Qt resolves it, with its metrics; made again only when the font's name or
    // size changes, since resolving costs more than drawing a text.
    struct ResolvedFont {
        std::string Name;
        std::int32_t Size;
        QFont Font;
        QFontMetrics Metrics;
    };
    const ResolvedFont& Resolved() const { return Resolved(Font); }
    const ResolvedFont& Resolved(const FontState& font) const;

    int dpi_;
    qreal devicePixelRatio_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    QImage image_;
    QRegion changed_;
    // Fonts are measured here, so that measuring works while the sheet is still empty.
    QImage measure_;
    mutable std::optional<ResolvedFont> resolved_;
    // What the image shows, to be drawn again at another pixel ratio: the last FillAll
    // (none before the first), then every drawing after it, each with what of it a resize
    // has left; resizes themselves are not kept, so the list ends with the series.
    std::optional<Drawing> filled_;
    std::vector<Drawing> drawings_;
    // Their texts one after another: one allocation for many texts.
    std::string texts_;
};

} // namespace qx5
