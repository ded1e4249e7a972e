// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sixteen exercise types: their settings, titles and menu captions.
#pragma once

#include "engine_state.h"

#include <string>
#include <string_view>

namespace qx5 {

inline constexpr std::int32_t FirstExerciseType = 1;
inline constexpr std::int32_t LastExerciseType = 16;

// Titles of the size levels (types 5-16) and of the operation sets (types 1-4).
extern const OneBased<opgavetype_def, TitleSlots> LevelTitles;
extern const OneBased<opgavetype_def, TitleSlots> OperationTitles;
inline constexpr std::string_view IntegerDivisionSuffix = " med heltalsdivision";

// The type menu's captions by type number, and its two group labels.
extern const OneBased<std::string_view, LastExerciseType> TypeMenuCaptions;
inline constexpr std::string_view EvenDivisionGroupLabel = "Divisioner går op:";
inline constexpr std::string_view IntegerDivisionGroupLabel = "Ved division smides resten væk:";

// Sets the values that depend only on the family (basic types 1-4 or the others).
void ResetSeriesDefaults(EngineState& s);
// Writes every setting of the type in s.ExerciseType (1..16); s.BasicMode must be set.
void ApplyTypeSettings(EngineState& s);
// The title of the current type; valid after ApplyTypeSettings.
std::string CurrentTypeTitle(const EngineState& s);

} // namespace qx5
