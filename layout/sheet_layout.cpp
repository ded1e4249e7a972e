// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout/sheet_layout.h"

#include "engine/utf8_text.h"

#include <algorithm>

namespace qx5 {

void DrawSheetText(SheetCanvas& canvas, std::int32_t x, std::int32_t y, Colour colour,
                   std::string_view text) {
    canvas.Font.Colour = colour;
    canvas.TextOut(x, y, text);
}

std::int32_t RowY(const SheetCanvas& canvas, std::int32_t row) {
    const std::int32_t pitch = canvas.TextHeight("H") + 5;
    const std::int32_t gap = pitch / 2;
    return row * pitch + ((row - 1) / 3) * gap + 75;
}

std::string PadNumber(std::string_view text) {
    const std::size_t length = CharacterCount(text);
    std::string padded(length < 5 ? 5 - length : 0, ' ');
    padded += text;
    return padded;
}

std::string HeaderText(std::int32_t exerciseType, std::string_view title) {
    std::string number = std::to_string(exerciseType);
    if (number.size() < 2) {
        number.insert(0, 2 - number.size(), ' ');
    }
    return std::string(SheetTypeWord) + number + ": " + std::string(title);
}

namespace {

// The header's font: the sheet's face, in the size the header's width chooses.
void UseHeaderFont(SheetCanvas& canvas, std::string_view header) {
    canvas.Font.Name = SheetFontName;
    canvas.Font.Size = HeaderFontSize;
    canvas.Font.Size = HeaderFontSizeFor(canvas.TextWidth(header));
}

} // namespace

void DrawHeaderLine(SheetCanvas& canvas, std::int32_t exerciseType, std::string_view title) {
    const std::string header = HeaderText(exerciseType, title);
    UseHeaderFont(canvas, header);
    DrawSheetText(canvas, 20, 20, Red, header);
}

void DrawStartLine(SheetCanvas& canvas, const EngineState& s) {
    canvas.Font.Size = BodyFontSize(s.BasicMode);
    const std::string number = std::to_string(s.CurrentNumber);
    const std::string line = std::string(StartLineLabel) + PadNumber(number);
    // The digits of the start number begin at the answer column.
    const std::int32_t x0 = s.AnswerColumnX - (canvas.TextWidth(line) - canvas.TextWidth(number));
    DrawSheetText(canvas, x0, 60, Blue, line);
}

void DrawBox(SheetCanvas& canvas, const EngineState& s) {
    const std::int32_t d = BoxShift(s.BasicMode);
    const std::int32_t bottom = RowY(canvas, s.StepsPerSeries + 1);
    canvas.FillColour = White;
    canvas.PenColour = White;
    canvas.Rectangle(s.SheetLeft - 4, 86 + d, s.AnswerColumnX + 74, bottom + 4 + d);
    canvas.PenColour = Black;
    canvas.Rectangle(s.SheetLeft, 90 + d, s.AnswerColumnX + 70, bottom + d);
}

void DrawSeriesStart(SheetCanvas& canvas, const EngineState& s, std::string_view title) {
    DrawHeaderLine(canvas, s.ExerciseType, title);
    DrawStartLine(canvas, s);
    // Grown here, while the body font is in force, so no scrolling can miss the score line.
    FitSheet(canvas, canvas.Width(), SheetHeightNeeded(canvas, s));
    DrawBox(canvas, s);
}

void DrawInstruction(SheetCanvas& canvas, const EngineState& s) {
    DrawSheetText(canvas, s.SheetLeft + 20, RowY(canvas, s.StepIndex), Blue, s.InstructionText);
}

void DrawAnswer(SheetCanvas& canvas, const EngineState& s, std::string_view typed) {
    DrawSheetText(canvas, s.AnswerColumnX, RowY(canvas, s.StepIndex), Blue, PadNumber(typed));
}

void DrawErrorMarks(SheetCanvas& canvas, const EngineState& s) {
    for (std::int32_t n = 1; n <= s.StepsPerSeries; ++n) {
        const opgavelinier& record = s.StepRecords[n];
        if (record.Answer == record.Expected) {
            continue;
        }
        const std::int32_t y = RowY(canvas, n);
        canvas.FillColour = White;
        DrawSheetText(canvas, s.AnswerColumnX, y, Red, PadNumber(record.AnswerText));
        canvas.FillColour = ButtonFace;
        DrawSheetText(canvas, s.AnswerColumnX + 82, y, Red, ErrorMark);
    }
}

std::int32_t ScoreLineY(const SheetCanvas& canvas, const EngineState& s) {
    return RowY(canvas, s.StepsPerSeries + 2);
}

void DrawScoreLine(SheetCanvas& canvas, const EngineState& s) {
    DrawSheetText(canvas, 100, ScoreLineY(canvas, s), Blue,
                  ScoreText(s.CorrectCount, s.StepsPerSeries));
}

void FinishSeries(SheetCanvas& canvas, const EngineState& s) {
    canvas.FillColour = ButtonFace;
    if (s.CorrectCount < s.StepsPerSeries) {
        DrawErrorMarks(canvas, s);
    }
    DrawScoreLine(canvas, s);
}

void ClearSheet(SheetCanvas& canvas) {
    canvas.FillColour = ButtonFace;
    canvas.FillAll();
}

std::int32_t SheetHeightNeeded(const SheetCanvas& canvas, const EngineState& s) {
    if (s.StepsPerSeries <= 0) {
        return 0;
    }
    return ScoreLineY(canvas, s) + canvas.TextHeight("H") + ScoreLineMargin;
}

std::int32_t SheetWidthNeeded(SheetCanvas& canvas, const EngineState& s, std::string_view title) {
    if (s.StepsPerSeries <= 0) {
        return 0;
    }
    const std::int32_t marks = s.AnswerColumnX + 82 + canvas.TextWidth(ErrorMark);
    // The header in the size its width chose, as DrawHeaderLine draws it.
    const SheetCanvas::FontState body = canvas.Font;
    const std::string header = HeaderText(s.ExerciseType, title);
    UseHeaderFont(canvas, header);
    const std::int32_t headerRight = 20 + canvas.TextWidth(header);
    canvas.Font = body;
    return std::max(headerRight, marks) + ScoreLineMargin;
}

void FitSheet(SheetCanvas& canvas, std::int32_t width, std::int32_t height) {
    const std::int32_t newWidth = std::max(canvas.Width(), width);
    const std::int32_t newHeight = std::max(canvas.Height(), height);
    if (newWidth != canvas.Width() || newHeight != canvas.Height()) {
        canvas.Resize(newWidth, newHeight);
    }
}

} // namespace qx5
