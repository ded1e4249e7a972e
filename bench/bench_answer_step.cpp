// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// One answered step in the real exercise window, with its drawing and the repaint it asks
// for, at 100 % and at 200 % zoom; each against a bare widget repainting the same area.
#include "painted_area.h"
#include "ratio_reporter.h"
#include "sheet/exercise_window.h"
#include "sheet/sheet_zoom.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

using namespace qx5;

namespace {

// The exercise window in a client area, as the main window holds it, at a zoom.
struct ExerciseWindow {
    EngineState state;
    MersenneRandomSource random{7};
    QWidget client;
    TForm2* form;

    explicit ExerciseWindow(int percent) {
        client.resize(1920, 1000); // a projector's screen, less the title and menu bars
        form = new TForm2(state, random, &client);
        (new QVBoxLayout(&client))->addWidget(form);
        client.show();
        state.ExerciseType = 9;
        form->ShowExerciseType();
        form->Zoom().SetPercent(percent);
        QCoreApplication::processEvents();
    }
    QWidget* PaintArea() const { return form->findChild<QWidget*>(QStringLiteral("PaintBox1")); }
    // One right answer, drawn and on the screen.
    void AnswerStep() {
        form->SubmitAnswer(QString::number(state.ExpectedResult));
        QCoreApplication::processEvents();
    }
};

void BM_AnsweredStep(benchmark::State& state) {
    ExerciseWindow window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.AnswerStep();
        if (window.state.SeriesFinished) {
            state.PauseTiming();
            window.form->NewSeries();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_AnsweredStep)->Arg(100)->Arg(200)->ArgName("zoom");

// A plain widget whose painting is one QPainter fill.
class BareView final : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), Qt::white);
    }
};

// Reference: the area the window repaints for its second step, repainted on a bare widget
// of the paint area's size through the same update and paint machinery.
void BM_Reference_BareRepaint(benchmark::State& state) {
    ExerciseWindow window(static_cast<int>(state.range(0)));
    PaintedArea painted;
    window.PaintArea()->installEventFilter(&painted);
    window.AnswerStep();
    window.PaintArea()->removeEventFilter(&painted);
    BareView bare;
    bare.resize(window.PaintArea()->size());
    bare.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        bare.update(painted.Area);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Reference_BareRepaint)->Arg(100)->Arg(200)->ArgName("zoom");

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    return qx5::bench::RunWithRatios(argc, argv, "BM_Reference_BareRepaint");
}
