// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A canvas that records what the sheet's layout draws, with text metrics the test chooses.
#pragma once

#include "layout/sheet_canvas.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace qx5::test {

struct DrawnText {
    std::int32_t X, Y;
    std::string Text;
    SheetCanvas::FontState Font;
    Colour Fill;
};

struct DrawnRectangle {
    std::int32_t Left, Top, Right, Bottom;
    Colour Fill, Pen;
    bool operator==(const DrawnRectangle&) const = default;
};

class RecordingCanvas final : public SheetCanvas {
public:
    using WidthRule = std::function<std::int32_t(std::string_view, const FontState&)>;
    using HeightRule = std::function<std::int32_t(const FontState&)>;

    // Every font's line the same height.
    explicit RecordingCanvas(std::int32_t lineHeight = 20, WidthRule widthOf = TenPerByte)
        : RecordingCanvas([lineHeight](const FontState&) { return lineHeight; },
                          std::move(widthOf)) {}
    RecordingCanvas(HeightRule heightOf, WidthRule widthOf)
        : heightOf_(std::move(heightOf))
        , widthOf_(std::move(widthOf)) {}

    static std::int32_t TenPerByte(std::string_view text, const FontState&) {
        return static_cast<std::int32_t>(10 * text.size());
    }

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
        Texts.push_back({x, y, std::string(text), Font, FillColour});
    }
    std::int32_t TextWidth(std::string_view text) const override {
        WidthQueries.push_back(Font);
        return widthOf_(text, Font);
    }
    std::int32_t TextHeight(std::string_view) const override { return heightOf_(Font); }
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override {
        Rectangles.push_back({left, top, right, bottom, FillColour, PenColour});
    }
    void FillAll() override { Fills.push_back(FillColour); }
    void Resize(std::int32_t width, std::int32_t height) override {
        width_ = width;
        height_ = height;
    }
    std::int32_t Width() const override { return width_; }
    std::int32_t Height() const override { return height_; }

    // The texts drawn at (x, y), in order.
    std::vector<DrawnText> TextsAt(std::int32_t x, std::int32_t y) const {
        std::vector<DrawnText> found;
        std::copy_if(Texts.begin(), Texts.end(), std::back_inserter(found),
                     [&](const DrawnText& t) { return t.X == x && t.Y == y; });
        return found;
    }

    std::vector<DrawnText> Texts;
    std::vector<DrawnRectangle> Rectangles;
    std::vector<Colour> Fills;
    mutable std::vector<FontState> WidthQueries;

private:
    HeightRule heightOf_;
    WidthRule widthOf_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

} // namespace qx5::test
