// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole series drawn on a sheet the way the series run draws them, for the sheet's tests.
#pragma once

#include "engine_fixtures.h"
#include "layout/sheet_layout.h"

#include <string>
#include <vector>

namespace qx5::test {

struct ScriptedStep {
    std::string Instruction;
    std::string Typed; // exactly as the pupil typed it
    std::int32_t Expected;
};

// Clears the sheet, draws the start, then each step's instruction and answer, and finishes
// the series; returns the state the drawing read.
inline EngineState DrawFinishedSeries(SheetCanvas& canvas, std::int32_t type,
                                      std::int32_t startNumber,
                                      const std::vector<ScriptedStep>& steps) {
    EngineState s = StateForType(type);
    s.CurrentNumber = startNumber;
    s.StartNumber = startNumber;
    ClearSheet(canvas);
    DrawSeriesStart(canvas, s, CurrentTypeTitle(s));
    for (const ScriptedStep& step : steps) {
        ++s.StepIndex;
        s.InstructionText = step.Instruction;
        DrawInstruction(canvas, s);
        opgavelinier& record = s.StepRecords[s.StepIndex];
        record.InstructionText = step.Instruction;
        record.AnswerText = step.Typed;
        record.Answer = std::stoi(step.Typed);
        record.Expected = step.Expected;
        DrawAnswer(canvas, s, step.Typed);
        s.CorrectCount += record.Answer == record.Expected ? 1 : 0;
        s.CurrentNumber = record.Answer;
    }
    FinishSeries(canvas, s);
    return s;
}

// Type 3, six steps; the first and the last are wrong, the last typed with a leading zero,
// and a right answer also typed with one.
inline const std::vector<ScriptedStep> SixStepsTwoWrong{
    {"(+) Læg 5 til", "12", 13},   {"(·) Gang med 3", "36", 36}, {"(-) Træk 6 fra", "30", 30},
    {"(-) Træk 9 fra", "021", 21}, {"(+) Læg 4 til", "25", 25},  {"(-) Træk 7 fra", "08", 18},
};

// Whether the pupil's answer to a scripted step is wrong.
inline bool IsWrong(const ScriptedStep& step) {
    return std::stoi(step.Typed) != step.Expected;
}

// Type 9, nine steps with combined ones, the sixth wrong and typed as "07".
inline const std::vector<ScriptedStep> NineStepsCombined{
    {"Gang med 3 og læg 2 til", "74", 74},
    {"Træk 10 fra", "64", 64},
    {"Divider med 8 og gang med 5", "40", 40},
    {"Træk tallet fra 78", "38", 38},
    {"Divider med 2 og træk 9 fra", "10", 10},
    {"Gang med 7", "07", 70},
    {"Læg 33 til og divider med 4", "10", 10},
    {"Gang med 6 og træk 11 fra", "49", 49},
    {"Træk 9 fra", "40", 40},
};

} // namespace qx5::test
