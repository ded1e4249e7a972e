// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Operand choice: candidate ranges, the range, no-undo and bound tests, the fall-back to a
// new operation, and a property check over many simple chains in every type.
#include "counting_random.h"
#include "engine/operand_choice.h"
#include "engine/operation_choice.h"
#include "engine/type_settings.h"
#include "engine_fixtures.h"
#include "scripted_random.h"

#include <QtTest>

#include <functional>
#include <map>
#include <vector>

using namespace qx5;
using namespace qx5::test;

class OperandChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void inverseOperation();
    void chooseOperand_data();
    void chooseOperand();
    void staleDivisorEntryIsUsedWhenTheListIsEmpty();
    void basicModeDividesEvenlyAfterIntegerDivisionTypes();
    void simpleChainsKeepEveryRule();
};

void OperandChoiceTest::inverseOperation() {
    QCOMPARE(InverseOperation(Addition), Subtraction);
    QCOMPARE(InverseOperation(Subtraction), Addition);
    QCOMPARE(InverseOperation(Multiplication), Division);
    QCOMPARE(InverseOperation(Division), Multiplication);
}

void OperandChoiceTest::chooseOperand_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("current");   // CurrentNumber
    QTest::addColumn<int>("number");    // the number the operand applies to
    QTest::addColumn<int>("stepOp");    // the step's Operation
    QTest::addColumn<int>("op");        // the operation asked for
    QTest::addColumn<int>("prevOp");    // PreviousOperation
    QTest::addColumn<int>("prevValue"); // PreviousOperand
    QTest::addColumn<Script>("draws");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("finalOp");  // Operation afterwards
    QTest::addColumn<bool>("redrawn"); // whether a new operation was drawn

    // clang-format off
    QTest::newRow("5: addition to 14, lowest") << 5 << 1 << 14 << 14 << 0 << 0 << -1 << 0
        << Script{Int{22, 0}} << 4 << 0 << false;
    QTest::newRow("5: addition to 14, highest") << 5 << 1 << 14 << 14 << 0 << 0 << -1 << 0
        << Script{Int{22, 21}} << 25 << 0 << false;
    QTest::newRow("5: subtraction from 20") << 5 << 1 << 20 << 20 << 1 << 1 << -1 << 0
        << Script{Int{16, 0}} << 4 << 1 << false;
    QTest::newRow("step 1 has no no-undo test") << 5 << 1 << 20 << 20 << 1 << 1 << 0 << 5
        << Script{Int{16, 1}} << 5 << 1 << false;
    QTest::newRow("after Læg 5 til, minus 5 is redrawn") << 5 << 2 << 20 << 20 << 1 << 1 << 0 << 5
        << Script{Int{16, 1}, Int{4, 1}, Int{16, 0}} << 4 << 1 << true;
    QTest::newRow("after Læg 5 til, minus 4 is kept") << 5 << 2 << 20 << 20 << 1 << 1 << 0 << 5
        << Script{Int{16, 0}} << 4 << 1 << false;
    QTest::newRow("after Gang med 3, divide by 3 is redrawn") << 5 << 2 << 36 << 36 << 3 << 3 << 2 << 3
        << Script{Int{4, 1}, Int{4, 3}, Int{4, 0}} << 2 << 3 << true;
    QTest::newRow("no-undo reads the step's Operation, not op") << 7 << 2 << 10 << 10 << 0 << 2 << 1 << 5
        << Script{Int{11, 3}, Int{4, 2}, Int{11, 4}} << 6 << 2 << true;
    QTest::newRow("2: minus 21 fails the range test") << 2 << 1 << 45 << 45 << 1 << 1 << -1 << 0
        << Script{Int{44, 20}, Real{0.1}, Int{44, 19}} << 20 << 1 << true;
    QTest::newRow("3: minus 39 passes") << 3 << 1 << 45 << 45 << 1 << 1 << -1 << 0
        << Script{Int{44, 38}} << 39 << 1 << false;
    QTest::newRow("3: minus 40 fails") << 3 << 1 << 45 << 45 << 1 << 1 << -1 << 0
        << Script{Int{44, 39}, Real{0.7}, Real{0.1}, Int{44, 0}} << 1 << 1 << true;
    QTest::newRow("4: addition to 34 at step 1") << 4 << 1 << 34 << 34 << 0 << 0 << -1 << 0
        << Script{Int{66, 65}} << 10 << 0 << false;
    QTest::newRow("4: addition to 34 at step 6, 33 fails") << 4 << 6 << 34 << 34 << 0 << 0 << -1 << 0
        << Script{Int{66, 65}, Real{0.9}, Real{0.9}, Int{66, 39}} << 20 << 0 << true;
    QTest::newRow("2: a rejection may switch to addition") << 2 << 1 << 45 << 45 << 1 << 1 << -1 << 0
        << Script{Int{44, 25}, Real{0.7}, Int{5, 4}} << 1 << 0 << true;
    QTest::newRow("6: multiplier of 39 is 2") << 6 << 1 << 39 << 39 << 2 << 2 << -1 << 0
        << Script{Int{1, 0}} << 2 << 2 << false;
    QTest::newRow("4: multiplier of 28 up to 3") << 4 << 1 << 28 << 28 << 2 << 2 << -1 << 0
        << Script{Int{2, 1}} << 3 << 2 << false;
    QTest::newRow("11: divisor of 11 up to 5") << 11 << 1 << 11 << 11 << 3 << 3 << -1 << 0
        << Script{Int{4, 3}} << 5 << 3 << false;
    QTest::newRow("11: divisor of 14 up to 6") << 11 << 1 << 14 << 14 << 3 << 3 << -1 << 0
        << Script{Int{5, 4}} << 6 << 3 << false;
    QTest::newRow("13: divisor of 120 up to 41") << 13 << 1 << 120 << 120 << 3 << 3 << -1 << 0
        << Script{Int{40, 39}} << 41 << 3 << false;
    QTest::newRow("5: divisor of 36 from its list") << 5 << 1 << 36 << 36 << 3 << 3 << -1 << 0
        << Script{Int{4, 3}} << 6 << 3 << false;
    // Multiplication is feasible at 28 but not at 60: the redraw must judge CurrentNumber.
    QTest::newRow("rejection keeps the number, judges CurrentNumber") << 4 << 1 << 28 << 60 << 1 << 1 << -1 << 0
        << Script{Int{59, 30}, Real{0.5}, Real{0.7}} << 2 << 2 << true;
    QTest::newRow("4: range test reads op, not the step's Operation") << 4 << 1 << 34 << 34 << 2 << 1 << -1 << 0
        << Script{Int{33, 14}} << 15 << 2 << false;
    QTest::newRow("3: subtraction up to 39 by op, not Operation") << 3 << 1 << 45 << 45 << 2 << 1 << -1 << 0
        << Script{Int{44, 29}} << 30 << 2 << false;
    // clang-format on
}

void OperandChoiceTest::chooseOperand() {
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, op);
    QFETCH(Script, draws);
    QFETCH(int, value);
    QFETCH(bool, redrawn);

    EngineState s = StateForType(type);
    QFETCH(int, step);
    QFETCH(int, current);
    QFETCH(int, stepOp);
    QFETCH(int, prevOp);
    QFETCH(int, prevValue);
    s.StepIndex = step;
    s.CurrentNumber = current;
    s.Operation = stepOp;
    s.PreviousOperation = prevOp;
    s.PreviousOperand = prevValue;
    s.SecondOperation = Multiplication;
    UpdateFeasibility(s, number); // the divisor list of the number, as the step built it

    ScriptedRandom random(draws);
    std::int32_t chosen = -99;
    std::string text;
    QX5_SCRIPTED(ChooseOperand(s, random, op, number, chosen, text));
    QCOMPARE(chosen, value);
    QCOMPARE(QString::fromStdString(text), QString::number(value));
    QTEST(s.Operation, "finalOp");
    QCOMPARE(s.SecondOperation, redrawn ? NoOperation : Multiplication);
    QCOMPARE(s.PreviousOperation, prevOp); // the caller updates it, not ChooseOperand
    QCOMPARE(random.Left(), std::size_t{0});
}

// A division step from 35 (divisor list {5}) whose intermediate result 7 has no listed
// divisor: the redrawn divisor comes from the stale entry 1, still 5, without a draw.
void OperandChoiceTest::staleDivisorEntryIsUsedWhenTheListIsEmpty() {
    EngineState s = StateForType(5);
    s.StepIndex = 1;
    s.CurrentNumber = 35;
    s.Operation = Division;
    UpdateFeasibility(s, 35);
    QCOMPARE(s.DivisorCount, 1);
    UpdateFeasibility(s, 7);
    QCOMPARE(s.DivisorCount, 0);

    ScriptedRandom noDraws;
    std::int32_t divisor = 0;
    std::string text;
    QX5_SCRIPTED(ChooseOperand(s, noDraws, Division, 35, divisor, text));
    QCOMPARE(divisor, 5);
    QCOMPARE(text, std::string("5"));
}

// Type 4 after a visit to types 11-16 still has IntegerDivision set; it must not read it.
void OperandChoiceTest::basicModeDividesEvenlyAfterIntegerDivisionTypes() {
    EngineState s = StateForType(4, StateForType(14));
    QVERIFY(s.IntegerDivision);
    s.StepIndex = 1;
    s.CurrentNumber = 28;
    UpdateFeasibility(s, 28);
    ScriptedRandom random{Int{2, 1}};
    std::int32_t divisor = 0;
    std::string text;
    QX5_SCRIPTED(ChooseOperand(s, random, Division, 28, divisor, text));
    QCOMPARE(divisor, 4);
}

namespace {

// What a step may be, re-derived from the rules without the engine's helpers.
QString RuleBroken(const EngineState& s, std::int32_t x, std::int32_t op, std::int32_t a,
                   std::int32_t prevOp, std::int32_t prevValue) {
    const std::int32_t type = s.ExerciseType;
    if (s.BasicMode && op > type - 1) {
        return "operation not offered by the type";
    }
    if (s.StepIndex > 1 && ((op ^ 1) == prevOp) && a == prevValue) {
        return "undoes the previous step";
    }
    switch (op) {
    case Addition:
        if (s.BasicMode ? !(a >= 1 && a <= 20 && x + a <= s.MaxNumber)
                        : !(x < s.AddBelow && a >= s.MinOperand && x + a < s.MaxNumber)) {
            return "addition out of range";
        }
        break;
    case Subtraction: {
        const std::int32_t most = s.BasicMode ? (type == 3 ? 39 : 20) : s.MaxNumber;
        if (!(x > s.SubtractAbove && a >= s.MinOperand && a < x && a <= most)) {
            return "subtraction out of range";
        }
        break;
    }
    case Multiplication:
        if (!(x > 0 && x < s.MultiplyBelow && a >= 2 && x * a <= s.MaxNumber &&
              (!s.BasicMode || a <= 9))) {
            return "multiplication out of range";
        }
        break;
    case Division:
        if (!(x > 10 && a >= 2)) {
            return "division out of range";
        }
        if (!s.BasicMode && s.IntegerDivision) {
            if (a > (x + 1) / 3 + 1) {
                return "integer divisor too large";
            }
        } else if (x % a != 0 || (s.BasicMode && a > 9)) {
            return "division does not come out even";
        }
        break;
    default:
        return "no operation";
    }
    return {};
}

// What each operation gives, by its code, in the standard library's arithmetic rather than
// the engine's: division truncates toward zero; a code of no operation has no entry.
const std::map<std::int32_t, std::function<std::int32_t(std::int32_t, std::int32_t)>> Result{
    {Addition, std::plus<>()},
    {Subtraction, std::minus<>()},
    {Multiplication, std::multiplies<>()},
    {Division, std::divides<>()},
};

} // namespace

// Thousands of simple-step chains per type, with right and wrong answers, checked against
// the rules re-derived above. Also reports the most draws any step needed.
void OperandChoiceTest::simpleChainsKeepEveryRule() {
    constexpr int Chains = 3000;
    constexpr std::uint32_t Seed = 8122026;
    CountingRandom random(Seed, 100000);
    MersenneRandomSource answers(Seed + 1);
    for (int type = FirstExerciseType; type <= LastExerciseType(); ++type) {
        // Basic types come after an integer-division type, whose flag they must ignore.
        EngineState s = StateForType(type, StateForType(16));
        std::int64_t mostDraws = 0;
        for (int chain = 0; chain < Chains; ++chain) {
            s.CurrentNumber = s.StartMin + answers.Random(s.StartSpan);
            s.PreviousOperation = NoOperation;
            s.StepIndex = 0;
            for (int step = 1; step <= s.StepsPerSeries; ++step) {
                ++s.StepIndex;
                const std::int32_t x = s.CurrentNumber;
                const std::int32_t prevOp = s.PreviousOperation;
                const std::int32_t prevValue = s.PreviousOperand;
                random.ResetCount();
                try {
                    s.Operation = Addition;
                    ChooseOperation(s, random);
                    ChooseOperand(s, random, s.Operation, x, s.Operand, s.OperandText);
                } catch (const ScriptError& e) {
                    QFAIL(qPrintable(QString("type %1 seed %2 from %3: %4")
                                         .arg(type)
                                         .arg(Seed)
                                         .arg(x)
                                         .arg(e.what())));
                }
                mostDraws = std::max(mostDraws, random.Count());
                const QString broken = RuleBroken(s, x, s.Operation, s.Operand, prevOp, prevValue);
                QVERIFY2(broken.isEmpty(), qPrintable(QString("type %1, step %2: %3 op %4 %5: %6")
                                                          .arg(type)
                                                          .arg(step)
                                                          .arg(x)
                                                          .arg(s.Operation)
                                                          .arg(s.Operand)
                                                          .arg(broken)));
                QCOMPARE(s.OperandText, std::to_string(s.Operand));
                s.PreviousOperation = s.Operation;
                s.PreviousOperand = s.Operand;

                // The pupil answers right most of the time, else anything the box accepts.
                const std::int32_t bound = type == 1 ? s.MaxNumber - 7 + step : s.MaxNumber;
                const std::int32_t right = Result.at(s.Operation)(x, s.Operand);
                QVERIFY2(right >= 0 && right <= bound,
                         qPrintable(QString("type %1: right answer %2 outside 0..%3")
                                        .arg(type)
                                        .arg(right)
                                        .arg(bound)));
                s.CurrentNumber = answers.Random() < 0.7 ? right : answers.Random(bound + 1);
            }
        }
        qInfo("type %d: at most %lld draws for one step", type, static_cast<long long>(mostDraws));
    }
}

QTEST_APPLESS_MAIN(OperandChoiceTest)
#include "tst_operand_choice.moc"
