// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet's layout rules, on a canvas that records what is drawn with chosen metrics.
#include "engine/type_settings.h"
#include "layout/sheet_layout.h"
#include "recording_canvas.h"
#include "sheet_fixtures.h"

#include <QtTest>

using namespace qx5;
using namespace qx5::test;

Q_DECLARE_METATYPE(qx5::test::DrawnRectangle)

namespace {

// Blanks 4 pixels wide, every other byte 10: tells blanks apart from the rest.
std::int32_t BlanksNarrow(std::string_view text, const SheetCanvas::FontState&) {
    std::int32_t width = 0;
    for (const char c : text) {
        width += c == ' ' ? 4 : 10;
    }
    return width;
}

} // namespace

class SheetLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void rowY_data();
    void rowY();
    void padNumber_data();
    void padNumber();
    void headerSize_data();
    void headerSize();
    void headerText_data();
    void headerText();
    void startLine_data();
    void startLine();
    void seriesStart_data();
    void seriesStart();
    void finishedSeriesColours();
    void allRightDrawsOnlyTheScoreLine();
    void sheetGrowsForTheScoreLineAndNeverShrinks();
};

void SheetLayoutTest::rowY_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("y");
    const int heights[] = {20, 21, 22};
    const std::vector<std::vector<int>> expected = {
        {100, 125, 150, 187, 212, 237, 274, 299, 324, 361, 386},
        {101, 127, 153, 192, 218, 244, 283, 309, 335, 374, 400}, // pitch 26, gap 13
        {102, 129, 156, 196, 223, 250, 290, 317, 344, 384, 411}, // pitch 27, gap still 13
    };
    for (std::size_t i = 0; i < 3; ++i) {
        for (int row = 1; row <= 11; ++row) {
            QTest::addRow("h %d row %d", heights[i], row)
                << heights[i] << row << expected[i][static_cast<std::size_t>(row - 1)];
        }
    }
}

void SheetLayoutTest::rowY() {
    QFETCH(int, h);
    QFETCH(int, row);
    QFETCH(int, y);
    const RecordingCanvas canvas(h);
    QCOMPARE(RowY(canvas, row), y);
}

void SheetLayoutTest::padNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("padded");
    QTest::newRow("empty gives five blanks") << ""
                                             << "     ";
    QTest::newRow("one character") << "7"
                                   << "    7";
    QTest::newRow("leading zero kept") << "07"
                                       << "   07";
    QTest::newRow("three characters") << "123"
                                      << "  123";
    QTest::newRow("five unchanged") << "12345"
                                    << "12345";
    QTest::newRow("six never cut") << "123456"
                                   << "123456";
    QTest::newRow("characters, not bytes") << "æøå"
                                           << "  æøå";
}

void SheetLayoutTest::padNumber() {
    QFETCH(QString, text);
    QFETCH(QString, padded);
    QCOMPARE(QString::fromStdString(PadNumber(text.toStdString())), padded);
}

void SheetLayoutTest::headerSize_data() {
    QTest::addColumn<int>("widthAt20");
    QTest::addColumn<int>("size");
    QTest::newRow("590 keeps 20") << 590 << 20;
    QTest::newRow("591 gives 18") << 591 << 18;
    QTest::newRow("600 gives 18") << 600 << 18;
    QTest::newRow("601 gives 16") << 601 << 16;
    QTest::newRow("very wide gives 16") << 900 << 16;
}

void SheetLayoutTest::headerSize() {
    QFETCH(int, widthAt20);
    QFETCH(int, size);
    // The width follows the size, so a second measurement would change the outcome.
    RecordingCanvas canvas(20, [&](std::string_view, const SheetCanvas::FontState& font) {
        return widthAt20 * font.Size / 20;
    });
    canvas.Font = {"Arial", 9, Black};
    DrawHeaderLine(canvas, 5, " Små tal, enkle opgaver");

    QCOMPARE(canvas.WidthQueries.size(), std::size_t{1});
    QCOMPARE(canvas.WidthQueries[0].Name, std::string(SheetFontName));
    QCOMPARE(canvas.WidthQueries[0].Size, 20);
    QCOMPARE(canvas.Texts.size(), std::size_t{1});
    const DrawnText& header = canvas.Texts[0];
    QCOMPARE(header.X, 20);
    QCOMPARE(header.Y, 20);
    QCOMPARE(header.Font.Size, size);
    QCOMPARE(header.Font.Name, std::string(SheetFontName));
    QCOMPARE(header.Font.Colour, Red);
}

void SheetLayoutTest::headerText_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("header");
    QTest::newRow("type 1") << 1 << " Type  1:  (+) Kun plus ";
    QTest::newRow("type 5") << 5 << " Type  5:  Små tal, enkle opgaver";
    QTest::newRow("type 7") << 7 << " Type  7:  Endnu større tal, enkle opgaver";
    QTest::newRow("type 12") << 12 << " Type 12:  Større tal, enkle opgaver med heltalsdivision";
    QTest::newRow("type 16")
        << 16 << " Type 16:  Endnu større tal, kombinations-opgaver med heltalsdivision";
}

void SheetLayoutTest::headerText() {
    QFETCH(int, type);
    QFETCH(QString, header);
    const EngineState s = StateForType(type);
    QCOMPARE(QString::fromStdString(HeaderText(type, CurrentTypeTitle(s))), header);
}

void SheetLayoutTest::startLine_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("size");
    // The label has 12 other characters and 6 blanks: 144 pixels; each padding blank adds
    // 4. x0 = answer column - (label + padding).
    QTest::newRow("type 1, one digit, 18 points") << 1 << 7 << 370 - 144 - 16 << 18;
    QTest::newRow("type 5, two digits, 14 points") << 5 << 25 << 300 - 144 - 12 << 14;
    QTest::newRow("type 16, three digits") << 16 << 105 << 500 - 144 - 8 << 14;
}

void SheetLayoutTest::startLine() {
    QFETCH(int, type);
    QFETCH(int, start);
    QFETCH(int, x0);
    QFETCH(int, size);
    EngineState s = StateForType(type);
    s.CurrentNumber = start;
    RecordingCanvas canvas(20, BlanksNarrow);
    canvas.Font.Size = 20;
    DrawStartLine(canvas, s);

    QCOMPARE(canvas.Texts.size(), std::size_t{1});
    const DrawnText& line = canvas.Texts[0];
    QCOMPARE(line.X, x0);
    QCOMPARE(line.Y, 60);
    QCOMPARE(line.Text, "Her er dit tal :  " + PadNumber(std::to_string(start)));
    QCOMPARE(line.Font.Colour, Blue);
    QCOMPARE(line.Font.Size, size);
    for (const SheetCanvas::FontState& measured : canvas.WidthQueries) {
        QCOMPARE(measured.Size, size);
    }
}

void SheetLayoutTest::seriesStart_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<DrawnRectangle>("outer");
    QTest::addColumn<DrawnRectangle>("frame");
    // Lines are the point size + 6 high, so the box shows which font RowY measured in.
    // 14 points: h = 20, RowY(10) = 361. 18 points: h = 24, RowY(7) = 306.
    QTest::newRow("type 5, no shift, 9 rows") << 5 << DrawnRectangle{56, 86, 374, 365, White, White}
                                              << DrawnRectangle{60, 90, 370, 361, White, Black};
    QTest::newRow("type 1, 15 lower, 6 rows")
        << 1 << DrawnRectangle{56, 101, 444, 325, White, White}
        << DrawnRectangle{60, 105, 440, 321, White, Black};
    QTest::newRow("type 16, wide answer column")
        << 16 << DrawnRectangle{56, 86, 574, 365, White, White}
        << DrawnRectangle{60, 90, 570, 361, White, Black};
}

void SheetLayoutTest::seriesStart() {
    QFETCH(int, type);
    QFETCH(DrawnRectangle, outer);
    QFETCH(DrawnRectangle, frame);
    RecordingCanvas canvas([](const SheetCanvas::FontState& font) { return font.Size + 6; },
                           RecordingCanvas::TenPerByte);
    canvas.Resize(1000, 1000);
    const EngineState s = StateForType(type);
    ClearSheet(canvas);
    DrawSeriesStart(canvas, s, CurrentTypeTitle(s));

    QCOMPARE(canvas.Texts.size(), std::size_t{2});
    QCOMPARE(canvas.Texts[0].Y, 20);
    QCOMPARE(canvas.Texts[1].Y, 60);
    QCOMPARE(canvas.Texts[0].Fill, ButtonFace);
    QCOMPARE(canvas.Texts[1].Fill, ButtonFace);
    QCOMPARE(canvas.Rectangles.size(), std::size_t{2});
    QVERIFY(canvas.Rectangles[0] == outer);
    QVERIFY(canvas.Rectangles[1] == frame);
    // The body font stays, and instructions and answers that follow stand on white.
    QCOMPARE(canvas.Font.Size, BodyFontSize(s.BasicMode));
    QCOMPARE(canvas.FillColour, White);
}

void SheetLayoutTest::finishedSeriesColours() {
    RecordingCanvas canvas(20);
    const EngineState s = DrawFinishedSeries(canvas, 3, 8, SixStepsTwoWrong);
    const int column = s.AnswerColumnX;

    for (int n = 1; n <= 6; ++n) {
        const ScriptedStep& step = SixStepsTwoWrong[static_cast<std::size_t>(n - 1)];
        const auto instruction = canvas.TextsAt(s.SheetLeft + 20, RowY(canvas, n));
        QCOMPARE(instruction.size(), std::size_t{1});
        QCOMPARE(instruction[0].Text, step.Instruction);
        QCOMPARE(instruction[0].Font.Colour, Blue);
        QCOMPARE(instruction[0].Fill, White);

        const bool wrong = IsWrong(step);
        const auto answer = canvas.TextsAt(column, RowY(canvas, n));
        QCOMPARE(answer.size(), std::size_t{wrong ? 2U : 1U});
        QCOMPARE(answer[0].Text, PadNumber(step.Typed));
        QCOMPARE(answer[0].Font.Colour, Blue);
        QCOMPARE(answer[0].Fill, White);
        const auto mark = canvas.TextsAt(column + 82, RowY(canvas, n));
        if (wrong) {
            QCOMPARE(answer[1].Text, PadNumber(step.Typed));
            QCOMPARE(answer[1].Font.Colour, Red);
            QCOMPARE(answer[1].Fill, White);
            QCOMPARE(mark.size(), std::size_t{1});
            QCOMPARE(mark[0].Text, std::string("<-   Fejl"));
            QCOMPARE(mark[0].Font.Colour, Red);
            QCOMPARE(mark[0].Fill, ButtonFace);
        } else {
            QVERIFY(mark.empty());
        }
    }
    // Answers stay as typed, right or wrong, and a wrong one is drawn again as typed.
    QCOMPARE(canvas.TextsAt(column, RowY(canvas, 4))[0].Text, std::string("  021"));
    QCOMPARE(canvas.TextsAt(column, RowY(canvas, 6))[1].Text, std::string("   08"));

    const auto score = canvas.TextsAt(100, RowY(canvas, 8));
    QCOMPARE(score.size(), std::size_t{1});
    QCOMPARE(score[0].Text, std::string("4 rigtige af 6."));
    QCOMPARE(score[0].Font.Colour, Blue);
    QCOMPARE(score[0].Fill, ButtonFace);
    QCOMPARE(score[0].Font.Size, 18);
    QCOMPARE(canvas.Texts.back().Text, score[0].Text);
}

void SheetLayoutTest::allRightDrawsOnlyTheScoreLine() {
    std::vector<ScriptedStep> steps = NineStepsCombined;
    steps[5].Expected = 7; // "07" is 7: right, whatever its text
    RecordingCanvas canvas(20);
    canvas.FillColour = White; // as an unfinished series leaves it
    const EngineState s = DrawFinishedSeries(canvas, 9, 24, steps);
    QCOMPARE(canvas.Fills, std::vector<Colour>{ButtonFace});
    // Header, start line, nine instructions, nine answers, the score line.
    QCOMPARE(canvas.Texts.size(), std::size_t{2 + 9 + 9 + 1});
    QCOMPARE(canvas.Texts.back().Text, std::string("9 rigtige af 9."));
    QCOMPARE(canvas.Texts.back().Y, RowY(canvas, 11));
    QCOMPARE(canvas.Texts.back().Font.Size, 14);
    QCOMPARE(canvas.Texts.back().Fill, ButtonFace);
    QCOMPARE(canvas.Texts.front().Fill, ButtonFace);
    for (const DrawnText& text : canvas.Texts) {
        QVERIFY(text.X != s.AnswerColumnX + 82);
        QVERIFY(text.Font.Colour != Red || text.Y == 20);
    }
}

void SheetLayoutTest::sheetGrowsForTheScoreLineAndNeverShrinks() {
    // h = 20: the score line's row 11 starts at 386 and ends at 406; 10 more is 416.
    RecordingCanvas canvas(20);
    canvas.Resize(800, 410);
    EngineState s = StateForType(5);
    QCOMPARE(SheetHeightNeeded(canvas, s), 416);
    DrawSeriesStart(canvas, s, CurrentTypeTitle(s));
    QCOMPARE(canvas.Width(), 800);
    QCOMPARE(canvas.Height(), 416);

    FitSheet(canvas, 300, 200);
    QCOMPARE(canvas.Width(), 800);
    QCOMPARE(canvas.Height(), 416);
    FitSheet(canvas, 1000, 600);
    QCOMPARE(canvas.Width(), 1000);
    QCOMPARE(canvas.Height(), 600);

    // Six steps fit in a 410-pixel sheet; a taller sheet is left as it is.
    RecordingCanvas basic(20);
    basic.Resize(800, 410);
    s = StateForType(2);
    DrawSeriesStart(basic, s, CurrentTypeTitle(s));
    QCOMPARE(basic.Height(), 410);
    QCOMPARE(SheetHeightNeeded(basic, EngineState{}), 0);
}

QTEST_APPLESS_MAIN(SheetLayoutTest)
#include "tst_sheet_layout.moc"
