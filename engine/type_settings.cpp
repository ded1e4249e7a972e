// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "type_settings.h"

#include <cassert>

namespace qx5 {

const OneBased<opgavetype_def, TitleSlots> LevelTitles{{{
    {" Små tal, enkle opgaver"},
    {" Større tal, enkle opgaver"},
    {" Endnu større tal, enkle opgaver"},
    {" Små tal, kombinations-opgaver"},
    {" Større tal, kombinations-opgaver"},
    {" Endnu større tal, kombinations-opgaver"},
}}};

const OneBased<opgavetype_def, TitleSlots> OperationTitles{{{
    {" (+) Kun plus "},
    {" (+,-) Plus og minus "},
    {" (+,-,·) Plus, minus, gange "},
    {" (+,-,·,:) Alle fire slags "},
    {""},
    {""},
}}};

// Types 9, 10, 15 and 16 carry two blanks before "tal" in the menu, not in their titles.
const OneBased<std::string_view, LastExerciseType> TypeMenuCaptions{{{
    "1. (+) Kun plus ",
    "2. (+,-) Plus og minus ",
    "3. (+,-,·) Plus, minus, gange",
    "4. (+,-,·,:) Alle fire slags",
    "5. Små tal, enkle opgaver",
    "6. Større tal, enkle opgaver",
    "7. Endnu større tal, enkle opgaver",
    "8. Små tal, kombinations-opgaver",
    "9. Større  tal, kombinations-opgaver",
    "10. Endnu større  tal, kombinations-opgaver",
    "11. Små tal, enkle opgaver",
    "12. Større tal, enkle opgaver",
    "13. Endnu større tal, enkle opgaver",
    "14. Små tal, kombinations-opgaver",
    "15. Større  tal, kombinations-opgaver",
    "16. Endnu større  tal, kombinations-opgaver",
}}};

namespace {

// The settings of one size level of types 5-16.
struct SizeLevel {
    std::int32_t StartSpan, StartMin, AddBelow, SubtractAbove, MultiplyBelow, MaxNumber, MinOperand;
    std::string_view RangeLabel;
};

constexpr std::array<SizeLevel, 3> SizeLevels{{
    {30, 10, 15, 10, 12, 40, 4, "Tal: 1-40"},
    {50, 20, 40, 20, 40, 80, 7, "Tal: 1-80"},
    {70, 20, 60, 30, 60, 120, 10, "Tal: 1-120"},
}};

} // namespace

void ResetSeriesDefaults(EngineState& s) {
    s.SheetLeft = 60;
    s.StepsPerSeries = s.BasicMode ? 6 : 9;
    s.TypeTitles = s.BasicMode ? OperationTitles : LevelTitles;
}

void ApplyTypeSettings(EngineState& s) {
    assert(s.ExerciseType >= FirstExerciseType && s.ExerciseType <= LastExerciseType);
    ResetSeriesDefaults(s);
    s.MinOperand = 1;
    const std::int32_t type = s.ExerciseType;
    if (type >= 5 && type <= 16) {
        const SizeLevel& level = SizeLevels[static_cast<std::size_t>((type - 5) % 3)];
        s.Combined = (type >= 8 && type <= 10) || type >= 14;
        s.IntegerDivision = type >= 11;
        s.AnswerColumnX = s.Combined ? 500 : 300;
        s.StartSpan = level.StartSpan;
        s.StartMin = level.StartMin;
        s.AddBelow = level.AddBelow;
        s.SubtractAbove = level.SubtractAbove;
        s.MultiplyBelow = level.MultiplyBelow;
        s.MaxNumber = level.MaxNumber;
        s.MinOperand = level.MinOperand;
        s.SheetLeft = 60;
        s.RangeLabel = level.RangeLabel;
    } else if (type < 4) {
        // Basic mode never reads IntegerDivision, so it is left as it was.
        s.StartSpan = 10;
        s.StartMin = 4;
        s.SubtractAbove = 10;
        s.MultiplyBelow = 12;
        s.AnswerColumnX = 370;
        s.MaxNumber = 50;
        s.Combined = false;
        s.RangeLabel = "Tal: 1-50 ";
    } else {
        s.StartSpan = 60;
        s.StartMin = 34;
        s.SubtractAbove = 25;
        s.MultiplyBelow = 30;
        s.MaxNumber = 100;
        s.Combined = true;
        s.AnswerColumnX = 500;
        s.RangeLabel = "Tal: 1-100";
    }
}

std::string CurrentTypeTitle(const EngineState& s) {
    if (s.ExerciseType >= 11) {
        return s.TypeTitles[s.ExerciseType - 10].Title + std::string(IntegerDivisionSuffix);
    }
    if (s.BasicMode) {
        return s.TypeTitles[s.ExerciseType].Title;
    }
    return s.TypeTitles[s.ExerciseType - 4].Title;
}

} // namespace qx5
