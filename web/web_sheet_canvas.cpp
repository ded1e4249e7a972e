// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/web_sheet_canvas.h"

#include "layout/sheet_contrast.h"

#include <emscripten.h>
#include <string>

// The page's sheet (page/sheet.js), handed to the engine as the page makes it (page/engine.js);
// texts cross as UTF-8 with their length.
// clang-format off
EM_JS(void, qx5_sheet_text, (int x, int y, const char* font, int size, unsigned colour,
                             unsigned fill, const char* text, int length), {
    Module.sheet.text(x, y, UTF8ToString(font), size, colour, fill, UTF8ToString(text, length));
});
EM_JS(int, qx5_sheet_text_width, (const char* font, int size, const char* text, int length), {
    return Module.sheet.textWidth(UTF8ToString(font), size, UTF8ToString(text, length));
});
EM_JS(int, qx5_sheet_text_height, (const char* font, int size), {
    return Module.sheet.textHeight(UTF8ToString(font), size);
});
EM_JS(void, qx5_sheet_rectangle, (int left, int top, int right, int bottom, unsigned fill,
                                  unsigned pen), {
    Module.sheet.rectangle(left, top, right, bottom, fill, pen);
});
EM_JS(void, qx5_sheet_fill_all, (unsigned fill), { Module.sheet.fillAll(fill); });
EM_JS(void, qx5_sheet_resize, (int width, int height, unsigned face), {
    Module.sheet.resize(width, height, face);
});
// clang-format on

namespace qx5 {

namespace {

// A browser's theme may give the page any face: the sheet keeps it only where blue, which
// carries the instructions and the score, reads at 7 : 1 on it.
constexpr double BlueContrastWanted = 7.0;

} // namespace

void WebSheetCanvas::SetPageFace(Colour face) {
    face_ = ContrastRatio(Blue, face) >= BlueContrastWanted &&
                    ContrastRatio(Red, face) >= RedContrastNeeded
                ? face
                : LightButtonFace;
}

std::uint32_t WebSheetCanvas::PageColour(Colour colour) const {
    const Colour c = colour == ButtonFace ? face_ : colour;
    return (c & 0xFFU) << 16 | (c & 0xFF00U) | (c >> 16 & 0xFFU);
}

void WebSheetCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    qx5_sheet_text(x, y, Font.Name.c_str(), Font.Size, PageColour(Font.Colour),
                   PageColour(FillColour), text.data(), static_cast<int>(text.size()));
}

std::int32_t WebSheetCanvas::TextWidth(std::string_view text) const {
    return qx5_sheet_text_width(Font.Name.c_str(), Font.Size, text.data(),
                                static_cast<int>(text.size()));
}

std::int32_t WebSheetCanvas::TextHeight(std::string_view) const {
    return qx5_sheet_text_height(Font.Name.c_str(), Font.Size);
}

void WebSheetCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
    if (right > left && bottom > top) {
        qx5_sheet_rectangle(left, top, right, bottom, PageColour(FillColour),
                            PageColour(PenColour));
    }
}

void WebSheetCanvas::FillAll() {
    qx5_sheet_fill_all(PageColour(FillColour));
}

void WebSheetCanvas::Resize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
    qx5_sheet_resize(width, height, PageColour(ButtonFace));
}

} // namespace qx5
