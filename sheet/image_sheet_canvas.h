// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet's drawing surface in the program: a QImage painted with QPainter.
#pragma once

#include "sheet_canvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <optional>
#include <string>

namespace qx5 {

class ImageSheetCanvas final : public SheetCanvas {
public:
    // Point sizes convert to pixels at dpi; on a high-DPI screen a device pixel ratio
    // above 1 keeps text crisp while every coordinate stays in logical pixels.
    explicit ImageSheetCanvas(int dpi = 96, qreal devicePixelRatio = 1.0);

    // The pixels, to be copied to the screen at (0, 0) at their logical size.
    const QImage& Image() const { return image_; }
    // A sheet colour as Qt's colour; the button face is the application palette's.
    static QColor ToQColor(Colour colour);
    // The font in force, as Qt resolves it for this canvas.
    QFont CurrentFont() const;
    // The part of the sheet drawn on since the last call, in logical pixels, so that the
    // screen copies only what changed; empty when nothing was drawn.
    QRegion TakeChangedArea();

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t TextWidth(std::string_view text) const override;
    std::int32_t TextHeight(std::string_view text) const override;
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;
    void FillAll() override;
    void Resize(std::int32_t width, std::int32_t height) override;
    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }

private:
    QImage NewImage(std::int32_t width, std::int32_t height) const;
    void Changed(const QRect& area);
    // The font in force as Qt resolves it, with its metrics; made again only when the
    // font's name or size changes, since resolving costs more than drawing a text.
    struct ResolvedFont {
        std::string Name;
        std::int32_t Size;
        QFont Font;
        QFontMetrics Metrics;
    };
    const ResolvedFont& Resolved() const;

    int dpi_;
    qreal devicePixelRatio_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    QImage image_;
    QRegion changed_;
    // Fonts are measured here, so that measuring works while the sheet is still empty.
    QImage measure_;
    mutable std::optional<ResolvedFont> resolved_;
};

} // namespace qx5
