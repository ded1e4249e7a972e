// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A canvas that draws nothing: for playing series where no one looks at the sheet (the
// engine's link probe, the series benchmark). Text rows are 20 pixels high.
#pragma once

#include "layout/sheet_canvas.h"

namespace qx5 {

class BlankSheetCanvas final : public SheetCanvas {
public:
    void TextOut(std::int32_t, std::int32_t, std::string_view) override {}
    std::int32_t TextWidth(std::string_view text) const override {
        return static_cast<std::int32_t>(text.size());
    }
    std::int32_t TextHeight(std::string_view) const override { return 20; }
    void Rectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void FillAll() override {}
    void Resize(std::int32_t width, std::int32_t height) override {
        width_ = width;
        height_ = height;
    }
    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

} // namespace qx5
