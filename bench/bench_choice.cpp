// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast a step's operation and operand are chosen, per exercise type.
#include "engine/operand_choice.h"
#include "engine/operation_choice.h"
#include "engine/type_settings.h"
#include "ratio_reporter.h"

#include <random>
#include <vector>

using namespace qx5;

namespace {

// Reference: two plain draws from the same kind of generator, the least a choice can cost.
void BM_Reference_TwoDraws(benchmark::State& state) {
    MersenneRandomSource random(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(random.Random(50));
        benchmark::DoNotOptimize(random.Random());
    }
}
BENCHMARK(BM_Reference_TwoDraws);

// ChooseOperation + ChooseOperand for every number the type can reach, in turn.
void BM_ChooseOperationAndOperand(benchmark::State& state) {
    EngineState s;
    s.ExerciseType = static_cast<std::int32_t>(state.range(0));
    ApplyTypeSettings(s);
    const std::int32_t highest = s.ExerciseType == 1 ? s.MaxNumber - 1 : s.MaxNumber;
    MersenneRandomSource random(2);
    std::int32_t number = 0;
    std::int32_t step = 0;
    for (auto _ : state) {
        s.CurrentNumber = number;
        s.StepIndex = step + 1;
        s.PreviousOperation = NoOperation;
        ChooseOperation(s, random);
        ChooseOperand(s, random, s.Operation, s.CurrentNumber, s.Operand, s.OperandText);
        benchmark::DoNotOptimize(s.Operand);
        number = number == highest ? 0 : number + 1;
        step = (step + 1) % s.StepsPerSeries;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChooseOperationAndOperand)->DenseRange(1, 16)->ArgName("type");

} // namespace

int main(int argc, char** argv) {
    return qx5::bench::RunWithRatios(argc, argv, "BM_Reference_TwoDraws");
}
