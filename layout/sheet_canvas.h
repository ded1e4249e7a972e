// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The drawing surface of the exercise sheet, free of any toolkit: the sheet's layout code
// draws through it, the program gives it a QImage, and tests may record what is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx5 {

// Colours as 0x00BBGGRR values.
using Colour = std::uint32_t;
inline constexpr Colour Red = 0x0000FF;
inline constexpr Colour Blue = 0xFF0000;
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Black = 0x000000;
// The system's button-face colour, the background of the sheet and its window; each
// canvas resolves it to the desktop's colour.
inline constexpr Colour ButtonFace = 0x8000000F;

class SheetCanvas {
public:
    virtual ~SheetCanvas() = default;

    // State that carries over from one drawing to the next. The pen is always 1 pixel wide.
    struct FontState {
        std::string Name = "Times New Roman";
        std::int32_t Size = 14; // points
        qx5::Colour Colour = Black;
        bool operator==(const FontState&) const = default;
    };
    FontState Font;
    Colour FillColour = ButtonFace;
    Colour PenColour = Black;

    // Draws text with its cell's top-left corner at (x, y): the cell (text width × text
    // height) is filled with the fill colour, then the text is drawn in the font colour.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    // Width and full line height (ascent + descent) of text in the current font, in pixels.
    virtual std::int32_t TextWidth(std::string_view text) const = 0;
    virtual std::int32_t TextHeight(std::string_view text) const = 0;
    // Left, top, right, bottom with right and bottom exclusive: filled with the fill colour,
    // outlined with the pen colour in columns left and right - 1, rows top and bottom - 1.
    virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) = 0;
    // Fills the whole surface with the fill colour.
    virtual void FillAll() = 0;
    // Takes the new size, keeping the content at the top-left corner; area the new size
    // adds shows the background colour. The font, fill and pen state is unchanged.
    virtual void Resize(std::int32_t width, std::int32_t height) = 0;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
};

} // namespace qx5
