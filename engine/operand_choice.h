// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The random choice of an operand for a chosen operation.
#pragma once

#include "engine/engine_state.h"
#include "engine/random_source.h"

#include <string>

namespace qx5 {

// The operation that undoes op: addition <-> subtraction, multiplication <-> division.
constexpr std::int32_t InverseOperation(std::int32_t op) {
    return 4 * (op / 2) + 1 - op;
}

// Draws an operand for op applied to number into value (and its decimal text into text).
// A rejected candidate draws a new Operation (judged on CurrentNumber) and the search goes
// on for that operation with the same number.
void ChooseOperand(EngineState& s, RandomSource& random, std::int32_t op, std::int32_t number,
                   std::int32_t& value, std::string& text);

} // namespace qx5
