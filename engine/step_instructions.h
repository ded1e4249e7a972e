// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// One step of a series: its operation and operand, the choice of a combined step, the
// Danish instruction the pupil reads and the number the pupil must type.
#pragma once

#include "engine/engine_state.h"
#include "engine/random_source.h"
#include "layout/sheet_canvas.h"

#include <cstdint>

namespace qx5 {

// How often a combined step may draw a new first operand while no second operation fits
// its intermediate result; some numbers (97 from 96 + 1 in type 4) fit none at all.
inline constexpr std::int32_t MaxFirstOperandRedraws = 100;

// How a step came about; the series run passes it on for tests and measurements.
struct StepTrace {
    bool Combined = false;                // the combined-step draw came out above 0.5
    std::int32_t FirstOperandRedraws = 0; // new first operands drawn for a second part
    bool SecondPartGivenUp = false;       // no second part fitted; the step stayed simple
};

// Generates the next step (StepIndex + 1) for CurrentNumber and draws its instruction.
StepTrace NextStep(EngineState& s, RandomSource& random, SheetCanvas& canvas);

// InstructionText and ExpectedResult of Operation with Operand applied to CurrentNumber.
// Outside the basic types an addition near the top of the range may become "Træk tallet
// fra" the sum, which rewrites Operand and OperandText to the sum.
void BuildSimpleStep(EngineState& s, RandomSource& random);

// Builds the first part of a combined step and chooses its second operation and operand,
// drawing new first operands until a second operation fits the intermediate result.
StepTrace ChooseSecondOperation(EngineState& s, RandomSource& random);

// Applies the second part to ExpectedResult and appends it to InstructionText.
void AppendSecondStep(EngineState& s);

} // namespace qx5
