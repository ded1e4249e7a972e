// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The chain exercise engine's single state record and the record of one answered step.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qx5 {

// Operation codes.
inline constexpr std::int32_t NoOperation = -1;
inline constexpr std::int32_t Addition = 0;
inline constexpr std::int32_t Subtraction = 1;
inline constexpr std::int32_t Multiplication = 2;
inline constexpr std::int32_t Division = 3;

// A fixed array indexed 1..N, as the engine's tables are numbered; an index outside
// that range is a programming error and is caught by the assertion in debug builds.
template <typename T, std::size_t N>
struct OneBased {
    std::array<T, N> Items{};

    T& operator[](std::int32_t i) {
        assert(i >= 1 && static_cast<std::size_t>(i) <= N);
        return Items[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](std::int32_t i) const {
        assert(i >= 1 && static_cast<std::size_t>(i) <= N);
        return Items[static_cast<std::size_t>(i - 1)];
    }
    static constexpr std::int32_t Size() { return static_cast<std::int32_t>(N); }
    bool operator==(const OneBased&) const = default;
};

// One exercise type's title.
struct opgavetype_def {
    std::string Title;
    bool operator==(const opgavetype_def&) const = default;
};

// The record of one answered step.
struct opgavelinier {
    std::string InstructionText;
    std::string NumberText;
    std::string OperandText;
    std::string AnswerText;
    std::string ExpectedText;
    std::int32_t Number{};
    std::int32_t Operand{};
    std::int32_t Answer{};
    std::int32_t Expected{};
    bool operator==(const opgavelinier&) const = default;
};

inline constexpr std::int32_t MaxSteps = 9;
inline constexpr std::int32_t DivisorCapacity = 25;
inline constexpr std::int32_t TitleSlots = 6;

// One instance lives for the whole run; everything starts at zero, empty or false.
struct EngineState {
    // Settings of the current exercise type.
    std::int32_t ExerciseType{};
    bool BasicMode{};
    bool Combined{};
    bool IntegerDivision{};
    std::int32_t StartSpan{};
    std::int32_t StartMin{};
    std::int32_t MaxNumber{};
    std::int32_t MinOperand{};
    std::int32_t AddBelow{};
    std::int32_t SubtractAbove{};
    std::int32_t MultiplyBelow{};
    std::int32_t StepsPerSeries{};
    std::int32_t AnswerColumnX{};
    std::int32_t SheetLeft{};
    std::string RangeLabel;
    OneBased<opgavetype_def, TitleSlots> TypeTitles;

    // The generator's working fields.
    bool CanAdd{};
    bool CanSubtract{};
    bool CanMultiply{};
    bool CanDivide{};
    std::int32_t DivisorCount{};
    OneBased<std::int32_t, DivisorCapacity> Divisors;

    // The running series.
    std::int32_t CurrentNumber{};
    std::int32_t StartNumber{};
    std::int32_t StepIndex{};
    std::int32_t Operation{};
    std::int32_t Operand{};
    std::string OperandText;
    std::int32_t SecondOperation{};
    std::int32_t SecondOperand{};
    std::string SecondOperandText;
    std::int32_t PreviousOperation{};
    std::int32_t PreviousOperand{};
    std::int32_t ExpectedResult{};
    std::string InstructionText;
    std::string AnswerText;
    std::int32_t CorrectCount{};
    bool RestartRequested{};
    OneBased<opgavelinier, MaxSteps> StepRecords;
    // Set by the last answer, cleared by the next series: a finished series takes no more
    // answers, and only a finished series has a transcript.
    bool SeriesFinished{};

    bool operator==(const EngineState&) const = default;
};

} // namespace qx5
