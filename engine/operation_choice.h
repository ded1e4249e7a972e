// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Which operations a number allows, and the random choice of a step's operation.
#pragma once

#include "engine/engine_state.h"
#include "engine/random_source.h"

namespace qx5 {

// Rebuilds Divisors[1..DivisorCount] with the divisors d of n, 2 <= d <= floor(sqrt(n)) + 1,
// ascending; entries above the count keep their old values. True when none was found.
bool FindDivisors(EngineState& s, std::int32_t n);

// Sets CanAdd, CanSubtract, CanMultiply and CanDivide for the number n under the current type.
void UpdateFeasibility(EngineState& s, std::int32_t n);

// The feasibility flag of an operation code (0..3).
bool IsFeasible(const EngineState& s, std::int32_t operation);

// Draws a feasible Operation for CurrentNumber with the type's probabilities;
// SecondOperation becomes NoOperation.
void ChooseOperation(EngineState& s, RandomSource& random);

} // namespace qx5
