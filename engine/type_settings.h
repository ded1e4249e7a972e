// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise types, one row each: the menu's caption and group, the title and the
// settings. The desktop's menu and the page's enumerate the table; a new type is a new row.
#pragma once

#include "engine/engine_state.h"

#include <span>
#include <string>
#include <string_view>

namespace qx5 {

// The numbers a type's series works in, shared by the types of one size level.
struct NumberRange {
    std::int32_t StartSpan, StartMin, AddBelow, SubtractAbove, MultiplyBelow, MaxNumber, MinOperand;
    std::string_view RangeLabel; // the tool bar's label
};

// The basic family draws from the first Operations of +, -, · and :, in six steps; the
// others from all four, in nine, and never read AddBelow or IntegerDivision.
struct TypeSettings {
    bool Basic;
    std::int32_t Operations;
    bool Combined, IntegerDivision; // steps of two operations; divisions dropping the remainder
    std::int32_t AnswerColumnX;
    const NumberRange* Range;
};

// The menu's groups, in order: each after the first comes after a separator and its label.
struct TypeGroup {
    std::string_view Label; // "" for none
    const char* ObjectName;
};
inline constexpr TypeGroup TypeGroups[] = {
    {"", ""},
    {"Divisioner går op:", "Divisionergrop1"},
    {"Ved division smides resten væk:", "Veddivisionsmidesrestenvk1"}};

struct ExerciseType {
    std::int32_t Number;
    std::int32_t Group; // index in TypeGroups
    std::string_view Caption;
    const char* ObjectName; // the menu item's
    std::string_view Title; // the sheet's and the transcript's, without IntegerDivisionSuffix
    TypeSettings Settings;
};

// Every type, in number order from 1, which is the menu's.
extern const std::span<const ExerciseType> ExerciseTypes;
inline constexpr std::string_view IntegerDivisionSuffix = " med heltalsdivision";

inline constexpr std::int32_t FirstExerciseType = 1;
inline std::int32_t LastExerciseType() {
    return static_cast<std::int32_t>(ExerciseTypes.size());
}
// The row of a type number from 1 to LastExerciseType().
const ExerciseType& TypeRow(std::int32_t number);

// Writes every setting of the type in s.ExerciseType and its family into s.BasicMode.
void ApplyTypeSettings(EngineState& s);
// The title of the current type.
std::string CurrentTypeTitle(const EngineState& s);

} // namespace qx5
