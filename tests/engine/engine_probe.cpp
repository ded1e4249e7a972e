// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Links the engine, the sheet layout and the transcript alone, so a test can check that
// nothing in them pulls in Qt. It plays one series to the end on a canvas that draws nothing
// and builds its transcript.
#include "blank_sheet_canvas.h"
#include "engine/series_run.h"
#include "transcript/transcript.h"

#include <string>

int main() {
    qx5::EngineState s;
    s.ExerciseType = 5;
    qx5::MersenneRandomSource random(1);
    qx5::BlankSheetCanvas canvas;
    qx5::NewSeries(s, random, canvas);
    qx5::AnswerOutcome outcome = qx5::AnswerOutcome::AcceptedNextStep;
    while (outcome == qx5::AnswerOutcome::AcceptedNextStep) {
        outcome = qx5::SubmitAnswer(s, random, canvas, std::to_string(s.ExpectedResult)).Outcome;
    }
    qx5::Transcript transcript;
    qx5::BuildTranscript(s, "", transcript);
    return outcome == qx5::AnswerOutcome::AcceptedFinished && s.CorrectCount == 9 &&
                   transcript.size() == 21
               ? 0
               : 1;
}
