// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet's drawing surface in the browser: an HTML canvas, drawn by the page's script
// (page/sheet.js), which keeps what it drew so that it can draw it again sharply when the
// browser's zoom or the screen's pixel ratio changes.
#pragma once

#include "layout/sheet_canvas.h"

namespace qx5 {

class WebSheetCanvas final : public SheetCanvas {
public:
    // The page's button face, 0x00BBGGRR: the sheet's background where blue and red read on it.
    void SetPageFace(Colour face);
    // The colour the canvas draws for a sheet colour, as 0xRRGGBB for the page.
    std::uint32_t PageColour(Colour colour) const;

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
    Colour face_ = 0xEFEFEF;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

} // namespace qx5
