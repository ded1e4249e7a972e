// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The series run: reading answers, the bounds, the records, the chain going on from the
// typed number, the score, and how series start, restart and move to the next type.
#include "engine/series_run.h"
#include "engine_fixtures.h"
#include "layout/sheet_layout.h"
#include "recording_canvas.h"
#include "scripted_random.h"

#include <QtTest>

#include <optional>
#include <string>

using namespace qx5;
using namespace qx5::test;

Q_DECLARE_METATYPE(qx5::AnswerOutcome)

namespace {

// A series of the given type started with a seeded generator and answered right up to the
// given step, which is then open.
struct RunningSeries {
    EngineState State;
    MersenneRandomSource Random;
    RecordingCanvas Canvas;

    RunningSeries(std::int32_t type, std::int32_t step, std::uint32_t seed)
        : Random(seed) {
        State.ExerciseType = type;
        NewSeries(State, Random, Canvas);
        while (State.StepIndex < step) {
            SubmitAnswer(State, Random, Canvas, std::to_string(State.ExpectedResult));
        }
    }
};

std::vector<std::string> TextsOf(const RecordingCanvas& canvas, std::int32_t x) {
    std::vector<std::string> texts;
    for (const DrawnText& t : canvas.Texts) {
        if (t.X == x) {
            texts.push_back(t.Text);
        }
    }
    return texts;
}

} // namespace

class SeriesRunTest : public QObject {
    Q_OBJECT

private slots:
    void parseAnswer_data();
    void parseAnswer();
    void answerChecks_data();
    void answerChecks();
    void answerWithNoOpenStepIsIgnored_data();
    void answerWithNoOpenStepIsIgnored();
    void scriptedSeriesIsRecordedAndScored();
    void restartReplaysTheStartNumberUntilAnotherStart();
    void allRightHasNoErrorMarks_data();
    void allRightHasNoErrorMarks();
};

void SeriesRunTest::parseAnswer_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("value");

    const std::optional<int> invalid;
    QTest::newRow("digits") << "17" << std::optional<int>(17);
    QTest::newRow("leading zeros") << "007" << std::optional<int>(7);
    QTest::newRow("zero") << "0" << std::optional<int>(0);
    QTest::newRow("leading blanks") << "  7" << std::optional<int>(7);
    QTest::newRow("plus sign") << "+7" << std::optional<int>(7);
    QTest::newRow("blanks then plus") << " +12" << std::optional<int>(12);
    QTest::newRow("minus zero is zero") << "-0" << std::optional<int>(0);
    QTest::newRow("largest 32-bit number") << "2147483647" << std::optional<int>(2147483647);
    QTest::newRow("many leading zeros") << "000000000000000042" << std::optional<int>(42);
    QTest::newRow("empty") << "" << invalid;
    QTest::newRow("one blank") << " " << invalid;
    QTest::newRow("negative") << "-20" << invalid;
    QTest::newRow("minus one") << "-1" << invalid;
    QTest::newRow("trailing blank") << "7 " << invalid;
    QTest::newRow("blank after the sign") << "+ 7" << invalid;
    QTest::newRow("sign alone") << "+" << invalid;
    QTest::newRow("two signs") << "+-5" << invalid;
    QTest::newRow("letters after digits") << "7a" << invalid;
    QTest::newRow("letters") << "abc" << invalid;
    QTest::newRow("decimal point") << "1.5" << invalid;
    QTest::newRow("decimal comma") << "1,5" << invalid;
    QTest::newRow("just beyond 32 bits") << "2147483648" << invalid;
    QTest::newRow("2^32 + 7 does not wrap to 7") << "4294967303" << invalid;
}

void SeriesRunTest::parseAnswer() {
    QFETCH(QString, text);
    QFETCH(std::optional<int>, value);
    QCOMPARE(ParseAnswer(text.toStdString()), value);
}

void SeriesRunTest::answerChecks_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<AnswerOutcome>("outcome");

    const auto next = AnswerOutcome::AcceptedNextStep;
    const auto large = AnswerOutcome::TooLarge;
    const auto ignored = AnswerOutcome::Ignored;
    QTest::newRow("type 1, step 1: 44 is the largest") << 1 << 1 << "44" << next;
    QTest::newRow("type 1, step 1: 45 is too large") << 1 << 1 << "45" << large;
    QTest::newRow("type 1, step 6: 49 is the largest")
        << 1 << 6 << "49" << AnswerOutcome::AcceptedFinished;
    QTest::newRow("type 1, step 6: 50 is too large") << 1 << 6 << "50" << large;
    QTest::newRow("type 2: MaxNumber 50 itself") << 2 << 1 << "50" << next;
    QTest::newRow("type 2: 51") << 2 << 1 << "51" << large;
    QTest::newRow("type 4: 100") << 4 << 3 << "100" << next;
    QTest::newRow("type 5: 41") << 5 << 1 << "41" << large;
    QTest::newRow("type 16: 120") << 16 << 8 << "120" << next;
    QTest::newRow("type 16: 121") << 16 << 8 << "121" << large;
    QTest::newRow("0 is an answer") << 7 << 2 << "0" << next;
    QTest::newRow("largest 32-bit number is too large") << 5 << 1 << "2147483647" << large;
    QTest::newRow("beyond 32 bits is no number") << 5 << 1 << "99999999999" << ignored;
    QTest::newRow("pasted negative is ignored") << 4 << 2 << "-20" << ignored;
    QTest::newRow("text is ignored") << 5 << 1 << "ab" << ignored;
    QTest::newRow("empty is ignored") << 5 << 1 << "" << ignored;
}

void SeriesRunTest::answerChecks() {
    QFETCH(int, type);
    QFETCH(int, step);
    QFETCH(QString, typed);
    QFETCH(AnswerOutcome, outcome);

    RunningSeries series(type, step, 20261208u + static_cast<std::uint32_t>(type));
    EngineState& s = series.State;
    QCOMPARE(s.StepIndex, step);
    const EngineState before = s;
    const std::size_t drawnBefore = series.Canvas.Texts.size();

    const AnswerResult result = SubmitAnswer(s, series.Random, series.Canvas, typed.toStdString());
    QCOMPARE(result.Outcome, outcome);
    if (outcome == AnswerOutcome::Ignored || outcome == AnswerOutcome::TooLarge) {
        QVERIFY(s == before);
        QCOMPARE(series.Canvas.Texts.size(), drawnBefore);
        return;
    }
    const opgavelinier& record = s.StepRecords[step];
    QCOMPARE(QString::fromStdString(record.AnswerText), typed);
    QCOMPARE(record.Answer, typed.toInt());
    QCOMPARE(record.Number, before.CurrentNumber);
    QCOMPARE(record.Expected, before.ExpectedResult);
    // The chain goes on from the typed number, right or wrong.
    QCOMPARE(s.CurrentNumber, typed.toInt());
    QCOMPARE(s.CorrectCount, before.CorrectCount + (record.Answer == record.Expected ? 1 : 0));
    const auto answers = series.Canvas.TextsAt(s.AnswerColumnX, RowY(series.Canvas, step));
    QVERIFY(!answers.empty());
    QCOMPARE(answers.front().Text, PadNumber(typed.toStdString()));
    QCOMPARE(answers.front().Font.Colour, Blue);
}

void SeriesRunTest::answerWithNoOpenStepIsIgnored_data() {
    QTest::addColumn<bool>("afterLastStep");
    QTest::newRow("before any series") << false;
    QTest::newRow("after the last step") << true;
}

void SeriesRunTest::answerWithNoOpenStepIsIgnored() {
    QFETCH(bool, afterLastStep);
    RunningSeries series(5, 9, 3);
    EngineState& s = series.State;
    if (afterLastStep) {
        QCOMPARE(SubmitAnswer(s, series.Random, series.Canvas, "1").Outcome,
                 AnswerOutcome::AcceptedFinished);
    } else {
        s = StateForType(5);
    }
    const EngineState before = s;
    series.Canvas.Texts.clear();
    ScriptedRandom random; // no draw may be asked for
    // Even the right answer to the last step: it must not be recorded or counted again.
    QCOMPARE(SubmitAnswer(s, random, series.Canvas, std::to_string(s.ExpectedResult)).Outcome,
             AnswerOutcome::Ignored);
    QVERIFY(s == before);
    QVERIFY(series.Canvas.Texts.empty());
}

// Type 1 draws one number per step (the addend: Random(50 - x) div (8 - step) + 1), so a
// whole series can be scripted: start 8, then 12, 15, 19, 22, 26, 18 are expected.
void SeriesRunTest::scriptedSeriesIsRecordedAndScored() {
    ScriptedRandom random{Int{10, 4}, Int{42, 21}, Int{38, 12}, Int{34, 10},
                          Int{31, 8}, Int{28, 9},  Int{43, 20}};
    RecordingCanvas canvas;
    EngineState s;
    s.ExerciseType = 1;
    QX5_SCRIPTED(NewSeries(s, random, canvas));
    QCOMPARE(s.StartNumber, 8);
    QCOMPARE(s.StepIndex, 1);
    QCOMPARE(canvas.Fills.front(), ButtonFace);

    struct Answer {
        const char* Typed;
        AnswerOutcome Outcome;
    };
    const Answer answers[] = {
        {"12", AnswerOutcome::AcceptedNextStep},  // right
        {"16", AnswerOutcome::AcceptedNextStep},  // wrong: 15 expected, the chain goes on from 16
        {"019", AnswerOutcome::AcceptedNextStep}, // right, with a leading zero
        {"48", AnswerOutcome::TooLarge},          // step 4's bound is 47
        {"x", AnswerOutcome::Ignored},
        {"22", AnswerOutcome::AcceptedNextStep},  // right, still recorded as step 4
        {"7", AnswerOutcome::AcceptedNextStep},   // wrong: 26 expected
        {" 18", AnswerOutcome::AcceptedFinished}, // right: 7 + 11
    };
    for (const Answer& a : answers) {
        AnswerOutcome outcome{};
        QX5_SCRIPTED(outcome = SubmitAnswer(s, random, canvas, a.Typed).Outcome);
        QCOMPARE(outcome, a.Outcome);
    }
    QCOMPARE(random.Left(), std::size_t{0});

    const opgavelinier expected[] = {
        {"(+) Læg 4 til", "8", "4", "12", "12", 8, 4, 12, 12},
        {"(+) Læg 3 til", "12", "3", "16", "15", 12, 3, 16, 15},
        {"(+) Læg 3 til", "16", "3", "019", "19", 16, 3, 19, 19},
        {"(+) Læg 3 til", "19", "3", "22", "22", 19, 3, 22, 22},
        {"(+) Læg 4 til", "22", "4", "7", "26", 22, 4, 7, 26},
        {"(+) Læg 11 til", "7", "11", " 18", "18", 7, 11, 18, 18},
    };
    for (int step = 1; step <= 6; ++step) {
        QCOMPARE(s.StepRecords[step], expected[step - 1]);
    }
    QCOMPARE(s.CorrectCount, 4);
    QCOMPARE(s.AnswerText, std::string(" 18"));

    const std::int32_t answerX = s.AnswerColumnX;
    QCOMPARE(TextsOf(canvas, s.SheetLeft + 20),
             (std::vector<std::string>{"(+) Læg 4 til", "(+) Læg 3 til", "(+) Læg 3 til",
                                       "(+) Læg 3 til", "(+) Læg 4 til", "(+) Læg 11 til"}));
    // The answers as typed, then the wrong ones again in red for the marks.
    QCOMPARE(TextsOf(canvas, answerX),
             (std::vector<std::string>{"   12", "   16", "  019", "   22", "    7", "   18",
                                       "   16", "    7"}));
    QCOMPARE(canvas.TextsAt(answerX + 82, RowY(canvas, 2)).size(), std::size_t{1});
    QCOMPARE(canvas.TextsAt(answerX + 82, RowY(canvas, 5)).size(), std::size_t{1});
    QCOMPARE(TextsOf(canvas, answerX + 82).size(), std::size_t{2});
    const auto score = canvas.TextsAt(100, RowY(canvas, 8));
    QCOMPARE(score.size(), std::size_t{1});
    QCOMPARE(score.front().Text, std::string("4 rigtige af 6."));
}

void SeriesRunTest::restartReplaysTheStartNumberUntilAnotherStart() {
    // A finished type 1 series.
    RunningSeries series(1, 6, 7);
    EngineState& s = series.State;
    const std::int32_t start = s.StartNumber;
    QCOMPARE(SubmitAnswer(s, series.Random, series.Canvas, "5").Outcome,
             AnswerOutcome::AcceptedFinished);
    const opgavelinier lastOfOldSeries = s.StepRecords[6];

    // "Begynd forfra": no start number is drawn; step 1 applies to the same start.
    s.RestartRequested = true;
    ScriptedRandom replay{Int{50 - start, 0}};
    QX5_SCRIPTED(NewSeries(s, replay, series.Canvas));
    QCOMPARE(s.StartNumber, start);
    QCOMPARE(s.CurrentNumber, start);
    QCOMPARE(s.StepIndex, 1);
    QCOMPARE(s.CorrectCount, 0);
    QCOMPARE(s.InstructionText, std::string("(+) Læg 1 til"));
    QCOMPARE(s.StepRecords[6], lastOfOldSeries); // kept until step 6 is answered again

    // The next type: a new start number from type 2's own range (4 + 9).
    s.RestartRequested = false;
    s.ExerciseType = 2;
    ScriptedRandom nextType{Int{10, 9}, Real{0.3}, Int{12, 4}};
    QX5_SCRIPTED(NewSeries(s, nextType, series.Canvas));
    QCOMPARE(s.StartNumber, 13);
    QCOMPARE(s.InstructionText, std::string("(-) Træk 5 fra"));
    QCOMPARE(s.ExpectedResult, 8);

    // "Begynd forfra" again replays that one.
    s.RestartRequested = true;
    ScriptedRandom again{Real{0.9}, Int{37, 14}};
    QX5_SCRIPTED(NewSeries(s, again, series.Canvas));
    QCOMPARE(s.StartNumber, 13);
    QCOMPARE(s.InstructionText, std::string("(+) Læg 3 til"));
    QCOMPARE(s.ExpectedResult, 16);
}

void SeriesRunTest::allRightHasNoErrorMarks_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("score");
    QTest::newRow("type 1") << 1 << "6 rigtige af 6.";
    QTest::newRow("type 4") << 4 << "6 rigtige af 6.";
    QTest::newRow("type 9") << 9 << "9 rigtige af 9.";
    QTest::newRow("type 16") << 16 << "9 rigtige af 9.";
}

void SeriesRunTest::allRightHasNoErrorMarks() {
    QFETCH(int, type);
    QFETCH(QString, score);
    RunningSeries series(type, 1, 99);
    EngineState& s = series.State;
    AnswerOutcome outcome = AnswerOutcome::AcceptedNextStep;
    while (outcome == AnswerOutcome::AcceptedNextStep) {
        outcome =
            SubmitAnswer(s, series.Random, series.Canvas, std::to_string(s.ExpectedResult)).Outcome;
    }
    QCOMPARE(outcome, AnswerOutcome::AcceptedFinished);
    QCOMPARE(s.CorrectCount, s.StepsPerSeries);
    QVERIFY(TextsOf(series.Canvas, s.AnswerColumnX + 82).empty());
    const auto drawn = series.Canvas.TextsAt(100, RowY(series.Canvas, s.StepsPerSeries + 2));
    QCOMPARE(drawn.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(drawn.front().Text), score);
}

QTEST_APPLESS_MAIN(SeriesRunTest)
#include "tst_series_run.moc"
