// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Many thousands of seeded series in every type, answered by a simulated pupil, each step
// checked against an oracle that reads the instruction text back and recomputes the
// expected number from the number the step applies to. A failure prints how to replay it:
// QX5_REPLAY=<type>:<seed> plays that one series alone.
#include "counting_random.h"
#include "engine/series_run.h"
#include "layout/sheet_layout.h"
#include "recording_canvas.h"

#include <QtTest>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>

using namespace qx5;
using namespace qx5::test;

namespace {

constexpr int UnitsPerType = 2500;
constexpr std::uint32_t BaseSeed = 20261208u;

// What the oracle knows of each type, written down independently of the engine's tables.
struct TypeFacts {
    int MaxNumber;
    int MinOperand;
    int StartMin, StartMax;
    bool Basic, Combined, EvenDivision;
    std::string_view FirstOps; // first-part operations that may occur; 'R' is the reversed form
};

TypeFacts FactsOf(int type) {
    switch (type) {
    case 1:
        return {50, 1, 4, 13, true, false, false, "+"};
    case 2:
        return {50, 1, 4, 13, true, false, false, "+-"};
    case 3:
        return {50, 1, 4, 13, true, false, false, "+-*"};
    case 4:
        return {100, 1, 34, 93, true, true, true, "+-*/"};
    default: {
        constexpr TypeFacts levels[] = {{40, 4, 10, 39, false, false, false, "+-*/R"},
                                        {80, 7, 20, 69, false, false, false, "+-*/R"},
                                        {120, 10, 20, 89, false, false, false, "+-*/R"}};
        TypeFacts facts = levels[(type - 5) % 3];
        facts.Combined = (type >= 8 && type <= 10) || type >= 14;
        facts.EvenDivision = type <= 10;
        return facts;
    }
    }
}

struct Phrase {
    std::string_view Before, After;
    char Op;
};
constexpr Phrase BasicFirstParts[] = {{"(+) Læg ", " til", '+'},
                                      {"(-) Træk ", " fra", '-'},
                                      {"(·) Gang med ", "", '*'},
                                      {"(:) Del med ", "", '/'}};
constexpr Phrase PlainFirstParts[] = {{"Træk tallet fra ", "", 'R'},
                                      {"Læg ", " til", '+'},
                                      {"Træk ", " fra", '-'},
                                      {"Gang med ", "", '*'},
                                      {"Divider med ", "", '/'}};
constexpr Phrase SecondParts[] = {{" og læg ", " til", '+'},
                                  {" og træk ", " fra", '-'},
                                  {" og gang med ", "", '*'},
                                  {" og divider med ", "", '/'}};

struct Part {
    char Op = 0;
    int Operand = 0;
};

// Reads one phrase at the front of text (a number without sign or leading zero inside)
// and removes it.
template <std::size_t N>
std::optional<Part> ReadPart(std::string_view& text, const Phrase (&phrases)[N]) {
    for (const Phrase& p : phrases) {
        if (!text.starts_with(p.Before)) {
            continue;
        }
        std::string_view rest = text.substr(p.Before.size());
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || digits > 3 || rest[0] == '0' ||
            !rest.substr(digits).starts_with(p.After)) {
            continue;
        }
        text = rest.substr(digits + p.After.size());
        return Part{p.Op, std::stoi(std::string(rest.substr(0, digits)))};
    }
    return std::nullopt;
}

int OpCode(char op) {
    switch (op) {
    case '+':
    case 'R':
        return Addition;
    case '-':
        return Subtraction;
    case '*':
        return Multiplication;
    default:
        return Division;
    }
}

// Whether one operation undoes the other.
bool Undoes(char op, char other) {
    const std::string_view pair = std::string_view("+-*/").substr(OpCode(other) / 2 * 2, 2);
    return op != other && pair.find(op) != std::string_view::npos;
}

bool IsAddOrSubtract(char op) {
    return op == '+' || op == '-' || op == 'R';
}

// The step as the oracle reads it.
struct ReadStep {
    Part First;         // for the reversed form: Op 'R' and the sum shown
    int FirstDrawn = 0; // the operand as drawn: for the reversed form the addend
    std::optional<Part> Second;
    int Expected = 0;
};

// Everything one step must satisfy; returns what is broken, or nothing.
std::string CheckStep(const TypeFacts& facts, int step, int x, const std::string& text,
                      ReadStep& read) {
    std::string_view rest = text;
    const std::optional<Part> first =
        facts.Basic ? ReadPart(rest, BasicFirstParts) : ReadPart(rest, PlainFirstParts);
    if (!first) {
        return "the first part is not in the vocabulary";
    }
    read.First = *first;
    read.Second = ReadPart(rest, SecondParts);
    if (!rest.empty()) {
        return "text left over: '" + std::string(rest) + "'";
    }
    if (facts.FirstOps.find(first->Op) == std::string_view::npos) {
        return std::string("operation ") + first->Op + " does not occur in this type";
    }
    if (read.Second && !facts.Combined) {
        return "a combined step in a type without them";
    }

    const auto apply = [&](char op, int number, int operand, int& result) -> std::string {
        if (operand > facts.MaxNumber) {
            return "operand " + std::to_string(operand) + " above the range";
        }
        switch (op) {
        case '+':
            result = number + operand;
            break;
        case '-':
            result = number - operand;
            break;
        case '*':
            result = number * operand;
            break;
        case '/':
            if (operand < 2) {
                return "division by " + std::to_string(operand);
            }
            if (facts.EvenDivision && number % operand != 0) {
                return std::to_string(number) + " does not divide by " + std::to_string(operand);
            }
            result = number / operand;
            break;
        default: // 'R': subtract the number from the sum shown
            if (operand <= facts.MaxNumber - 2 * facts.MinOperand) {
                return "reversed addition below the top of the range";
            }
            result = operand - number;
            break;
        }
        if (result < 0 || result > facts.MaxNumber) {
            return "result " + std::to_string(result) + " outside 0.." +
                   std::to_string(facts.MaxNumber);
        }
        return {};
    };

    int intermediate = 0;
    if (std::string broken = apply(first->Op, x, first->Operand, intermediate); !broken.empty()) {
        return "first part: " + broken;
    }
    read.FirstDrawn = first->Op == 'R' ? intermediate : first->Operand;
    read.Expected = intermediate;
    if (read.Second) {
        if (IsAddOrSubtract(first->Op) == IsAddOrSubtract(read.Second->Op)) {
            return "a combined step must pair {+, -} with {·, :}";
        }
        if (std::string broken =
                apply(read.Second->Op, intermediate, read.Second->Operand, read.Expected);
            !broken.empty()) {
            return "second part: " + broken;
        }
    }
    const int bound = facts.Basic && facts.MaxNumber == 50 && facts.FirstOps == "+"
                          ? facts.MaxNumber - 7 + step
                          : facts.MaxNumber;
    if (read.Expected > bound) {
        return "expected " + std::to_string(read.Expected) + " above the answer bound";
    }
    return {};
}

// The pupil: mostly right, sometimes wrong, 0 or the bound, sometimes first something
// the program must refuse. Returns the text to type and its value.
struct Typed {
    std::string Text;
    int Value;
};

Typed PupilAnswer(std::mt19937& pupil, int expected, int bound) {
    const int roll = static_cast<int>(pupil() % 100);
    const std::string right = std::to_string(expected);
    if (roll < 50) {
        return {right, expected};
    }
    if (roll < 55) {
        return {" " + right, expected};
    }
    if (roll < 60) {
        return {"+" + right, expected};
    }
    if (roll < 65) {
        return {"0" + right, expected};
    }
    if (roll < 70) {
        return {"0", 0};
    }
    if (roll < 75) {
        return {std::to_string(bound), bound};
    }
    const int wrong = static_cast<int>(pupil() % static_cast<std::uint32_t>(bound + 1));
    return {std::to_string(wrong), wrong};
}

struct Refused {
    std::string Text;
    AnswerOutcome Outcome;
};

Refused RefusedAnswer(std::mt19937& pupil, int bound) {
    switch (pupil() % 5) {
    case 0:
        return {std::to_string(bound + 1), AnswerOutcome::TooLarge};
    case 1:
        return {"-" + std::to_string(1 + pupil() % 80), AnswerOutcome::Ignored};
    case 2:
        return {"1.5", AnswerOutcome::Ignored};
    case 3:
        return {"", AnswerOutcome::Ignored};
    default:
        return {"4294967296", AnswerOutcome::Ignored};
    }
}

struct Statistics {
    std::int64_t Steps = 0;
    std::int64_t MostDraws = 0;
    int MostRedraws = 0;
    int GivenUp = 0;
    int Combined = 0;
    int Reversed = 0;
};

// Plays one series; returns what is broken, or nothing.
std::string PlaySeries(EngineState& s, int type, CountingRandom& random, std::mt19937& pupil,
                       Statistics& stats) {
    const TypeFacts facts = FactsOf(type);
    const int steps = facts.Basic ? 6 : 9;
    const int replayed = s.RestartRequested ? s.StartNumber : -1;
    RecordingCanvas canvas;
    s.ExerciseType = type;
    random.ResetCount();
    StepTrace trace = NewSeries(s, random, canvas);
    const int start = s.StartNumber;
    if (replayed >= 0 ? start != replayed : start < facts.StartMin || start > facts.StartMax) {
        return "start number " + std::to_string(start);
    }

    int x = start;
    int right = 0;
    std::optional<Part> previous; // the part whose operand was drawn last, if the rule applies
    std::vector<std::string> texts;
    for (int step = 1; step <= steps; ++step) {
        const std::string at = "step " + std::to_string(step) + " from " + std::to_string(x) +
                               ", '" + s.InstructionText + "': ";
        stats.Steps++;
        stats.MostDraws = std::max(stats.MostDraws, random.Count());
        stats.MostRedraws = std::max(stats.MostRedraws, trace.FirstOperandRedraws);
        stats.GivenUp += trace.SecondPartGivenUp ? 1 : 0;
        stats.Combined += trace.Combined ? 1 : 0;
        if (s.StepIndex != step || s.CurrentNumber != x) {
            return at + "the step or its number is not the one the pupil reached";
        }
        ReadStep read;
        if (std::string broken = CheckStep(facts, step, x, s.InstructionText, read);
            !broken.empty()) {
            return at + broken;
        }
        stats.Reversed += read.First.Op == 'R' ? 1 : 0;
        if (read.Expected != s.ExpectedResult) {
            return at + "expects " + std::to_string(s.ExpectedResult) + ", the text gives " +
                   std::to_string(read.Expected);
        }
        if (read.Second && !trace.Combined) {
            return at + "a second part without the combined draw";
        }
        // A simple step never undoes the part drawn last in the step before.
        const Part drawn{read.First.Op == 'R' ? '+' : read.First.Op, read.FirstDrawn};
        if (!trace.Combined && previous && Undoes(drawn.Op, previous->Op) &&
            drawn.Operand == previous->Operand) {
            return at + "undoes the step before";
        }
        const Part last = read.Second ? *read.Second : drawn;
        const bool dropped = trace.Combined && !read.Second && !trace.SecondPartGivenUp;
        if (dropped) {
            if (s.PreviousOperation != NoOperation) {
                return at + "a dropped second part leaves a previous operation";
            }
            previous.reset();
        } else {
            if (s.PreviousOperation != OpCode(last.Op) || s.PreviousOperand != last.Operand) {
                return at + "the previous operation is not the part drawn last";
            }
            previous = last;
        }
        const auto drawnTexts = canvas.TextsAt(s.SheetLeft + 20, RowY(canvas, step));
        if (drawnTexts.empty() || drawnTexts.back().Text != s.InstructionText) {
            return at + "the instruction is not drawn on its row";
        }
        texts.push_back(s.InstructionText);

        const int bound = type == 1 ? 43 + step : facts.MaxNumber;
        if (pupil() % 100 < 15) {
            const Refused refused = RefusedAnswer(pupil, bound);
            const EngineState before = s;
            if (SubmitAnswer(s, random, canvas, refused.Text).Outcome != refused.Outcome ||
                !(s == before)) {
                return at + "'" + refused.Text + "' was not refused as it should be";
            }
        }
        const Typed typed = PupilAnswer(pupil, read.Expected, bound);
        random.ResetCount();
        const AnswerResult result = SubmitAnswer(s, random, canvas, typed.Text);
        const AnswerOutcome wanted =
            step < steps ? AnswerOutcome::AcceptedNextStep : AnswerOutcome::AcceptedFinished;
        if (result.Outcome != wanted) {
            return at + "'" + typed.Text + "' was not accepted";
        }
        trace = result.Step;
        const opgavelinier& record = s.StepRecords[step];
        if (record.InstructionText != texts.back() || record.Number != x ||
            record.NumberText != std::to_string(x) || record.Operand != read.First.Operand ||
            record.OperandText != std::to_string(read.First.Operand) ||
            record.Answer != typed.Value || record.AnswerText != typed.Text ||
            record.Expected != read.Expected ||
            record.ExpectedText != std::to_string(read.Expected)) {
            return at + "the record does not hold the step and its answer";
        }
        right += typed.Value == read.Expected ? 1 : 0;
        x = typed.Value;
    }
    if (s.CorrectCount != right) {
        return "score " + std::to_string(s.CorrectCount) + ", " + std::to_string(right) +
               " answers were right";
    }
    const std::string scoreLine =
        std::to_string(right) + " rigtige af " + std::to_string(steps) + ".";
    const auto score = canvas.TextsAt(100, RowY(canvas, steps + 2));
    if (score.size() != 1 || score.front().Text != scoreLine) {
        return "the score line '" + scoreLine + "' is not drawn";
    }
    return {};
}

std::uint32_t UnitSeed(int type, int unit) {
    return BaseSeed + 100000u * static_cast<std::uint32_t>(type) + static_cast<std::uint32_t>(unit);
}

// One seeded unit of play: a series, and now and then "Begynd forfra" on it.
std::string PlayUnit(int type, std::uint32_t seed, Statistics& stats) {
    CountingRandom random(seed, 100000);
    std::mt19937 pupil(seed ^ 0x5bd1e995u);
    EngineState s;
    try {
        std::string broken = PlaySeries(s, type, random, pupil, stats);
        if (broken.empty() && pupil() % 10 == 0) {
            s.RestartRequested = true;
            broken = PlaySeries(s, type, random, pupil, stats);
            broken = broken.empty() ? broken : "after Begynd forfra, " + broken;
        }
        return broken;
    } catch (const ScriptError& e) {
        return e.what();
    }
}

} // namespace

class SeriesPropertyTest : public QObject {
    Q_OBJECT

private slots:
    void everyStepOfEverySeriesKeepsTheRules();
};

void SeriesPropertyTest::everyStepOfEverySeriesKeepsTheRules() {
    const QByteArray replay = qgetenv("QX5_REPLAY");
    if (!replay.isEmpty()) {
        const QList<QByteArray> parts = replay.split(':');
        QCOMPARE(parts.size(), 2);
        Statistics stats;
        const std::string broken = PlayUnit(parts[0].toInt(), parts[1].toUInt(), stats);
        QVERIFY2(broken.empty(), broken.c_str());
        return;
    }
    for (int type = 1; type <= 16; ++type) {
        Statistics stats;
        for (int unit = 0; unit < UnitsPerType; ++unit) {
            const std::uint32_t seed = UnitSeed(type, unit);
            const std::string broken = PlayUnit(type, seed, stats);
            QVERIFY2(broken.empty(), qPrintable(QString("type %1, replay with QX5_REPLAY=%1:%2: %3")
                                                    .arg(type)
                                                    .arg(seed)
                                                    .arg(QString::fromStdString(broken))));
        }
        qInfo("type %2d: %lld steps, %d combined, %d reversed; at most %lld draws and %d new "
              "first operands in one step; %d second parts given up",
              type, static_cast<long long>(stats.Steps), stats.Combined, stats.Reversed,
              static_cast<long long>(stats.MostDraws), stats.MostRedraws, stats.GivenUp);
        // The combined and reversed forms must actually have been exercised.
        QVERIFY(FactsOf(type).Combined == (stats.Combined > 0));
        QVERIFY(FactsOf(type).Basic == (stats.Reversed == 0));
    }
}

QTEST_APPLESS_MAIN(SeriesPropertyTest)
#include "tst_series_property.moc"
