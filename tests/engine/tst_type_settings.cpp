// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Exercise types: the settings each type writes, titles, captions and the fresh state.
#include "engine/type_settings.h"
#include "engine_fixtures.h"

#include <QSet>
#include <QtTest>

#include <cstring>
#include <new>

using namespace qx5;
using namespace qx5::test;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class TypeSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void freshStateIsAllZero();
    void settingsPerType_data();
    void settingsPerType();
    void titlesPerType_data();
    void titlesPerType();
    void basicModeLeavesIntegerDivisionAlone();
    void basicModeEmptiesTitleSlotsFiveAndSix();
    void tableInMenuOrder();
};

void TypeSettingsTest::freshStateIsAllZero() {
    // Built over memory full of garbage, so a field without an initialiser would show.
    alignas(EngineState) unsigned char storage[sizeof(EngineState)];
    std::memset(storage, 0xA5, sizeof storage);
    const EngineState& s = *new (storage) EngineState;

    const std::int32_t numbers[] = {
        s.ExerciseType,    s.StartSpan,       s.StartMin,      s.MaxNumber,
        s.MinOperand,      s.AddBelow,        s.SubtractAbove, s.MultiplyBelow,
        s.StepsPerSeries,  s.AnswerColumnX,   s.SheetLeft,     s.DivisorCount,
        s.CurrentNumber,   s.StartNumber,     s.StepIndex,     s.Operation,
        s.Operand,         s.SecondOperation, s.SecondOperand, s.PreviousOperation,
        s.PreviousOperand, s.ExpectedResult,  s.CorrectCount};
    for (const std::int32_t n : numbers) {
        QCOMPARE(n, 0);
    }
    const bool flags[] = {s.BasicMode, s.Combined,    s.IntegerDivision, s.RestartRequested,
                          s.CanAdd,    s.CanSubtract, s.CanMultiply,     s.CanDivide};
    for (const bool f : flags) {
        QVERIFY(!f);
    }
    QVERIFY(s.RangeLabel.empty() && s.InstructionText.empty() && s.AnswerText.empty());
    QVERIFY(s.OperandText.empty() && s.SecondOperandText.empty());
    for (std::int32_t i = 1; i <= DivisorCapacity; ++i) {
        QCOMPARE(s.Divisors[i], 0);
    }
    for (std::int32_t i = 1; i <= TitleSlots; ++i) {
        QVERIFY(s.TypeTitles[i].Title.empty());
    }
    for (std::int32_t i = 1; i <= MaxSteps; ++i) {
        const opgavelinier& r = s.StepRecords[i];
        QVERIFY(r.Number == 0 && r.Operand == 0 && r.Answer == 0 && r.Expected == 0);
        QVERIFY(r.InstructionText.empty() && r.NumberText.empty() && r.OperandText.empty() &&
                r.AnswerText.empty() && r.ExpectedText.empty());
    }
    s.~EngineState();
}

void TypeSettingsTest::settingsPerType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("startSpan");
    QTest::addColumn<int>("startMin");
    QTest::addColumn<int>("maxNumber");
    QTest::addColumn<int>("minOperand");
    QTest::addColumn<int>("addBelow"); // -1: not written by the type
    QTest::addColumn<int>("subtractAbove");
    QTest::addColumn<int>("multiplyBelow");
    QTest::addColumn<bool>("basic");
    QTest::addColumn<bool>("combined");
    QTest::addColumn<bool>("integerDivision");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("answerColumnX");
    QTest::addColumn<QString>("rangeLabel");

    // clang-format off
    QTest::newRow("1 plus only")         << 1  << 10 << 4  << 50  << 1  << -1 << 10 << 12 << true  << false << false << 6 << 370 << "Tal: 1-50 ";
    QTest::newRow("2 plus and minus")    << 2  << 10 << 4  << 50  << 1  << -1 << 10 << 12 << true  << false << false << 6 << 370 << "Tal: 1-50 ";
    QTest::newRow("3 plus minus times")  << 3  << 10 << 4  << 50  << 1  << -1 << 10 << 12 << true  << false << false << 6 << 370 << "Tal: 1-50 ";
    QTest::newRow("4 all four combined") << 4  << 60 << 34 << 100 << 1  << -1 << 25 << 30 << true  << true  << false << 6 << 500 << "Tal: 1-100";
    QTest::newRow("5 small simple")      << 5  << 30 << 10 << 40  << 4  << 15 << 10 << 12 << false << false << false << 9 << 300 << "Tal: 1-40";
    QTest::newRow("6 larger simple")     << 6  << 50 << 20 << 80  << 7  << 40 << 20 << 40 << false << false << false << 9 << 300 << "Tal: 1-80";
    QTest::newRow("7 largest simple")    << 7  << 70 << 20 << 120 << 10 << 60 << 30 << 60 << false << false << false << 9 << 300 << "Tal: 1-120";
    QTest::newRow("8 small combined")    << 8  << 30 << 10 << 40  << 4  << 15 << 10 << 12 << false << true  << false << 9 << 500 << "Tal: 1-40";
    QTest::newRow("9 larger combined")   << 9  << 50 << 20 << 80  << 7  << 40 << 20 << 40 << false << true  << false << 9 << 500 << "Tal: 1-80";
    QTest::newRow("10 largest combined") << 10 << 70 << 20 << 120 << 10 << 60 << 30 << 60 << false << true  << false << 9 << 500 << "Tal: 1-120";
    QTest::newRow("11 small simple int") << 11 << 30 << 10 << 40  << 4  << 15 << 10 << 12 << false << false << true  << 9 << 300 << "Tal: 1-40";
    QTest::newRow("12 larger simple int")<< 12 << 50 << 20 << 80  << 7  << 40 << 20 << 40 << false << false << true  << 9 << 300 << "Tal: 1-80";
    QTest::newRow("13 largest simple int")<< 13 << 70 << 20 << 120 << 10 << 60 << 30 << 60 << false << false << true << 9 << 300 << "Tal: 1-120";
    QTest::newRow("14 small comb int")   << 14 << 30 << 10 << 40  << 4  << 15 << 10 << 12 << false << true  << true  << 9 << 500 << "Tal: 1-40";
    QTest::newRow("15 larger comb int")  << 15 << 50 << 20 << 80  << 7  << 40 << 20 << 40 << false << true  << true  << 9 << 500 << "Tal: 1-80";
    QTest::newRow("16 largest comb int") << 16 << 70 << 20 << 120 << 10 << 60 << 30 << 60 << false << true  << true  << 9 << 500 << "Tal: 1-120";
    // clang-format on
}

void TypeSettingsTest::settingsPerType() {
    QFETCH(int, type);
    QFETCH(int, addBelow);
    QFETCH(bool, basic);

    // Start from a state another type left behind, so stale values would show.
    EngineState before;
    before.AddBelow = -1;
    const EngineState s = StateForType(type, before);

    QCOMPARE(s.BasicMode, basic);
    QTEST(s.StartSpan, "startSpan");
    QTEST(s.StartMin, "startMin");
    QTEST(s.MaxNumber, "maxNumber");
    QTEST(s.MinOperand, "minOperand");
    QCOMPARE(s.AddBelow, addBelow);
    QTEST(s.SubtractAbove, "subtractAbove");
    QTEST(s.MultiplyBelow, "multiplyBelow");
    QTEST(s.Combined, "combined");
    QTEST(s.IntegerDivision, "integerDivision");
    QTEST(s.StepsPerSeries, "steps");
    QTEST(s.AnswerColumnX, "answerColumnX");
    QCOMPARE(s.SheetLeft, 60);
    QTEST(Q(s.RangeLabel), "rangeLabel");
    // The family's titles: the basic types', two slots left empty, or those of types 5-10.
    const int first = basic ? 1 : 5;
    for (int slot = 1; slot <= TitleSlots; ++slot) {
        const bool empty = basic && slot > 4;
        QCOMPARE(Q(s.TypeTitles[slot].Title),
                 empty ? QString() : Q(CurrentTypeTitle(StateForType(first + slot - 1))));
    }
}

void TypeSettingsTest::titlesPerType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");

    QTest::newRow("1") << 1 << " (+) Kun plus ";
    QTest::newRow("2") << 2 << " (+,-) Plus og minus ";
    QTest::newRow("3 middle dot") << 3 << " (+,-,\u00b7) Plus, minus, gange ";
    QTest::newRow("4") << 4 << " (+,-,\u00b7,:) Alle fire slags ";
    QTest::newRow("5") << 5 << " Små tal, enkle opgaver";
    QTest::newRow("6") << 6 << " Større tal, enkle opgaver";
    QTest::newRow("7") << 7 << " Endnu større tal, enkle opgaver";
    QTest::newRow("8") << 8 << " Små tal, kombinations-opgaver";
    QTest::newRow("9 one blank") << 9 << " Større tal, kombinations-opgaver";
    QTest::newRow("10") << 10 << " Endnu større tal, kombinations-opgaver";
    QTest::newRow("11") << 11 << " Små tal, enkle opgaver med heltalsdivision";
    QTest::newRow("12") << 12 << " Større tal, enkle opgaver med heltalsdivision";
    QTest::newRow("13") << 13 << " Endnu større tal, enkle opgaver med heltalsdivision";
    QTest::newRow("14") << 14 << " Små tal, kombinations-opgaver med heltalsdivision";
    QTest::newRow("15") << 15 << " Større tal, kombinations-opgaver med heltalsdivision";
    QTest::newRow("16") << 16 << " Endnu større tal, kombinations-opgaver med heltalsdivision";
}

void TypeSettingsTest::titlesPerType() {
    QFETCH(int, type);
    QTEST(Q(CurrentTypeTitle(StateForType(type))), "title");
}

void TypeSettingsTest::basicModeLeavesIntegerDivisionAlone() {
    const EngineState after14 = StateForType(14);
    QVERIFY(after14.IntegerDivision);
    for (int basicType = 1; basicType <= 4; ++basicType) {
        const EngineState s = StateForType(basicType, after14);
        QVERIFY2(s.IntegerDivision, qPrintable(QString("type %1 after 14").arg(basicType)));
        // Everything else matches a fresh start in that type.
        EngineState fresh = StateForType(basicType);
        fresh.IntegerDivision = true;
        fresh.AddBelow = s.AddBelow; // basic types do not write it
        QCOMPARE(s, fresh);
    }
}

void TypeSettingsTest::basicModeEmptiesTitleSlotsFiveAndSix() {
    const EngineState s = StateForType(2, StateForType(16));
    QVERIFY(s.TypeTitles[5].Title.empty());
    QVERIFY(s.TypeTitles[6].Title.empty());
    QCOMPARE(Q(s.TypeTitles[4].Title), QString(" (+,-,\u00b7,:) Alle fire slags "));
}

void TypeSettingsTest::tableInMenuOrder() {
    // Each row's caption is its number and its title (blanks aside); the groups follow each
    // other in order, each one labelled after the first; the object names differ.
    const auto simplified = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).simplified();
    };
    QCOMPARE(LastExerciseType(), 16);
    QSet<QString> names;
    std::int32_t group = 0;
    for (const ExerciseType& row : ExerciseTypes) {
        QCOMPARE(&TypeRow(row.Number), &row);
        const QString title = simplified(row.Title);
        QCOMPARE(simplified(row.Caption), QString("%1. %2").arg(row.Number).arg(title));
        QVERIFY(row.Group == group || row.Group == group + 1);
        group = row.Group;
        QVERIFY(group == 0 || !TypeGroups[group].Label.empty());
        names << QString::fromLatin1(row.ObjectName);
    }
    QCOMPARE(group + 1, static_cast<int>(std::size(TypeGroups)));
    QCOMPARE(names.size(), LastExerciseType());
}

QTEST_APPLESS_MAIN(TypeSettingsTest)
#include "tst_type_settings.moc"
