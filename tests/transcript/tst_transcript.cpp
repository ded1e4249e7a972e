// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The transcript of a finished series: its lines, their columns, the heading rule and the
// score, byte for byte.
#include "blank_sheet_canvas.h"
#include "engine/series_run.h"
#include "engine_fixtures.h"
#include "transcript/transcript.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace qx5;
using namespace qx5::test;

namespace {

opgavelinier Step(std::string instruction, std::string answerText, std::int32_t answer,
                  std::int32_t expected) {
    opgavelinier step;
    step.InstructionText = std::move(instruction);
    step.AnswerText = std::move(answerText);
    step.Answer = answer;
    step.Expected = expected;
    step.ExpectedText = std::to_string(expected);
    return step;
}

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

// A finished type-5 series starting at 29 with two wrong answers (steps 2 and 9).
EngineState FinishedTypeFive() {
    EngineState s = StateForType(5);
    s.StepRecords[1] = Step("Læg 5 til", "34", 34, 34);
    s.StepRecords[1].NumberText = "29";
    s.StepRecords[2] = Step("Divider med 2", "16", 16, 17);
    s.StepRecords[3] = Step("Gang med 2", "32", 32, 32);
    s.StepRecords[4] = Step("Træk 7 fra", "25", 25, 25);
    s.StepRecords[5] = Step("Divider med 5", "5", 5, 5);
    s.StepRecords[6] = Step("Gang med 6", "30", 30, 30);
    s.StepRecords[7] = Step("Træk 4 fra", "26", 26, 26);
    s.StepRecords[8] = Step("Divider med 2", "13", 13, 13);
    s.StepRecords[9] = Step("Læg 8 til", "20", 20, 21);
    s.CorrectCount = 7;
    return s;
}

Transcript Built(const EngineState& s, std::string_view heading = {}) {
    Transcript t;
    BuildTranscript(s, heading, t);
    return t;
}

} // namespace

class TranscriptTest : public QObject {
    Q_OBJECT

private slots:
    void wholeNineStepSeriesWithHeading();
    void sixStepSeriesWithoutHeading();
    void headingLinesOnlyAboveASingleBlank_data();
    void headingLinesOnlyAboveASingleBlank();
    void stepLineColumns_data();
    void stepLineColumns();
    void typeLineAndScore_data();
    void typeLineAndScore();
    void rebuildingReplacesTheLines();
    void engineSeriesLinesUpInColumns_data();
    void engineSeriesLinesUpInColumns();
};

void TranscriptTest::wholeNineStepSeriesWithHeading() {
    const Transcript expected{
        "Ida & Bo, 4.b",
        " ",
        "QX5:  Rurudovorir",
        " ",
        "Type 5:  Små tal, enkle opgaver",
        " ",
        "Udgangstal:   29",
        " ",
        "Læg 5 til" + Blanks(16) + "   34",
        "Divider med 2" + Blanks(12) + "   16     (det skulle være 17 )",
        "Gang med 2" + Blanks(15) + "   32",
        " ",
        "Træk 7 fra" + Blanks(15) + "   25",
        "Divider med 5" + Blanks(12) + "    5",
        "Gang med 6" + Blanks(15) + "   30",
        " ",
        "Træk 4 fra" + Blanks(15) + "   26",
        "Divider med 2" + Blanks(12) + "   13",
        "Læg 8 til" + Blanks(16) + "   20     (det skulle være 21 )",
        " ",
        "7 rigtige af 9.",
        " ",
        " ",
    };
    QCOMPARE(Built(FinishedTypeFive(), "Ida & Bo, 4.b"), expected);
}

void TranscriptTest::sixStepSeriesWithoutHeading() {
    EngineState s = StateForType(1);
    s.StepRecords[1] = Step("(+) Læg 5 til", "17", 17, 17);
    s.StepRecords[1].NumberText = "12";
    for (std::int32_t i = 2; i <= 6; ++i) {
        s.StepRecords[i] = Step("(+) Læg 1 til", std::to_string(17 + i), 17 + i, 16 + i);
    }
    s.CorrectCount = 1;
    const Transcript t = Built(s);
    QCOMPARE(t.size(), std::size_t{17});
    QCOMPARE(t[0], std::string("QX5:  Rurudovorir"));
    QCOMPARE(t[2], std::string("Type 1:  (+) Kun plus "));
    QCOMPARE(t[4], std::string("Udgangstal:   12"));
    QCOMPARE(t[6], "(+) Læg 5 til" + Blanks(12) + "   17");
    QCOMPARE(t[7], "(+) Læg 1 til" + Blanks(12) + "   19     (det skulle være 18 )");
    // One group blank, after step 3; none after the last step but the closing one.
    const std::vector<std::size_t> blanks{1, 3, 5, 9, 13, 15, 16};
    for (std::size_t i = 0; i < t.size(); ++i) {
        QVERIFY2(!t[i].empty(), "no line is empty");
        const bool blank = std::find(blanks.begin(), blanks.end(), i) != blanks.end();
        QCOMPARE(t[i] == " ", blank);
    }
    QCOMPARE(t[14], std::string("1 rigtige af 6."));
}

void TranscriptTest::headingLinesOnlyAboveASingleBlank_data() {
    QTest::addColumn<QByteArray>("heading");
    QTest::addColumn<bool>("headed");
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("one blank") << QByteArray(" ") << false;
    QTest::newRow("a control character sorts below the blank") << QByteArray("\t") << false;
    QTest::newRow("two blanks") << QByteArray("  ") << true;
    QTest::newRow("leading blank") << QByteArray(" Ida") << true;
    QTest::newRow("markup characters as typed") << QByteArray("<b>&{\\}") << true;
    // UTF-8 bytes are compared unsigned: a non-ASCII first letter is above the blank.
    QTest::newRow("Danish first letter") << QByteArray("Æblegården") << true;
}

void TranscriptTest::headingLinesOnlyAboveASingleBlank() {
    QFETCH(QByteArray, heading);
    QFETCH(bool, headed);
    const Transcript t = Built(FinishedTypeFive(), heading.toStdString());
    QCOMPARE(t.size(), std::size_t(headed ? 23 : 21));
    QCOMPARE(t[headed ? 2 : 0], std::string("QX5:  Rurudovorir"));
    if (headed) {
        QCOMPARE(t[0], heading.toStdString());
        QCOMPARE(t[1], std::string(" "));
    }
}

void TranscriptTest::stepLineColumns_data() {
    QTest::addColumn<bool>("combined");
    QTest::addColumn<QByteArray>("instruction");
    QTest::addColumn<QByteArray>("answerText");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QByteArray>("line");
    const auto row = [](const char* name, bool combined, const std::string& instruction,
                        const char* typed, int answer, int expected, const std::string& line) {
        QTest::newRow(name) << combined << QByteArray::fromStdString(instruction)
                            << QByteArray(typed) << answer << expected
                            << QByteArray::fromStdString(line);
    };
    row("right answer, 25 wide", false, "Læg 5 til", "17", 17, 17,
        "Læg 5 til" + Blanks(16) + "   17");
    row("wrong answer gets the right result", false, "Gang med 2", "29", 29, 28,
        "Gang med 2" + Blanks(15) + "   29     (det skulle være 28 )");
    row("combined step, 35 wide", true, "Gang med 3 og læg 2 til", "5", 5, 5,
        "Gang med 3 og læg 2 til" + Blanks(12) + "    5");
    row("017 for 17 is right and kept as typed", false, "Læg 5 til", "017", 17, 17,
        "Læg 5 til" + Blanks(16) + "  017");
    row("the middle dot is one character", false, "(·) Gang med 2", "8", 8, 8,
        "(·) Gang med 2" + Blanks(11) + "    8");
    row("instruction exactly as wide as the column", false, std::string(25, 'x'), "3", 3, 3,
        std::string(25, 'x') + "    3");
    row("instruction exactly as wide as the 35 column", true, std::string(35, 'x'), "3", 3, 3,
        std::string(35, 'x') + "    3");
    row("one character wider than the 35 column", true, std::string(36, 'x'), "3", 3, 3,
        std::string(36, 'x') + "    3");
    row("longer instruction is not cut and gets no fill", true,
        "Træk tallet fra 34 og divider med 4 nu", "7", 7, 8,
        "Træk tallet fra 34 og divider med 4 nu    7     (det skulle være 8 )");
    row("fill never exceeds 34 blanks", true, "", "1", 1, 1, Blanks(34) + "    1");
    row("four-digit answer is not padded", false, "Læg 5 til", "1000", 1000, 1000,
        "Læg 5 til" + Blanks(16) + " 1000");
}

void TranscriptTest::stepLineColumns() {
    QFETCH(bool, combined);
    QFETCH(QByteArray, instruction);
    QFETCH(QByteArray, answerText);
    QFETCH(int, answer);
    QFETCH(int, expected);
    QFETCH(QByteArray, line);
    EngineState s = FinishedTypeFive();
    s.Combined = combined;
    s.StepRecords[4] = Step(instruction.toStdString(), answerText.toStdString(), answer, expected);
    // Step 4 is the first line after the first group blank.
    QCOMPARE(QByteArray::fromStdString(Built(s)[10]), line);
}

void TranscriptTest::typeLineAndScore_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("correct");
    QTest::addColumn<QByteArray>("typeLine");
    QTest::addColumn<QByteArray>("score");
    QTest::newRow("type 4, all right")
        << 4 << 6 << QByteArray("Type 4:  (+,-,·,:) Alle fire slags ")
        << QByteArray("6 rigtige af 6.");
    QTest::newRow("type 10, none right")
        << 10 << 0 << QByteArray("Type 10:  Endnu større tal, kombinations-opgaver")
        << QByteArray("0 rigtige af 9.");
    QTest::newRow("type 14, all right")
        << 14 << 9 << QByteArray("Type 14:  Små tal, kombinations-opgaver med heltalsdivision")
        << QByteArray("9 rigtige af 9.");
}

void TranscriptTest::typeLineAndScore() {
    QFETCH(int, type);
    QFETCH(int, correct);
    QFETCH(QByteArray, typeLine);
    QFETCH(QByteArray, score);
    EngineState s = StateForType(type, FinishedTypeFive());
    s.CorrectCount = correct;
    const Transcript t = Built(s);
    QCOMPARE(QByteArray::fromStdString(t[2]), typeLine);
    QCOMPARE(QByteArray::fromStdString(t[t.size() - 3]), score);
    QCOMPARE(t[t.size() - 4], std::string(" "));
    QCOMPARE(t[t.size() - 2], std::string(" "));
    QCOMPARE(t[t.size() - 1], std::string(" "));
}

void TranscriptTest::rebuildingReplacesTheLines() {
    Transcript t{"left over from before"};
    const EngineState s = FinishedTypeFive();
    BuildTranscript(s, "Ida", t);
    const Transcript first = t;
    BuildTranscript(s, "Ida", t);
    QCOMPARE(t, first);
    QCOMPARE(t.front(), std::string("Ida"));
    // A heading changed after the series finished shows in the next build.
    BuildTranscript(s, "", t);
    QCOMPARE(t.size(), first.size() - 2);
}

void TranscriptTest::engineSeriesLinesUpInColumns_data() {
    QTest::addColumn<int>("type");
    for (const int type : {1, 4, 7, 9, 14, 16}) {
        QTest::addRow("type %d", type) << type;
    }
}

// A series played through the engine, every third answer wrong: each answer ends in the
// column's fifth place, the brackets follow the wrong ones, and the numbers are the records'.
void TranscriptTest::engineSeriesLinesUpInColumns() {
    QFETCH(int, type);
    EngineState s;
    s.ExerciseType = type;
    MersenneRandomSource random(static_cast<std::uint32_t>(type) * 7919U);
    BlankSheetCanvas canvas;
    NewSeries(s, random, canvas);
    for (std::int32_t step = 1; step <= s.StepsPerSeries; ++step) {
        std::int32_t answer = s.ExpectedResult;
        if (step % 3 == 0) {
            answer += answer < AnswerBound(s) ? 1 : -1;
        }
        const AnswerOutcome outcome =
            SubmitAnswer(s, random, canvas, std::to_string(answer)).Outcome;
        QVERIFY(outcome == AnswerOutcome::AcceptedNextStep ||
                outcome == AnswerOutcome::AcceptedFinished);
    }
    const Transcript t = Built(s);
    const qsizetype column = s.Combined ? 35 : 25;
    QStringList stepLines;
    for (std::size_t line = 6; line < t.size() - 4; ++line) {
        if (t[line] != " ") {
            stepLines << QString::fromStdString(t[line]);
        }
    }
    QCOMPARE(stepLines.size(), s.StepsPerSeries);
    for (std::int32_t i = 1; i <= s.StepsPerSeries; ++i) {
        const opgavelinier& r = s.StepRecords[i];
        const QString line = stepLines[i - 1];
        const QString instruction = QString::fromStdString(r.InstructionText);
        QVERIFY(line.startsWith(instruction));
        const qsizetype fieldEnd = std::max(column, instruction.size()) + 5;
        QCOMPARE(line.mid(fieldEnd - 5, 5), QString::fromStdString(r.AnswerText).rightJustified(5));
        QCOMPARE(line.mid(instruction.size(), fieldEnd - 5 - instruction.size()).trimmed(),
                 QString());
        const QString bracket =
            i % 3 == 0 ? QStringLiteral("     (det skulle være %1 )").arg(r.Expected) : QString();
        QCOMPARE(line.mid(fieldEnd), bracket);
    }
    QCOMPARE(t[4], "Udgangstal:   " + std::to_string(s.StartNumber));
    QCOMPARE(t[t.size() - 3], std::to_string(s.StepsPerSeries - s.StepsPerSeries / 3) +
                                  " rigtige af " + std::to_string(s.StepsPerSeries) + ".");
}

QTEST_APPLESS_MAIN(TranscriptTest)
#include "tst_transcript.moc"
