// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's engine beside the browser test: it plays what the page is asked to play,
// from the same seed, and answers each command with its state as JSON, one line; given a
// picture of the page's finished sheet, it answers with what breaks the desktop's pixel rules;
// given what was typed as the heading (UTF-8 in hex), with the desktop's copy and PDF name.
//
//   seed <n> | type <t> | new | restart | previous | next | answer <text>
//   check <png> <row height> <least blue contrast> [device pixels a pixel]
//   output <heading in hex> <year> <month> <day> <hour> <minute>
#include "blank_sheet_canvas.h"
#include "engine/series_run.h"
#include "engine/type_settings.h"
#include "layout/sheet_contrast.h"
#include "output/transcript_memo.h"
#include "sheet_pixels.h"
#include "transcript/heading_text.h"
#include "transcript/transcript.h"
#include "web/page_state.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

using namespace qx5;

namespace {

// Rows measured at the browser's line height.
class RowCanvas final : public SheetCanvas {
public:
    explicit RowCanvas(int height)
        : height_(height) {}
    void TextOut(std::int32_t, std::int32_t, std::string_view) override {}
    std::int32_t TextWidth(std::string_view) const override { return 0; }
    std::int32_t TextHeight(std::string_view) const override { return height_; }
    void Rectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void FillAll() override {}
    void Resize(std::int32_t, std::int32_t) override {}
    std::int32_t Width() const override { return 0; }
    std::int32_t Height() const override { return 0; }

private:
    int height_;
};

Colour ToColour(const QColor& c) {
    return static_cast<Colour>(c.red() | c.green() << 8 | c.blue() << 16);
}

QStringList PictureFaults(const EngineState& s, const QString& file, int rowHeight,
                          double blueContrast, int scale) {
    const QImage image(file);
    if (image.isNull()) {
        return {"cannot read " + file};
    }
    const RowCanvas rows(rowHeight);
    // The sheet's top-left corner is never drawn on: the background.
    const QColor background = image.pixelColor(0, 0);
    QStringList faults = test::FinishedSheetFaults(
        s, {[&image, scale](int x, int y) { return image.pixelColor(x * scale, y * scale); },
            background, [&rows](int row) { return RowY(rows, row); }, rowHeight});
    if (ContrastRatio(Blue, ToColour(background)) < blueContrast ||
        ContrastRatio(Red, ToColour(background)) < RedContrastNeeded) {
        faults << "blue or red hard to read on " + background.name();
    }
    return faults;
}

// The plain text the desktop's hidden text box puts on the clipboard, and the PDF name.
std::string Output(const EngineState& s, std::istringstream& words) {
    std::string hex;
    CalendarMinute when;
    words >> hex >> when.Year >> when.Month >> when.Day >> when.Hour >> when.Minute;
    std::string typed;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        typed += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    const std::string heading = HeadingText(typed);
    Transcript lines;
    BuildTranscript(s, heading, lines);
    TranscriptMemo().CopyLines(lines);
    return "{\"Plain\":" +
           JsonString(QGuiApplication::clipboard()->mimeData()->text().toStdString()) +
           ",\"PdfName\":" + JsonString(ProposedPdfName(heading, s.ExerciseType, when)) + "}";
}

} // namespace

int main(int argc, char** argv) {
    // The clipboard of the process itself, wherever the test runs.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    EngineState s;
    MersenneRandomSource random;
    BlankSheetCanvas canvas;
    const auto newSeries = [&](bool restart) {
        s.RestartRequested = restart;
        NewSeries(s, random, canvas);
    };
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        std::string argument;
        words >> command;
        std::getline(words >> std::ws, argument);
        if (command == "check") {
            std::istringstream check(argument);
            std::string file;
            int rowHeight = 0;
            double blueContrast = 0;
            int scale = 1;
            check >> file >> rowHeight >> blueContrast >> scale;
            const QStringList faults = PictureFaults(s, QString::fromStdString(file), rowHeight,
                                                     blueContrast, std::max(scale, 1));
            std::cout << (faults.isEmpty() ? "ok" : faults.join("; ").toStdString()) << std::endl;
            continue;
        }
        if (command == "output") {
            std::istringstream output(argument);
            std::cout << Output(s, output) << std::endl;
            continue;
        }
        if (command == "seed") {
            random.Reseed(static_cast<std::uint32_t>(std::stoul(argument)));
        } else if (command == "type") {
            s.ExerciseType = std::stoi(argument);
            newSeries(false);
        } else if (command == "new" || command == "restart") {
            newSeries(command == "restart");
        } else if (command == "previous" || command == "next") {
            const int type = s.ExerciseType + (command == "next" ? 1 : -1);
            if (type >= FirstExerciseType && type <= LastExerciseType()) {
                s.ExerciseType = type;
                newSeries(false);
            }
        } else if (command == "answer") {
            SubmitAnswer(s, random, canvas, argument);
        } else {
            std::cerr << "engine_reference: unknown command " << command << '\n';
            return 2;
        }
        std::cout << StateJson(s) << std::endl;
    }
    return 0;
}
