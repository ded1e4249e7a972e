// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast whole series are played, per exercise type, with every answer right: on the
// real QImage sheet and on a canvas that draws nothing (the engine's own share).
#include "blank_sheet_canvas.h"
#include "engine/series_run.h"
#include "ratio_reporter.h"
#include "sheet/image_sheet_canvas.h"

#include <QGuiApplication>
#include <QPainter>

#include <string>

using namespace qx5;

namespace {

// Reference: the nine instructions and answers of a series drawn with bare QPainter text
// calls on an image of the sheet's size: the drawing a series cannot do without.
void BM_Reference_NineTextPairs(benchmark::State& state) {
    QImage image(1024, 431, QImage::Format_RGB32);
    image.fill(Qt::white);
    QFont font("Times New Roman");
    font.setPointSize(14);
    const QString instruction = QStringLiteral("Gang med 3 og læg 2 til");
    const QString answer = QStringLiteral("   74");
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::blue);
        for (int row = 0; row < 9; ++row) {
            painter.drawText(80, 120 + 24 * row, instruction);
            painter.drawText(500, 120 + 24 * row, answer);
        }
    }
}
BENCHMARK(BM_Reference_NineTextPairs);

// NewSeries and a right answer to every step; items are steps.
void PlaySeries(benchmark::State& state, SheetCanvas& canvas) {
    EngineState s;
    s.ExerciseType = static_cast<std::int32_t>(state.range(0));
    MersenneRandomSource random(3);
    std::int64_t steps = 0;
    for (auto _ : state) {
        NewSeries(s, random, canvas);
        while (SubmitAnswer(s, random, canvas, std::to_string(s.ExpectedResult)).Outcome ==
               AnswerOutcome::AcceptedNextStep) {
        }
        steps += s.StepsPerSeries;
    }
    state.SetItemsProcessed(steps);
}

void BM_SeriesBlank(benchmark::State& state) {
    BlankSheetCanvas canvas;
    canvas.Resize(1024, 431);
    PlaySeries(state, canvas);
}
BENCHMARK(BM_SeriesBlank)->DenseRange(1, 16)->ArgName("type");

void BM_SeriesDrawn(benchmark::State& state) {
    ImageSheetCanvas canvas;
    canvas.Resize(1024, 431);
    PlaySeries(state, canvas);
}
BENCHMARK(BM_SeriesDrawn)->DenseRange(1, 16)->ArgName("type");

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display; fonts still come from fontconfig.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    return qx5::bench::RunWithRatios(argc, argv, "BM_Reference_NineTextPairs");
}
