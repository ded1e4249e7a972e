// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transcript/transcript.h"

#include "engine/program_texts.h"
#include "engine/type_settings.h"
#include "engine/utf8_text.h"
#include "layout/sheet_layout.h"

#include <algorithm>
#include <cstddef>

namespace qx5 {

namespace {

inline constexpr const char* BlankLine = " ";
inline constexpr std::size_t MaxFill = 34;
inline constexpr std::size_t SimpleColumn = 25;
inline constexpr std::size_t CombinedColumn = 35;

std::size_t AnswerColumn(const EngineState& state) {
    return state.Combined ? CombinedColumn : SimpleColumn;
}

std::string StepLine(const opgavelinier& step, std::size_t column) {
    const std::size_t length = CharacterCount(step.InstructionText);
    const std::size_t fill = length < column ? std::min(column - length, MaxFill) : 0;
    std::string line = step.InstructionText + std::string(fill, ' ') + PadNumber(step.AnswerText);
    if (step.Answer != step.Expected) {
        line += std::string(ShouldHaveBeen.Before) + step.ExpectedText +
                std::string(ShouldHaveBeen.After);
    }
    return line;
}

} // namespace

void BuildTranscript(const EngineState& state, std::string_view printHeading,
                     Transcript& transcript) {
    transcript.clear();
    // std::string compares bytes as unsigned characters: "" and " " give no heading.
    if (printHeading > std::string_view(" ")) {
        transcript.emplace_back(printHeading);
        transcript.emplace_back(BlankLine);
    }
    transcript.emplace_back(TranscriptTitle);
    transcript.emplace_back(BlankLine);
    const std::size_t column = AnswerColumn(state);
    transcript.push_back(std::string(TranscriptTypeWord) + std::to_string(state.ExerciseType) +
                         ": " + CurrentTypeTitle(state));
    transcript.emplace_back(BlankLine);
    transcript.push_back(std::string(StartNumberLabel) + state.StepRecords[1].NumberText);
    transcript.emplace_back(BlankLine);
    for (std::int32_t i = 1; i <= state.StepsPerSeries; ++i) {
        transcript.push_back(StepLine(state.StepRecords[i], column));
        if (i % 3 == 0 && i < state.StepsPerSeries) {
            transcript.emplace_back(BlankLine);
        }
    }
    transcript.emplace_back(BlankLine);
    transcript.push_back(ScoreText(state.CorrectCount, state.StepsPerSeries));
    transcript.emplace_back(BlankLine);
    transcript.emplace_back(BlankLine);
}

Transcript ResultLines(const EngineState& state) {
    Transcript lines{ScoreText(state.CorrectCount, state.StepsPerSeries)};
    for (std::int32_t i = 1; i <= state.StepsPerSeries; ++i) {
        const opgavelinier& step = state.StepRecords[i];
        if (step.Answer != step.Expected) {
            lines.push_back(StepLine(step, AnswerColumn(state)));
        }
    }
    return lines;
}

} // namespace qx5
