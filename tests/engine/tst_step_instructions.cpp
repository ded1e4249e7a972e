// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Steps: instruction texts and expected results, the reversed addition, combined steps,
// the loop back to a new first operand, the dropped and the given-up second part.
#include "engine/step_instructions.h"
#include "engine_fixtures.h"
#include "layout/sheet_layout.h"
#include "recording_canvas.h"
#include "scripted_random.h"

#include <QtTest>

#include <string>

using namespace qx5;
using namespace qx5::test;

class StepInstructionsTest : public QObject {
    Q_OBJECT

private slots:
    void buildSimpleStep_data();
    void buildSimpleStep();
    void nextStep_data();
    void nextStep();
    void hopelessSecondPartIsGivenUp_data();
    void hopelessSecondPartIsGivenUp();
};

void StepInstructionsTest::buildSimpleStep_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("operand");
    QTest::addColumn<Script>("draws");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("operandAfter"); // the number shown

    // Type 5: MaxNumber 40, MinOperand 4, so sums above 32 may be reversed.
    // clang-format off
    QTest::newRow("sum 32 at the threshold: plain, no draw") << 5 << 12 << 0 << 20 << Script{}
        << "Læg 20 til" << 32 << 20;
    QTest::newRow("sum 33, draw 0.5: plain") << 5 << 13 << 0 << 20 << Script{Real{0.5}}
        << "Læg 20 til" << 33 << 20;
    QTest::newRow("sum 34, draw 0.2: plain") << 5 << 14 << 0 << 20 << Script{Real{0.2}}
        << "Læg 20 til" << 34 << 20;
    QTest::newRow("sum 34, draw 0.51: reversed") << 5 << 14 << 0 << 20 << Script{Real{0.51}}
        << "Træk tallet fra 34" << 20 << 34;
    QTest::newRow("sum 40 = MaxNumber, draw 0.9: reversed") << 5 << 30 << 0 << 10
        << Script{Real{0.9}} << "Træk tallet fra 40" << 10 << 40;
    QTest::newRow("sum 41 above MaxNumber: reversed, no draw") << 5 << 30 << 0 << 11 << Script{}
        << "Træk tallet fra 41" << 11 << 41;
    QTest::newRow("type 9 threshold is 66: sum 67 draws") << 9 << 60 << 0 << 7 << Script{Real{0.6}}
        << "Træk tallet fra 67" << 7 << 67;
    QTest::newRow("basic: sum 99 is never reversed") << 4 << 90 << 0 << 9 << Script{}
        << "(+) Læg 9 til" << 99 << 9;
    QTest::newRow("basic: sum above MaxNumber neither") << 1 << 45 << 0 << 8 << Script{}
        << "(+) Læg 8 til" << 53 << 8;
    QTest::newRow("basic subtraction") << 2 << 30 << 1 << 5 << Script{}
        << "(-) Træk 5 fra" << 25 << 5;
    QTest::newRow("basic multiplication") << 3 << 7 << 2 << 3 << Script{}
        << "(·) Gang med 3" << 21 << 3;
    QTest::newRow("basic division") << 4 << 36 << 3 << 4 << Script{}
        << "(:) Del med 4" << 9 << 4;
    QTest::newRow("subtraction") << 6 << 50 << 1 << 12 << Script{}
        << "Træk 12 fra" << 38 << 12;
    QTest::newRow("multiplication") << 7 << 11 << 2 << 9 << Script{}
        << "Gang med 9" << 99 << 9;
    QTest::newRow("even division") << 5 << 36 << 3 << 4 << Script{}
        << "Divider med 4" << 9 << 4;
    QTest::newRow("integer division drops the remainder") << 11 << 17 << 3 << 5 << Script{}
        << "Divider med 5" << 3 << 5;
    // clang-format on
}

void StepInstructionsTest::buildSimpleStep() {
    QFETCH(int, type);
    QFETCH(int, current);
    QFETCH(int, op);
    QFETCH(int, operand);
    QFETCH(Script, draws);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(int, operandAfter);

    EngineState s = StateForType(type);
    s.CurrentNumber = current;
    s.Operation = op;
    s.Operand = operand;
    s.OperandText = std::to_string(operand);
    ScriptedRandom random(draws);
    QX5_SCRIPTED(BuildSimpleStep(s, random));
    QCOMPARE(QString::fromStdString(s.InstructionText), text);
    QCOMPARE(s.ExpectedResult, expected);
    QCOMPARE(s.Operand, operandAfter);
    QCOMPARE(s.OperandText, std::to_string(operandAfter));
    QCOMPARE(random.Left(), std::size_t{0});
}

void StepInstructionsTest::nextStep_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("stepBefore");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("prevOp");
    QTest::addColumn<Script>("draws");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("operand");        // Operand afterwards
    QTest::addColumn<int>("secondOp");       // SecondOperation afterwards
    QTest::addColumn<int>("prevOpAfter");    // PreviousOperation afterwards
    QTest::addColumn<int>("prevValueAfter"); // PreviousOperand afterwards
    QTest::addColumn<int>("redraws");

    // clang-format off
    QTest::newRow("5: simple, no combined draw") << 5 << 0 << 20 << -1
        << Script{Int{4, 1}, Int{16, 3}}
        << "Træk 7 fra" << 13 << 7 << -1 << 1 << 7 << 0;
    QTest::newRow("5: reversed keeps the addend as previous operand") << 5 << 0 << 14 << -1
        << Script{Int{4, 0}, Int{22, 16}, Real{0.7}}
        << "Træk tallet fra 34" << 20 << 34 << -1 << 0 << 20 << 0;
    QTest::newRow("8: combined draw 0.5 makes a simple step") << 8 << 0 << 12 << -1
        << Script{Int{4, 0}, Int{24, 1}, Real{0.5}}
        << "Læg 5 til" << 17 << 5 << -1 << 0 << 5 << 0;
    QTest::newRow("4: Læg 5 til og gang med 2 applied to 12") << 4 << 0 << 12 << -1
        << Script{Real{0.8}, Real{0.7}, Int{88, 28}, Real{0.6}, Int{2, 0}, Int{4, 0}}
        << "(+) Læg 5 til og gang med 2" << 34 << 5 << 2 << 2 << 2 << 0;
    QTest::newRow("9: multiplication, then addition") << 9 << 0 << 12 << -1
        << Script{Int{4, 2}, Int{5, 1}, Real{0.8}, Int{2, 0}, Int{37, 0}}
        << "Gang med 3 og læg 7 til" << 43 << 3 << 0 << 0 << 7 << 0;
    QTest::newRow("14: 17 og divider med 5 gives 3") << 14 << 0 << 12 << -1
        << Script{Int{4, 0}, Int{24, 1}, Real{0.9}, Int{2, 1}, Int{6, 3}}
        << "Læg 5 til og divider med 5" << 3 << 5 << 3 << 3 << 5 << 0;
    QTest::newRow("8: reversed first part, then divided") << 8 << 0 << 14 << -1
        << Script{Int{4, 0}, Int{22, 16}, Real{0.8}, Real{0.9}, Int{2, 1}, Int{3, 1}}
        << "Træk tallet fra 34 og divider med 4" << 5 << 34 << 3 << 3 << 4 << 0;
    // 12 + 5 = 17 allows neither multiplication nor division: a new addend is drawn.
    QTest::newRow("8: loops back to a new first operand") << 8 << 0 << 12 << -1
        << Script{Int{4, 0}, Int{24, 1}, Real{0.7}, Int{2, 0}, Int{24, 0}, Int{2, 1}, Int{2, 1}}
        << "Læg 4 til og divider med 4" << 4 << 4 << 3 << 3 << 4 << 1;
    // The addend 31 for 20 / 4 = 5 fails the range test; the fall-back draws addition for
    // 20 but the operand for 5, and the step stays its first part.
    QTest::newRow("4: dropped second part") << 4 << 5 << 20 << -1
        << Script{Real{0.1}, Real{0.1}, Int{3, 1}, Real{0.9}, Int{2, 0}, Int{95, 60},
                  Real{0.9}, Real{0.1}, Real{0.9}, Real{0.9}, Int{95, 10}}
        << "(:) Del med 4" << 5 << 4 << -1 << -1 << 6 << 0;
    // clang-format on
}

void StepInstructionsTest::nextStep() {
    QFETCH(int, type);
    QFETCH(int, stepBefore);
    QFETCH(int, current);
    QFETCH(int, prevOp);
    QFETCH(Script, draws);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(int, operand);
    QFETCH(int, secondOp);
    QFETCH(int, prevOpAfter);
    QFETCH(int, prevValueAfter);
    QFETCH(int, redraws);

    EngineState s = StateForType(type);
    s.StepIndex = stepBefore;
    s.CurrentNumber = current;
    s.PreviousOperation = prevOp;
    ScriptedRandom random(draws);
    RecordingCanvas canvas;
    StepTrace trace;
    QX5_SCRIPTED(trace = NextStep(s, random, canvas));

    QCOMPARE(s.StepIndex, stepBefore + 1);
    QCOMPARE(QString::fromStdString(s.InstructionText), text);
    QCOMPARE(s.ExpectedResult, expected);
    QCOMPARE(s.Operand, operand);
    QCOMPARE(s.OperandText, std::to_string(operand));
    QCOMPARE(s.SecondOperation, secondOp);
    QCOMPARE(s.PreviousOperation, prevOpAfter);
    QCOMPARE(s.PreviousOperand, prevValueAfter);
    QCOMPARE(trace.FirstOperandRedraws, redraws);
    QVERIFY(!trace.SecondPartGivenUp);
    QCOMPARE(random.Left(), std::size_t{0});

    // The instruction is drawn once, in blue, on its step's row.
    QCOMPARE(canvas.Texts.size(), std::size_t{1});
    const DrawnText& drawn = canvas.Texts.front();
    QCOMPARE(QString::fromStdString(drawn.Text), text);
    QCOMPARE(drawn.X, s.SheetLeft + 20);
    QCOMPARE(drawn.Y, RowY(canvas, stepBefore + 1));
    QCOMPARE(drawn.Font.Colour, Blue);
}

void StepInstructionsTest::hopelessSecondPartIsGivenUp_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("current");
    QTest::addColumn<Script>("firstDraws"); // up to the combined draw
    QTest::addColumn<Script>("eachLook");   // one look for a second operation
    QTest::addColumn<Script>("eachRedraw"); // one new first operand
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("prevValueAfter"); // PreviousOperand afterwards

    // Type 4 from 96: every addend is 1 at step 2, and 97 is prime and too large to
    // multiply, so no second part can ever follow.
    QTest::newRow("4: (+) Læg 1 til from 96")
        << 4 << 96 << Script{Real{0.8}, Real{0.7}, Int{4, 3}, Real{0.6}} << Script{Int{2, 1}}
        << Script{Int{4, 2}} << "(+) Læg 1 til" << 97 << 1;
    // Type 8 from 14 with the addend 20 drawn every time: 34 is shown reversed, and 20
    // cannot be multiplied; the scripted draws never pick division.
    QTest::newRow("8: reversed first part keeps the addend")
        << 8 << 14 << Script{Int{4, 0}, Int{22, 16}, Real{0.9}} << Script{Real{0.9}, Int{2, 0}}
        << Script{Int{22, 16}} << "Træk tallet fra 34" << 20 << 20;
}

void StepInstructionsTest::hopelessSecondPartIsGivenUp() {
    QFETCH(int, type);
    QFETCH(int, current);
    QFETCH(Script, firstDraws);
    QFETCH(Script, eachLook);
    QFETCH(Script, eachRedraw);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(int, prevValueAfter);

    // 100 new first operands, then one last look before the step stays simple.
    Script draws = firstDraws;
    for (int redraw = 0; redraw < 100; ++redraw) {
        draws.insert(draws.end(), eachLook.begin(), eachLook.end());
        draws.insert(draws.end(), eachRedraw.begin(), eachRedraw.end());
    }
    draws.insert(draws.end(), eachLook.begin(), eachLook.end());

    EngineState s = StateForType(type);
    s.StepIndex = 1;
    s.CurrentNumber = current;
    s.PreviousOperation = Multiplication;
    s.PreviousOperand = 4;
    ScriptedRandom random(draws);
    RecordingCanvas canvas;
    StepTrace trace;
    QX5_SCRIPTED(trace = NextStep(s, random, canvas));

    QCOMPARE(random.Left(), std::size_t{0});
    QVERIFY(trace.Combined);
    QVERIFY(trace.SecondPartGivenUp);
    QCOMPARE(trace.FirstOperandRedraws, 100);
    QCOMPARE(QString::fromStdString(s.InstructionText), text);
    QCOMPARE(s.ExpectedResult, expected);
    QCOMPARE(s.SecondOperation, NoOperation);
    QCOMPARE(s.PreviousOperation, Addition);
    QCOMPARE(s.PreviousOperand, prevValueAfter);
    QCOMPARE(canvas.Texts.size(), std::size_t{1});
}

QTEST_APPLESS_MAIN(StepInstructionsTest)
#include "tst_step_instructions.moc"
