// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/type_settings.h"

#include <cassert>

namespace qx5 {

namespace {

// The basic types' ranges (AddBelow unused), then the three size levels of the others.
constexpr NumberRange UpToFifty{10, 4, 0, 10, 12, 50, 1, "Tal: 1-50 "};
constexpr NumberRange UpToHundred{60, 34, 0, 25, 30, 100, 1, "Tal: 1-100"};
constexpr NumberRange Small{30, 10, 15, 10, 12, 40, 4, "Tal: 1-40"};
constexpr NumberRange Larger{50, 20, 40, 20, 40, 80, 7, "Tal: 1-80"};
constexpr NumberRange Largest{70, 20, 60, 30, 60, 120, 10, "Tal: 1-120"};

// Types 9, 10, 15 and 16 carry two blanks before "tal" in the menu, not in their titles.
// clang-format off
constexpr ExerciseType Types[] = {
    {1, 0, "1. (+) Kun plus ", "M11", " (+) Kun plus ",
     {true, 1, false, false, 370, &UpToFifty}},
    {2, 0, "2. (+,-) Plus og minus ", "M12", " (+,-) Plus og minus ",
     {true, 2, false, false, 370, &UpToFifty}},
    {3, 0, "3. (+,-,·) Plus, minus, gange", "M13", " (+,-,·) Plus, minus, gange ",
     {true, 3, false, false, 370, &UpToFifty}},
    {4, 0, "4. (+,-,·,:) Alle fire slags", "M14", " (+,-,·,:) Alle fire slags ",
     {true, 4, true, false, 500, &UpToHundred}},
    {5, 1, "5. Små tal, enkle opgaver", "N1Smtalenkleopgaver1", " Små tal, enkle opgaver",
     {false, 4, false, false, 300, &Small}},
    {6, 1, "6. Større tal, enkle opgaver", "N2Strretalenkleopgaver1", " Større tal, enkle opgaver",
     {false, 4, false, false, 300, &Larger}},
    {7, 1, "7. Endnu større tal, enkle opgaver", "N3Endnustrretalenkleopgaver1",
     " Endnu større tal, enkle opgaver", {false, 4, false, false, 300, &Largest}},
    {8, 1, "8. Små tal, kombinations-opgaver", "N4Smtalkombinationsopgaver1",
     " Små tal, kombinations-opgaver", {false, 4, true, false, 500, &Small}},
    {9, 1, "9. Større  tal, kombinations-opgaver", "N5Strretalkombinationsopgaver1",
     " Større tal, kombinations-opgaver", {false, 4, true, false, 500, &Larger}},
    {10, 1, "10. Endnu større  tal, kombinations-opgaver", "N6Endnustrretalkombinationsopgaver1",
     " Endnu større tal, kombinations-opgaver", {false, 4, true, false, 500, &Largest}},
    {11, 2, "11. Små tal, enkle opgaver", "N7Smtalenkleopgaver1", " Små tal, enkle opgaver",
     {false, 4, false, true, 300, &Small}},
    {12, 2, "12. Større tal, enkle opgaver", "N8Strretalenkleopgaver1",
     " Større tal, enkle opgaver", {false, 4, false, true, 300, &Larger}},
    {13, 2, "13. Endnu større tal, enkle opgaver", "N9Endnustrretalenkleopgaver1",
     " Endnu større tal, enkle opgaver", {false, 4, false, true, 300, &Largest}},
    {14, 2, "14. Små tal, kombinations-opgaver", "N10Smtalkombinationsopgaver1",
     " Små tal, kombinations-opgaver", {false, 4, true, true, 500, &Small}},
    {15, 2, "15. Større  tal, kombinations-opgaver", "N11Strretalkombinationsopgaver1",
     " Større tal, kombinations-opgaver", {false, 4, true, true, 500, &Larger}},
    {16, 2, "16. Endnu større  tal, kombinations-opgaver", "N12Endnustrretalkombinationsopgaver1",
     " Endnu større tal, kombinations-opgaver", {false, 4, true, true, 500, &Largest}},
};
// clang-format on

} // namespace

const std::span<const ExerciseType> ExerciseTypes(Types);

const ExerciseType& TypeRow(std::int32_t number) {
    assert(number >= FirstExerciseType && number <= LastExerciseType());
    const ExerciseType& row = ExerciseTypes[static_cast<std::size_t>(number - 1)];
    assert(row.Number == number);
    return row;
}

namespace {

// The values that depend only on the family (basic types or the others).
void ResetSeriesDefaults(EngineState& s) {
    s.SheetLeft = 60;
    s.StepsPerSeries = s.BasicMode ? 6 : 9;
    // The family's titles in menu order, the integer-division types' aside: the basic
    // types' with the slots after them empty, or the size levels'.
    s.TypeTitles = {};
    std::int32_t slot = 0;
    for (const ExerciseType& row : ExerciseTypes) {
        if (row.Settings.Basic == s.BasicMode && !row.Settings.IntegerDivision &&
            slot < TitleSlots) {
            s.TypeTitles[++slot].Title = row.Title;
        }
    }
}

} // namespace

void ApplyTypeSettings(EngineState& s) {
    const TypeSettings& type = TypeRow(s.ExerciseType).Settings;
    const NumberRange& range = *type.Range;
    s.BasicMode = type.Basic;
    ResetSeriesDefaults(s);
    s.Combined = type.Combined;
    s.AnswerColumnX = type.AnswerColumnX;
    s.StartSpan = range.StartSpan;
    s.StartMin = range.StartMin;
    s.SubtractAbove = range.SubtractAbove;
    s.MultiplyBelow = range.MultiplyBelow;
    s.MaxNumber = range.MaxNumber;
    s.MinOperand = range.MinOperand;
    s.RangeLabel = range.RangeLabel;
    // The basic family never reads these, so it leaves them as they were.
    if (!type.Basic) {
        s.IntegerDivision = type.IntegerDivision;
        s.AddBelow = range.AddBelow;
    }
}

std::string CurrentTypeTitle(const EngineState& s) {
    const ExerciseType& row = TypeRow(s.ExerciseType);
    std::string title(row.Title);
    if (row.Settings.IntegerDivision) {
        title += IntegerDivisionSuffix;
    }
    return title;
}

} // namespace qx5
