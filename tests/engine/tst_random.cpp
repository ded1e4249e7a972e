// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The random sources: the program's generator and the scripted one the tests rely on.
#include "engine/random_source.h"
#include "scripted_random.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

using namespace qx5;
using namespace qx5::test;

class RandomTest : public QObject {
    Q_OBJECT

private slots:
    void integerDrawsStayInRangeAndCoverIt_data();
    void integerDrawsStayInRangeAndCoverIt();
    void emptyRangeYieldsZeroWithoutDrawing();
    void realDrawsStayBelowOne();
    void reseedingRepeatsTheSequence();
    void drawsFollowTheRawOutputs_data();
    void drawsFollowTheRawOutputs();
    void scriptedSourceRefusesWhatWasNotScripted();
};

void RandomTest::integerDrawsStayInRangeAndCoverIt_data() {
    QTest::addColumn<int>("n");
    QTest::newRow("1") << 1;
    QTest::newRow("4") << 4;
    QTest::newRow("66") << 66;
}

void RandomTest::integerDrawsStayInRangeAndCoverIt() {
    QFETCH(int, n);
    MersenneRandomSource random(7);
    std::vector<int> seen(static_cast<std::size_t>(n), 0);
    for (int i = 0; i < 200 * n; ++i) {
        const std::int32_t r = random.Random(n);
        QVERIFY2(r >= 0 && r < n, qPrintable(QString::number(r)));
        ++seen[static_cast<std::size_t>(r)];
    }
    for (int v = 0; v < n; ++v) {
        QVERIFY2(seen[static_cast<std::size_t>(v)] > 0, qPrintable(QString::number(v)));
    }
}

void RandomTest::emptyRangeYieldsZeroWithoutDrawing() {
    MersenneRandomSource a(99);
    MersenneRandomSource b(99);
    QCOMPARE(a.Random(0), 0);
    QCOMPARE(a.Random(-5), 0);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(a.Random(1000), b.Random(1000));
    }
    ScriptedRandom scripted{Int{3, 2}};
    QCOMPARE(scripted.Random(0), 0);
    QCOMPARE(scripted.Used(), std::size_t{0});
    QCOMPARE(scripted.Random(3), 2);
}

void RandomTest::realDrawsStayBelowOne() {
    MersenneRandomSource random(3);
    double lowest = 1;
    double highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const double r = random.Random();
        QVERIFY(r >= 0.0 && r < 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest < 0.001 && highest > 0.999);
}

void RandomTest::reseedingRepeatsTheSequence() {
    MersenneRandomSource random;
    random.Reseed(12345);
    std::array<std::int32_t, 8> first{};
    for (auto& v : first) {
        v = random.Random(1000000);
    }
    random.Reseed(12345);
    for (auto v : first) {
        QCOMPARE(random.Random(1000000), v);
    }
}

void RandomTest::drawsFollowTheRawOutputs_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<qint64>>("expected");
    QTest::newRow("integer, 2^31 - 1")
        << std::numeric_limits<int>::max()
        << QList<qint64>{2131586212, 540154877, 113912551, 520617405};
    QTest::newRow("integer, 2^4: the top four bits") << 16 << QList<qint64>{15, 4, 0, 3, 14, 13};
    QTest::newRow("integer, 100") << 100 << QList<qint64>{99, 25, 5, 24, 92, 83};
    // 2^32 mod n is 1431655764 here: the first output falls below it and is drawn again.
    QTest::newRow("integer, just above 2^32 / 3: the first output redrawn")
        << 1431655766 << QList<qint64>{360103251, 75941701, 347078270, 1319166233};
    QTest::newRow("real, times 2^53: 27 and 26 bits of two outputs")
        << 0 << QList<qint64>{8940520575439071, 477783855218669, 8299476344731856};
}

// The same seed must give the same series whatever compiler and library built the program:
// the draws of one seed, worked out apart from the program from the Mersenne Twister's outputs,
// which the C++ standard fixes.
void RandomTest::drawsFollowTheRawOutputs() {
    QFETCH(int, n);
    QFETCH(QList<qint64>, expected);
    MersenneRandomSource random(20261209);
    for (const qint64 draw : expected) {
        if (n > 0) {
            QCOMPARE(qint64{random.Random(n)}, draw);
        } else {
            // Times 2^53 exactly: a whole number below 2^53.
            QCOMPARE(static_cast<qint64>(random.Random() * 0x1p53), draw);
        }
    }
}

void RandomTest::scriptedSourceRefusesWhatWasNotScripted() {
    ScriptedRandom wrongKind{Real{0.5}};
    QVERIFY_THROWS_EXCEPTION(ScriptError, wrongKind.Random(4));

    ScriptedRandom wrongKindReal{Int{4, 1}};
    QVERIFY_THROWS_EXCEPTION(ScriptError, wrongKindReal.Random());

    ScriptedRandom wrongBound{Int{4, 1}};
    QVERIFY_THROWS_EXCEPTION(ScriptError, wrongBound.Random(5));

    ScriptedRandom oneDraw{Real{0.25}};
    QCOMPARE(oneDraw.Random(), 0.25);
    QVERIFY_THROWS_EXCEPTION(ScriptError, oneDraw.Random());
}

QTEST_APPLESS_MAIN(RandomTest)
#include "tst_random.moc"
