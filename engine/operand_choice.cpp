// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/operand_choice.h"

#include "engine/operation_choice.h"
#include "engine/type_settings.h"

#include <cmath>

namespace qx5 {

namespace {

std::int32_t DrawCandidate(const EngineState& s, RandomSource& random, std::int32_t op,
                           std::int32_t number) {
    switch (op) {
    case Addition:
        if (s.BasicMode) {
            // Additions grow through the series: the divisor runs from 7 down to 2.
            return random.Random(s.MaxNumber - number) / (8 - s.StepIndex) + s.MinOperand;
        }
        return random.Random(s.MaxNumber - number - s.MinOperand) + s.MinOperand;
    case Subtraction:
        return random.Random(number - s.MinOperand) + s.MinOperand;
    case Multiplication:
        // Multiplication is only feasible above 0; the guard keeps a stray 0 from dividing.
        return random.Random(number > 0 ? (s.MaxNumber - number) / number : 0) + 2;
    default: // Division
        if (!s.BasicMode && s.IntegerDivision) {
            return random.Random(static_cast<std::int32_t>(std::lround(number / 3.0))) + 2;
        }
        // The list as it stands: an empty one still yields entry 1 from an earlier build.
        return s.Divisors[random.Random(s.DivisorCount) + 1];
    }
}

bool PassesRangeTest(const EngineState& s, std::int32_t op, std::int32_t value) {
    // The type that brings in multiplication subtracts numbers up to 39 as well.
    return (op <= Subtraction && value > 0 && value < 21) ||
           (op >= Multiplication && value > 1 && value < 10) ||
           (TypeRow(s.ExerciseType).Settings.Operations == 3 && op == Subtraction && value > 1 &&
            value < 40);
}

bool Accepts(const EngineState& s, std::int32_t op, std::int32_t value) {
    if (s.BasicMode && !PassesRangeTest(s, op, value)) {
        return false;
    }
    // The no-undo test looks at the step's Operation, whatever op is.
    if (s.StepIndex > 1 && InverseOperation(s.Operation) == s.PreviousOperation &&
        value == s.PreviousOperand) {
        return false;
    }
    return value <= s.MaxNumber;
}

} // namespace

void ChooseOperand(EngineState& s, RandomSource& random, std::int32_t op, std::int32_t number,
                   std::int32_t& value, std::string& text) {
    std::int32_t candidate = DrawCandidate(s, random, op, number);
    while (!Accepts(s, op, candidate)) {
        ChooseOperation(s, random);
        op = s.Operation;
        candidate = DrawCandidate(s, random, op, number);
    }
    value = candidate;
    text = std::to_string(candidate);
}

} // namespace qx5
