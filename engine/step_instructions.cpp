// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/step_instructions.h"

#include "engine/operand_choice.h"
#include "engine/operation_choice.h"
#include "engine/program_texts.h"
#include "layout/sheet_layout.h"

#include <array>
#include <string>
#include <string_view>

namespace qx5 {

namespace {

std::string Phrase(const Vocabulary& words, std::int32_t op, const std::string& operand) {
    const Wording& w = words[static_cast<std::size_t>(op)];
    return std::string(w.Before) + operand + std::string(w.After);
}

// Division truncates toward zero, as C++ does; operands of a division are at least 2.
std::int32_t Apply(std::int32_t op, std::int32_t x, std::int32_t a) {
    switch (op) {
    case Addition:
        return x + a;
    case Subtraction:
        return x - a;
    case Multiplication:
        return x * a;
    default:
        return x / a;
    }
}

// Whether an addition reaching `sum` is shown reversed. Sums above the range always are;
// sums in the top 2 * MinOperand of it are on a coin toss, drawn only then.
bool ShowsReversed(const EngineState& s, RandomSource& random, std::int32_t sum) {
    if (sum > s.MaxNumber) {
        return true;
    }
    return sum > s.MaxNumber - 2 * s.MinOperand && random.Random() > 0.5;
}

} // namespace

void BuildSimpleStep(EngineState& s, RandomSource& random) {
    const std::int32_t x = s.CurrentNumber;
    const std::int32_t a = s.Operand;
    s.ExpectedResult = Apply(s.Operation, x, a);
    if (s.BasicMode) {
        s.InstructionText = Phrase(BasicWords, s.Operation, s.OperandText);
        return;
    }
    if (s.Operation == Addition && ShowsReversed(s, random, x + a)) {
        // "Subtract the number from the sum" leaves the addend.
        s.ExpectedResult = a;
        s.Operand = x + a;
        s.OperandText = std::to_string(s.Operand);
        s.InstructionText = std::string(ReversedAdditionWords) + s.OperandText;
        return;
    }
    s.InstructionText = Phrase(PlainWords, s.Operation, s.OperandText);
}

StepTrace ChooseSecondOperation(EngineState& s, RandomSource& random) {
    StepTrace trace;
    trace.Combined = true;
    for (;;) {
        // A reversed first part shows the sum; the addend is what was drawn.
        const std::int32_t drawnOperand = s.Operand;
        BuildSimpleStep(s, random);
        const std::int32_t intermediate = s.ExpectedResult;
        UpdateFeasibility(s, intermediate);
        // The second part comes from the other pair: {+, -} after {·, :} and vice versa.
        s.SecondOperation =
            s.Operation <= Subtraction ? Multiplication + random.Random(2) : random.Random(2);
        if (IsFeasible(s, s.SecondOperation)) {
            ChooseOperand(s, random, s.SecondOperation, intermediate, s.SecondOperand,
                          s.SecondOperandText);
            s.PreviousOperation = s.SecondOperation;
            s.PreviousOperand = s.SecondOperand;
            return trace;
        }
        if (trace.FirstOperandRedraws == MaxFirstOperandRedraws) {
            // Nothing fits after this many tries (and may never): keep the first part as a
            // simple step rather than search forever.
            s.SecondOperation = NoOperation;
            s.PreviousOperation = s.Operation;
            s.PreviousOperand = drawnOperand;
            trace.SecondPartGivenUp = true;
            return trace;
        }
        ++trace.FirstOperandRedraws;
        ChooseOperand(s, random, s.Operation, s.CurrentNumber, s.Operand, s.OperandText);
    }
}

void AppendSecondStep(EngineState& s) {
    if (s.SecondOperation == NoOperation) {
        return;
    }
    s.ExpectedResult = Apply(s.SecondOperation, s.ExpectedResult, s.SecondOperand);
    s.InstructionText += Phrase(SecondPartWords, s.SecondOperation, s.SecondOperandText);
}

StepTrace NextStep(EngineState& s, RandomSource& random, SheetCanvas& canvas) {
    StepTrace trace;
    ++s.StepIndex;
    s.Operation = Addition;
    ChooseOperation(s, random);
    ChooseOperand(s, random, s.Operation, s.CurrentNumber, s.Operand, s.OperandText);
    s.PreviousOperation = s.Operation;
    s.PreviousOperand = s.Operand;
    if (s.Combined && random.Random() > 0.5) {
        trace = ChooseSecondOperation(s, random);
        AppendSecondStep(s);
    } else {
        BuildSimpleStep(s, random);
    }
    DrawInstruction(canvas, s);
    return trace;
}

} // namespace qx5
