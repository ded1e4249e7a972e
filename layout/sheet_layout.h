// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise sheet's layout: what each moment of a series draws, where, in which font
// and colours. The series run calls these; the window only copies the finished pixels.
#pragma once

#include "engine/engine_state.h"
#include "engine/program_texts.h"
#include "layout/sheet_canvas.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx5 {

inline constexpr std::string_view SheetFontName = "Times New Roman";
inline constexpr std::int32_t HeaderFontSize = 20;
// Room kept below the score line so that a scrolled sheet shows it whole.
inline constexpr std::int32_t ScoreLineMargin = 10;

// 18 points in the basic types, 14 otherwise.
constexpr std::int32_t BodyFontSize(bool basicMode) {
    return basicMode ? 18 : 14;
}
// The frame's offset: the basic types' box lies 15 pixels lower.
constexpr std::int32_t BoxShift(bool basicMode) {
    return basicMode ? 15 : 0;
}

// Sets the font colour and draws text opaque on the fill colour in force.
void DrawSheetText(SheetCanvas& canvas, std::int32_t x, std::int32_t y, Colour colour,
                   std::string_view text);
// The top of text row `row` (>= 1), measured in the current font: the steps in threes,
// with half a row's gap between the groups.
std::int32_t RowY(const SheetCanvas& canvas, std::int32_t row);
// The top of the score line, a row below the last step's.
std::int32_t ScoreLineY(const SheetCanvas& canvas, const EngineState& s);
// Blanks in front until the text has at least 5 characters; never cuts.
std::string PadNumber(std::string_view text);

// " Type " + the type right-aligned in 2 characters + ": " + title.
std::string HeaderText(std::int32_t exerciseType, std::string_view title);
// The header's point size from its width at 20 points.
constexpr std::int32_t HeaderFontSizeFor(std::int32_t widthAt20) {
    return widthAt20 > 600 ? 16 : widthAt20 > 590 ? 18 : HeaderFontSize;
}

// The drawing of a series' start: header line, start line (body font from then on), outer
// white rectangle and framed box; the fill colour is white afterwards. The start number
// is s.CurrentNumber. Grows the sheet, if need be, so that the score line will fit.
void DrawSeriesStart(SheetCanvas& canvas, const EngineState& s, std::string_view title);
void DrawHeaderLine(SheetCanvas& canvas, std::int32_t exerciseType, std::string_view title);
void DrawStartLine(SheetCanvas& canvas, const EngineState& s);
void DrawBox(SheetCanvas& canvas, const EngineState& s);

// The instruction of step s.StepIndex, and the answer to it exactly as typed.
void DrawInstruction(SheetCanvas& canvas, const EngineState& s);
void DrawAnswer(SheetCanvas& canvas, const EngineState& s, std::string_view typed);

// After the last answer: error marks (if any step is wrong) and the score line, both on
// the background colour.
void FinishSeries(SheetCanvas& canvas, const EngineState& s);
void DrawErrorMarks(SheetCanvas& canvas, const EngineState& s);
void DrawScoreLine(SheetCanvas& canvas, const EngineState& s);

// Before each series: the whole sheet in the background colour, which is also left as the
// fill colour.
void ClearSheet(SheetCanvas& canvas);

// The sheet's height that shows the score line of the current series whole; 0 before any
// series. Measured in the current font, so call it while the body font is in force.
std::int32_t SheetHeightNeeded(const SheetCanvas& canvas, const EngineState& s);

// The sheet's width that shows the header, the box and the error marks of the current
// series whole; 0 before any series. Call it while the body font is in force, like the
// height; the font is as it was afterwards.
std::int32_t SheetWidthNeeded(SheetCanvas& canvas, const EngineState& s, std::string_view title);

// Gives the sheet at least the paint area's size. The sheet never shrinks: what was drawn
// stays, and a smaller view shows its top-left part.
void FitSheet(SheetCanvas& canvas, std::int32_t width, std::int32_t height);

} // namespace qx5
