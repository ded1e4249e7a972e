// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The run of one series: its start, the pupil's answers, the record and the score.
// The engine knows no windows; it tells the exercise window what became of an answer and
// the window hides or shows its answer box, its buttons and its message.
#pragma once

#include "engine/engine_state.h"
#include "engine/random_source.h"
#include "engine/step_instructions.h"
#include "layout/sheet_canvas.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace qx5 {

// Clears the sheet, resets the series, applies the settings of ExerciseType and starts a
// series. RestartRequested, set by the caller, replays StartNumber.
StepTrace NewSeries(EngineState& s, RandomSource& random, SheetCanvas& canvas);

// Chooses the start number (fresh, or StartNumber again on a restart), draws the header,
// start line and box, and generates step 1.
StepTrace StartSeries(EngineState& s, RandomSource& random, SheetCanvas& canvas);

// Optional leading blanks, an optional sign, then digits only. Numbers a chain cannot go
// on from are not answers: those below 0 and those beyond 32 bits.
std::optional<std::int32_t> ParseAnswer(std::string_view text);

// The largest answer accepted at the current step.
std::int32_t AnswerBound(const EngineState& s);

enum class AnswerOutcome {
    Ignored,          // not a number, or no step open (none yet, or the series finished)
    TooLarge,         // above AnswerBound; nothing changed, the pupil is to be told
    AcceptedNextStep, // recorded and drawn; the next step is drawn
    AcceptedFinished, // recorded and drawn; the series is finished and scored
};

struct AnswerResult {
    AnswerOutcome Outcome;
    StepTrace Step; // how the next step came about, after AcceptedNextStep
};

// Checks, records and scores the answer typed for the current step, then generates the
// next step or finishes the series.
AnswerResult SubmitAnswer(EngineState& s, RandomSource& random, SheetCanvas& canvas,
                          std::string_view typed);

} // namespace qx5
