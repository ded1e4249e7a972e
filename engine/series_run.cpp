// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/series_run.h"

#include "engine/type_settings.h"
#include "layout/sheet_layout.h"

#include <charconv>
#include <string>

namespace qx5 {

StepTrace NewSeries(EngineState& s, RandomSource& random, SheetCanvas& canvas) {
    ClearSheet(canvas);
    s.StepIndex = 0;
    s.SeriesFinished = false;
    s.CorrectCount = 0;
    s.PreviousOperation = NoOperation;
    ApplyTypeSettings(s);
    return StartSeries(s, random, canvas);
}

StepTrace StartSeries(EngineState& s, RandomSource& random, SheetCanvas& canvas) {
    const std::string title = CurrentTypeTitle(s);
    s.CurrentNumber = s.RestartRequested ? s.StartNumber : s.StartMin + random.Random(s.StartSpan);
    s.StartNumber = s.CurrentNumber;
    DrawSeriesStart(canvas, s, title);
    return NextStep(s, random, canvas);
}

std::optional<std::int32_t> ParseAnswer(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars takes no sign of its own here, so "+-5" stays invalid.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (negative && value != 0) {
        return std::nullopt;
    }
    return value;
}

std::int32_t AnswerBound(const EngineState& s) {
    // Addition only: the numbers may only grow to 7 below the top by the end of the series.
    if (TypeRow(s.ExerciseType).Settings.Operations == 1) {
        return s.MaxNumber - 7 + s.StepIndex;
    }
    return s.MaxNumber;
}

AnswerResult SubmitAnswer(EngineState& s, RandomSource& random, SheetCanvas& canvas,
                          std::string_view typed) {
    const std::optional<std::int32_t> answer = ParseAnswer(typed);
    // Before any series, and after its last answer, there is no step to record it in.
    if (!answer || s.SeriesFinished || s.StepIndex < 1 || s.StepIndex > s.StepsPerSeries) {
        return {AnswerOutcome::Ignored, {}};
    }
    if (*answer > AnswerBound(s)) {
        return {AnswerOutcome::TooLarge, {}};
    }
    const std::int32_t v = *answer;
    s.AnswerText = std::string(typed);
    opgavelinier& record = s.StepRecords[s.StepIndex];
    record.InstructionText = s.InstructionText;
    record.Number = s.CurrentNumber;
    record.NumberText = std::to_string(s.CurrentNumber);
    record.Operand = s.Operand;
    record.OperandText = std::to_string(s.Operand);
    record.AnswerText = s.AnswerText;
    record.Expected = s.ExpectedResult;
    record.ExpectedText = std::to_string(s.ExpectedResult);
    record.Answer = v;

    // The chain goes on from what the pupil typed, right or wrong.
    s.CurrentNumber = v;
    if (v == s.ExpectedResult) {
        ++s.CorrectCount;
    }
    DrawAnswer(canvas, s, typed);

    if (s.StepIndex < s.StepsPerSeries) {
        return {AnswerOutcome::AcceptedNextStep, NextStep(s, random, canvas)};
    }
    FinishSeries(canvas, s);
    s.SeriesFinished = true;
    return {AnswerOutcome::AcceptedFinished, {}};
}

} // namespace qx5
