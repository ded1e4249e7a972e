// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/operation_choice.h"

#include "engine/type_settings.h"

#include <cassert>
#include <cstdint>

namespace qx5 {

bool FindDivisors(EngineState& s, std::int32_t n) {
    std::int32_t count = 0;
    if (n > 0) {
        std::int64_t d = 1;
        do {
            ++d;
            if (n % d == 0) {
                // Numbers in play never exceed 120, which has 7 listed divisors; a far
                // larger number is a programming error and must not write past the list.
                assert(count < DivisorCapacity);
                if (count == DivisorCapacity) {
                    break;
                }
                ++count;
                s.Divisors[count] = static_cast<std::int32_t>(d);
            }
        } while (n >= d * d);
    }
    s.DivisorCount = count;
    return count == 0;
}

void UpdateFeasibility(EngineState& s, std::int32_t n) {
    if (s.BasicMode) {
        const std::int32_t operations = TypeRow(s.ExerciseType).Settings.Operations;
        s.CanAdd = n < s.MaxNumber;
        s.CanSubtract = n > s.SubtractAbove && operations > Subtraction;
        s.CanMultiply = n < s.MultiplyBelow && n > 0 && operations > Multiplication;
        s.CanDivide = !FindDivisors(s, n) && n > 10 && operations > Division;
        return;
    }
    s.CanAdd = n < s.AddBelow;
    s.CanSubtract = n > s.SubtractAbove;
    s.CanMultiply = n < s.MultiplyBelow && n > 0;
    // Any divisor will do when the remainder is dropped; the list is left alone then.
    s.CanDivide = (s.IntegerDivision || !FindDivisors(s, n)) && n > 10;
}

bool IsFeasible(const EngineState& s, std::int32_t operation) {
    switch (operation) {
    case Addition:
        return s.CanAdd;
    case Subtraction:
        return s.CanSubtract;
    case Multiplication:
        return s.CanMultiply;
    case Division:
        return s.CanDivide;
    default:
        return false;
    }
}

namespace {

// One pass of drawing in basic mode, from the type's first operations; each draw is made
// only when it is reached.
std::int32_t DrawBasicOperation(std::int32_t operations, RandomSource& random) {
    switch (operations) {
    case 2:
        return random.Random() < 0.6 ? Subtraction : Addition;
    case 3:
        if (random.Random() < 0.6) {
            return Multiplication;
        }
        return random.Random() < 0.6 ? Subtraction : Addition;
    case 4:
        if (random.Random() < 0.7) {
            return random.Random() < 0.6 ? Division : Multiplication;
        }
        return random.Random() < 0.6 ? Subtraction : Addition;
    default: // addition only, no draw
        return Addition;
    }
}

} // namespace

void ChooseOperation(EngineState& s, RandomSource& random) {
    UpdateFeasibility(s, s.CurrentNumber);
    const std::int32_t operations = TypeRow(s.ExerciseType).Settings.Operations;
    do {
        s.Operation = s.BasicMode ? DrawBasicOperation(operations, random) : random.Random(4);
    } while (!IsFeasible(s, s.Operation));
    s.SecondOperation = NoOperation;
}

} // namespace qx5
