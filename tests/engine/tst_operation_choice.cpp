// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Operation choice: divisor lists, feasibility, the draw sequence and the resulting odds.
#include "engine/operation_choice.h"
#include "engine/type_settings.h"
#include "engine_fixtures.h"
#include "scripted_random.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <map>
#include <vector>

using namespace qx5;
using namespace qx5::test;

namespace {

QList<int> DivisorList(const EngineState& s) {
    QList<int> list;
    for (std::int32_t i = 1; i <= s.DivisorCount; ++i) {
        list << s.Divisors[i];
    }
    return list;
}

// Chance of addition, subtraction, multiplication, division in one pass of drawing.
std::array<double, 4> PassOdds(std::int32_t type) {
    switch (type) {
    case 1:
        return {1, 0, 0, 0};
    case 2:
        return {0.4, 0.6, 0, 0};
    case 3:
        return {0.16, 0.24, 0.6, 0};
    case 4:
        return {0.12, 0.18, 0.28, 0.42};
    default:
        return {0.25, 0.25, 0.25, 0.25};
    }
}

} // namespace

class OperationChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void findDivisors_data();
    void findDivisors();
    void findDivisorsLeavesHigherEntries();
    void feasibility_data();
    void feasibility();
    void zeroAllowsOnlyAdditionInEveryType();
    void integerDivisionKeepsTheDivisorList();
    void drawSequence_data();
    void drawSequence();
    void frequenciesFollowTheOdds();
};

void OperationChoiceTest::findDivisors_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("divisors");

    QTest::newRow("negative") << -12 << QList<int>{};
    QTest::newRow("0") << 0 << QList<int>{};
    QTest::newRow("1") << 1 << QList<int>{};
    QTest::newRow("2 lists itself") << 2 << QList<int>{2};
    QTest::newRow("3 prime") << 3 << QList<int>{};
    QTest::newRow("4 square") << 4 << QList<int>{2};
    QTest::newRow("6 reaches sqrt+1") << 6 << QList<int>{2, 3};
    QTest::newRow("8") << 8 << QList<int>{2};
    QTest::newRow("9") << 9 << QList<int>{3};
    QTest::newRow("10") << 10 << QList<int>{2};
    QTest::newRow("11 prime") << 11 << QList<int>{};
    QTest::newRow("12") << 12 << QList<int>{2, 3, 4};
    QTest::newRow("13 prime") << 13 << QList<int>{};
    QTest::newRow("20") << 20 << QList<int>{2, 4, 5};
    QTest::newRow("35") << 35 << QList<int>{5};
    QTest::newRow("36") << 36 << QList<int>{2, 3, 4, 6};
    QTest::newRow("97 prime") << 97 << QList<int>{};
    QTest::newRow("100") << 100 << QList<int>{2, 4, 5, 10};
    QTest::newRow("120") << 120 << QList<int>{2, 3, 4, 5, 6, 8, 10};
}

void OperationChoiceTest::findDivisors() {
    QFETCH(int, n);
    QFETCH(QList<int>, divisors);
    EngineState s;
    s.Divisors[1] = 77; // must be overwritten or, with no divisor, left alone
    const bool none = FindDivisors(s, n);
    QCOMPARE(none, divisors.isEmpty());
    QCOMPARE(DivisorList(s), divisors);
    if (divisors.isEmpty()) {
        QCOMPARE(s.Divisors[1], 77);
    }
}

void OperationChoiceTest::findDivisorsLeavesHigherEntries() {
    EngineState s;
    FindDivisors(s, 120);
    FindDivisors(s, 9);
    QCOMPARE(DivisorList(s), QList<int>{3});
    QCOMPARE(s.Divisors[2], 3);
    QCOMPARE(s.Divisors[7], 10);
    QCOMPARE(s.Divisors[8], 0);
}

void OperationChoiceTest::feasibility_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("add");
    QTest::addColumn<bool>("subtract");
    QTest::addColumn<bool>("multiply");
    QTest::addColumn<bool>("divide");

    // clang-format off
    QTest::newRow("1: 11 addition only")           << 1  << 11 << true  << false << false << false;
    QTest::newRow("1: 49 below 50")                << 1  << 49 << true  << false << false << false;
    QTest::newRow("2: 50 subtraction only")        << 2  << 50 << false << true  << false << false;
    QTest::newRow("2: 10 not above 10")            << 2  << 10 << true  << false << false << false;
    QTest::newRow("2: 11 no multiplication")       << 2  << 11 << true  << true  << false << false;
    QTest::newRow("3: 11 multiplies")              << 3  << 11 << true  << true  << true  << false;
    QTest::newRow("3: 12 never divides")           << 3  << 12 << true  << true  << false << false;
    QTest::newRow("4: 28 all four")                << 4  << 28 << true  << true  << true  << true;
    QTest::newRow("4: 30 not below 30")            << 4  << 30 << true  << true  << false << true;
    QTest::newRow("4: 10 has 2 but is not above 10") << 4 << 10 << true  << false << true  << false;
    QTest::newRow("4: 97 prime")                   << 4  << 97 << true  << true  << false << false;
    QTest::newRow("4: 100 at the maximum")         << 4  << 100 << false << true << false << true;
    QTest::newRow("5: 12")                         << 5  << 12 << true  << true  << false << true;
    QTest::newRow("5: 11 multiplies")              << 5  << 11 << true  << true  << true  << false;
    QTest::newRow("5: 13 prime, no division")      << 5  << 13 << true  << true  << false << false;
    QTest::newRow("5: 14 below 15")                << 5  << 14 << true  << true  << false << true;
    QTest::newRow("5: 15 not below 15")            << 5  << 15 << false << true  << false << true;
    QTest::newRow("5: 10 neither sub nor div")     << 5  << 10 << true  << false << true  << false;
    QTest::newRow("6: 39 multiplies")              << 6  << 39 << true  << true  << true  << true;
    QTest::newRow("6: 40 nor add nor multiply")    << 6  << 40 << false << true  << false << true;
    QTest::newRow("7: 30 not above 30")            << 7  << 30 << true  << false << true  << true;
    QTest::newRow("11: 13 divides")                << 11 << 13 << true  << true  << false << true;
    QTest::newRow("11: 10 does not divide")        << 11 << 10 << true  << false << true  << false;
    QTest::newRow("16: 119 divides")               << 16 << 119 << false << true << false << true;
    QTest::newRow("negative: only addition")       << 8  << -3 << true  << false << false << false;
    // clang-format on
}

void OperationChoiceTest::feasibility() {
    QFETCH(int, type);
    QFETCH(int, n);
    EngineState s = StateForType(type);
    UpdateFeasibility(s, n);
    QTEST(s.CanAdd, "add");
    QTEST(s.CanSubtract, "subtract");
    QTEST(s.CanMultiply, "multiply");
    QTEST(s.CanDivide, "divide");
}

void OperationChoiceTest::zeroAllowsOnlyAdditionInEveryType() {
    for (int type = FirstExerciseType; type <= LastExerciseType(); ++type) {
        EngineState s = StateForType(type);
        UpdateFeasibility(s, 0);
        QVERIFY2(s.CanAdd && !s.CanSubtract && !s.CanMultiply && !s.CanDivide,
                 qPrintable(QString("type %1").arg(type)));
    }
}

void OperationChoiceTest::integerDivisionKeepsTheDivisorList() {
    EngineState s = StateForType(11);
    FindDivisors(s, 36);
    UpdateFeasibility(s, 13);
    QVERIFY(s.CanDivide);
    QCOMPARE(DivisorList(s), (QList<int>{2, 3, 4, 6}));

    // In basic mode the list is rebuilt even when IntegerDivision was left set.
    EngineState basic = StateForType(4);
    basic.IntegerDivision = true;
    FindDivisors(basic, 36);
    UpdateFeasibility(basic, 13);
    QVERIFY(!basic.CanDivide);
    QCOMPARE(basic.DivisorCount, 0);
}

void OperationChoiceTest::drawSequence_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<Script>("draws");
    QTest::addColumn<int>("operation");

    QTest::newRow("1: no draw") << 1 << 11 << Script{} << 0;
    QTest::newRow("2: below 0.6 subtracts") << 2 << 11 << Script{Real{0.5999}} << 1;
    QTest::newRow("2: 0.6 adds") << 2 << 11 << Script{Real{0.6}} << 0;
    QTest::newRow("2: at 50 addition is drawn again")
        << 2 << 50 << Script{Real{0.6}, Real{0.9}, Real{0.1}} << 1;
    QTest::newRow("3: below 0.6 multiplies") << 3 << 11 << Script{Real{0.5999}} << 2;
    QTest::newRow("3: 0.6 then below 0.6 subtracts")
        << 3 << 11 << Script{Real{0.6}, Real{0.0}} << 1;
    QTest::newRow("3: 0.6 then 0.6 adds") << 3 << 11 << Script{Real{0.6}, Real{0.6}} << 0;
    QTest::newRow("4: below 0.7, below 0.6 divides")
        << 4 << 28 << Script{Real{0.6999}, Real{0.5999}} << 3;
    QTest::newRow("4: below 0.7, 0.6 multiplies")
        << 4 << 28 << Script{Real{0.6999}, Real{0.6}} << 2;
    QTest::newRow("4: 0.7, below 0.6 subtracts") << 4 << 28 << Script{Real{0.7}, Real{0.5999}} << 1;
    QTest::newRow("4: 0.7, 0.6 adds") << 4 << 28 << Script{Real{0.7}, Real{0.6}} << 0;
    QTest::newRow("4: at 97 division and multiplication are redrawn")
        << 4 << 97 << Script{Real{0.1}, Real{0.1}, Real{0.1}, Real{0.9}, Real{0.9}, Real{0.9}} << 0;
    QTest::newRow("5: uniform draw") << 5 << 12 << Script{Int{4, 3}} << 3;
    QTest::newRow("5: infeasible multiplication redrawn")
        << 5 << 12 << Script{Int{4, 2}, Int{4, 2}, Int{4, 1}} << 1;
    QTest::newRow("14: 0 allows only addition")
        << 14 << 0 << Script{Int{4, 3}, Int{4, 1}, Int{4, 2}, Int{4, 0}} << 0;
}

void OperationChoiceTest::drawSequence() {
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(Script, draws);

    EngineState s = StateForType(type);
    s.CurrentNumber = number;
    s.Operation = 3;
    s.SecondOperation = 2;
    ScriptedRandom random(draws);
    QX5_SCRIPTED(ChooseOperation(s, random));
    QTEST(s.Operation, "operation");
    QCOMPARE(s.SecondOperation, NoOperation);
    QCOMPARE(random.Left(), std::size_t{0});
}

// For each type and each set of feasible operations that some number of the type gives,
// many seeded choices must follow the pass odds restricted to that set and scaled up.
// Tolerance: 5 standard deviations of the binomial count, so a fixed seed never flakes
// yet an odds table off by a few percent fails.
void OperationChoiceTest::frequenciesFollowTheOdds() {
    constexpr int Draws = 20000;
    MersenneRandomSource random(20261208);
    for (int type = FirstExerciseType; type <= LastExerciseType(); ++type) {
        int patternsChecked = 0;
        EngineState s = StateForType(type);
        std::map<std::array<bool, 4>, std::int32_t> numberForPattern;
        const std::int32_t highest = type == 1 ? s.MaxNumber - 1 : s.MaxNumber;
        for (std::int32_t n = 0; n <= highest; ++n) {
            UpdateFeasibility(s, n);
            numberForPattern.try_emplace({s.CanAdd, s.CanSubtract, s.CanMultiply, s.CanDivide}, n);
        }
        const std::array<double, 4> odds = PassOdds(type);
        for (const auto& [pattern, n] : numberForPattern) {
            double feasibleOdds = 0;
            for (int op = 0; op < 4; ++op) {
                feasibleOdds += pattern[static_cast<std::size_t>(op)] ? odds[op] : 0;
            }
            if (feasibleOdds == 0) {
                continue; // the type never offers these operations (type 1 above 49)
            }
            std::array<int, 4> counts{};
            s.CurrentNumber = n;
            for (int i = 0; i < Draws; ++i) {
                ChooseOperation(s, random);
                ++counts[static_cast<std::size_t>(s.Operation)];
            }
            for (int op = 0; op < 4; ++op) {
                const auto k = static_cast<std::size_t>(op);
                const QString where = QString("type %1, number %2, operation %3: %4 of %5")
                                          .arg(type)
                                          .arg(n)
                                          .arg(op)
                                          .arg(counts[k])
                                          .arg(Draws);
                if (!pattern[k]) {
                    QVERIFY2(counts[k] == 0, qPrintable("infeasible drawn, " + where));
                    continue;
                }
                const double p = odds[k] / feasibleOdds;
                const double tolerance = 5 * std::sqrt(p * (1 - p) / Draws) + 1e-9;
                QVERIFY2(std::abs(double(counts[k]) / Draws - p) <= tolerance,
                         qPrintable(where + QString(", expected %1").arg(p)));
            }
            ++patternsChecked;
        }
        QVERIFY2(patternsChecked > 0, qPrintable(QString("type %1").arg(type)));
    }
}

QTEST_APPLESS_MAIN(OperationChoiceTest)
#include "tst_operation_choice.moc"
