// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast a 23-line transcript becomes a PDF file through the program's printing code (a
// PDF printer, its metrics, the page choice, a save file put in place when complete), as a
// multiple of a bare QPdfWriter and QPainter drawing the same lines into a file.
#include "common/program_fonts.h"
#include "common/qt_text.h"
#include "output/transcript_printing.h"
#include "ratio_reporter.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

using namespace qx5;

namespace {

// A finished type-14 series with a heading, as the transcript lays it out.
Transcript TwentyThreeLines() {
    Transcript t{"Ida Hansen",
                 " ",
                 "QX5:  Rurudovorir",
                 " ",
                 "Type 14:  Små tal, kombinations-opgaver med heltalsdivision",
                 " ",
                 "Udgangstal:   27",
                 " "};
    for (int step = 1; step <= 9; ++step) {
        t.push_back("Gang med 3 og læg " + std::to_string(step) + " til            " +
                    std::to_string(80 + step));
        if (step % 3 == 0 && step < 9) {
            t.push_back(" ");
        }
    }
    for (const char* line : {" ", "9 rigtige af 9.", " ", " "}) {
        t.push_back(line);
    }
    return t;
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

// Reference: the same lines at the same places, with bare Qt calls.
void BM_Reference_BarePdfWriter(benchmark::State& state) {
    const Transcript lines = TwentyThreeLines();
    const QFont font = TranscriptFont();
    const QString path = Folder().filePath(QStringLiteral("bare.pdf"));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        QPainter painter(&writer);
        painter.setFont(font);
        const QFontMetrics metrics(font, &writer);
        int y = 1200 + metrics.ascent();
        for (const std::string& line : lines) {
            painter.drawText(600, y, ToQString(line));
            y += metrics.height();
        }
        painter.end();
        file.close();
    }
}
BENCHMARK(BM_Reference_BarePdfWriter)->Unit(benchmark::kMillisecond);

void BM_PrintTranscriptPages(benchmark::State& state) {
    const Transcript lines = TwentyThreeLines();
    const QFont font = TranscriptFont();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Folder().filePath(QStringLiteral("program.pdf")));
    for (auto _ : state) {
        if (PrintTranscriptPages(printer, font, lines) != PrintOutcome::Printed) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
}
BENCHMARK(BM_PrintTranscriptPages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display; fonts still come from fontconfig.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    return qx5::bench::RunWithRatios(argc, argv, "BM_Reference_BarePdfWriter");
}
