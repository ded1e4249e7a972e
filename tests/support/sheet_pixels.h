// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The pixel rules of a finished sheet, for any picture of it: the desktop's QImage canvas
// and the browser's canvas alike. Coordinates are the sheet's logical pixels.
#pragma once

#include "engine/engine_state.h"
#include "layout/sheet_layout.h"

#include <QColor>
#include <QRect>
#include <QStringList>

#include <functional>

namespace qx5::test {

inline bool IsRed(const QColor& c) {
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}
inline bool IsBlue(const QColor& c) {
    return c.blue() > 200 && c.red() < 80 && c.green() < 80;
}

struct SheetPicture {
    std::function<QColor(int x, int y)> At;
    QColor Background;
    std::function<int(int row)> RowY; // as the sheet measured its rows
    int RowHeight;                    // the body font's line height

    bool Any(const QRect& area, const std::function<bool(const QColor&)>& test) const {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (test(At(x, y))) {
                    return true;
                }
            }
        }
        return false;
    }
    // The leftmost column of the area with a pixel that passes the test; -1 if none.
    int Leftmost(const QRect& area, const std::function<bool(const QColor&)>& test) const {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (Any(QRect(x, area.top(), 1, area.height()), test)) {
                return x;
            }
        }
        return -1;
    }
};

struct Pixel {
    int X, Y;
    QColor Expected;
};

// The framed box: its black outline in the first and last columns and rows, white inside,
// a white margin of 4 pixels on every side, then the background. An empty box (nothing
// drawn in it yet) is white in its middle too.
inline std::vector<Pixel> BoxPixels(const EngineState& s, const SheetPicture& p,
                                    bool empty = false) {
    const int d = BoxShift(s.BasicMode);
    const int left = s.SheetLeft;
    const int right = s.AnswerColumnX + 70; // exclusive
    const int top = 90 + d;
    const int bottom = p.RowY(s.StepsPerSeries + 1) + d; // exclusive
    const int middleX = (left + right) / 2;
    const int middleY = (top + bottom) / 2;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    std::vector<Pixel> pixels = {
        {left, top, black},
        {right - 1, bottom - 1, black},
        {left, middleY, black},
        {right - 1, middleY, black},
        {middleX, top, black},
        {middleX, bottom - 1, black},
        {left + 1, top + 1, white},
        {right - 2, bottom - 2, white},
        {right, middleY, white},
        {right + 3, middleY, white},
        {right + 4, middleY, p.Background},
        {left - 1, middleY, white},
        {left - 4, middleY, white},
        {left - 5, middleY, p.Background},
        {middleX, top - 1, white},
        {middleX, top - 4, white},
        {middleX, top - 5, p.Background},
        {middleX, bottom, white},
        {middleX, bottom + 3, white},
        {middleX, bottom + 4, p.Background},
    };
    if (empty) {
        pixels.push_back({middleX, middleY, white});
    }
    return pixels;
}

// What differs from the rules in the picture of the finished series in s: the header, the
// start line, the box, each row's instruction and answer (red where wrong), the marks
// beside the wrong ones only, and the score line. Empty when the picture keeps them all.
inline QStringList FinishedSheetFaults(const EngineState& s, const SheetPicture& p) {
    QStringList faults;
    const auto expect = [&faults](bool holds, const QString& what) {
        if (!holds) {
            faults << what;
        }
    };
    const int h = p.RowHeight;
    expect(p.Any(QRect(20, 20, 300, 20), IsRed), "no red header");
    expect(p.Any(QRect(s.AnswerColumnX, 60, 40, h), IsBlue),
           "no start number at the answer column");
    for (const Pixel& pixel : BoxPixels(s, p)) {
        expect(p.At(pixel.X, pixel.Y) == pixel.Expected,
               QString("box pixel (%1, %2) is %3, not %4")
                   .arg(pixel.X)
                   .arg(pixel.Y)
                   .arg(p.At(pixel.X, pixel.Y).name(), pixel.Expected.name()));
    }
    for (int n = 1; n <= s.StepsPerSeries; ++n) {
        const opgavelinier& record = s.StepRecords[n];
        const bool wrong = record.Answer != record.Expected;
        const int y = p.RowY(n);
        const QString row = QString("row %1: ").arg(n);
        // The answer's cell, inside the box's right edge.
        const QRect answer(s.AnswerColumnX, y, 68, h);
        const QRect beside(s.AnswerColumnX + 74, y, 200, h);
        expect(p.Any(QRect(s.SheetLeft + 20, y, 150, h), IsBlue), row + "no instruction");
        expect(p.Any(answer, wrong ? IsRed : IsBlue), row + "answer not in its colour");
        expect(!p.Any(answer, wrong ? IsBlue : IsRed), row + "answer in the other colour too");
        expect(p.At(s.AnswerColumnX, y) == QColor(Qt::white), row + "answer not on white");
        if (wrong) {
            // "<" has a small left bearing: its ink starts just right of column + 82.
            const int ink = p.Leftmost(beside, IsRed);
            expect(ink >= s.AnswerColumnX + 82 && ink <= s.AnswerColumnX + 85,
                   row + QString("mark's ink starts at %1").arg(ink));
            expect(p.At(s.AnswerColumnX + 82, y) == p.Background,
                   row + "mark not on the background");
        } else {
            expect(!p.Any(beside, IsRed), row + "a mark beside a right answer");
        }
    }
    const int scoreY = p.RowY(s.StepsPerSeries + 2);
    const int scoreInk = p.Leftmost(QRect(0, scoreY, 400, h), IsBlue);
    expect(scoreInk >= 100 && scoreInk <= 103,
           QString("score line's ink starts at %1").arg(scoreInk));
    expect(p.At(100, scoreY) == p.Background, "score line not on the background");
    return faults;
}

} // namespace qx5::test
