// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast one step is drawn on the sheet: its instruction and its answer.
#include "engine/type_settings.h"
#include "layout/sheet_layout.h"
#include "ratio_reporter.h"
#include "sheet/image_sheet_canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

using namespace qx5;

namespace {

EngineState SeriesOfType9() {
    EngineState s;
    s.ExerciseType = 9;
    ApplyTypeSettings(s);
    s.CurrentNumber = 24;
    return s;
}

// Reference: the same two texts drawn with bare QPainter calls on an image of the same
// size, each in its own painting pass, without the sheet's cells and layout.
void BM_Reference_TwoPlainTexts(benchmark::State& state) {
    QImage image(1024, 431, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QFont font("Times New Roman");
    font.setPointSize(14);
    const QString instruction = QStringLiteral("Gang med 3 og læg 2 til");
    const QString answer = QStringLiteral("   74");
    const auto drawBoth = [&] {
        for (const auto& [x, text] : {std::pair{80, instruction}, std::pair{500, answer}}) {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::blue);
            painter.drawText(x, 120, text);
        }
    };
    drawBoth(); // the font's first loading is not part of a step
    for (auto _ : state) {
        drawBoth();
    }
}
BENCHMARK(BM_Reference_TwoPlainTexts);

// DrawInstruction and DrawAnswer on the real canvas, row by row through a series.
void BM_DrawStep(benchmark::State& state) {
    ImageSheetCanvas canvas;
    canvas.Resize(1024, 410);
    EngineState s = SeriesOfType9();
    ClearSheet(canvas);
    DrawSeriesStart(canvas, s, CurrentTypeTitle(s));
    s.InstructionText = "Gang med 3 og læg 2 til";
    std::int32_t step = 0;
    for (auto _ : state) {
        s.StepIndex = step + 1;
        DrawInstruction(canvas, s);
        DrawAnswer(canvas, s, "74");
        step = (step + 1) % s.StepsPerSeries;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawStep);

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display; fonts still come from fontconfig.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    return qx5::bench::RunWithRatios(argc, argv, "BM_Reference_TwoPlainTexts");
}
