// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a pupil meets it without a mouse or without the screen: what a screen
// reader is told of the answer box, the result and the heading box, and the heading and
// copy commands from the keyboard alone.
#include "outside_clipboard.h"
#include "program_fixture.h"
#include "transcript.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <memory>

using namespace qx5;
using namespace qx5::test;

namespace {

inline constexpr int FirstWrong = 2;
inline constexpr int SecondWrong = 6;

struct Program : ProgramFixture {
    Program()
        : ProgramFixture(4711) {}
    QPlainTextEdit* Result() const {
        return Child<QPlainTextEdit>(window.ExerciseWindow(), "ResultText");
    }
    // Type 5 with two answers one below the right number.
    void FinishSeries() {
        state.ExerciseType = 5;
        window.ExerciseWindow()->ShowExerciseType();
        PlaySeries([this](int step) {
            const bool wrong = step == FirstWrong || step == SecondWrong;
            return state.ExpectedResult + (wrong ? (state.ExpectedResult > 0 ? -1 : 1) : 0);
        });
    }
    QStringList TranscriptLines() {
        BuildTranscript(state, "", transcript);
        QStringList lines;
        for (const std::string& line : transcript) {
            lines << QString::fromStdString(line);
        }
        return lines;
    }
};

QString Text(QWidget* widget, QAccessible::Text which) {
    return QAccessible::queryAccessibleInterface(widget)->text(which);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void whatAScreenReaderIsTold();
    void resultDrawsNothingAndGivesTheFocusBack();
    void keysReachTheCommands_data();
    void keysReachTheCommands();
    void keysClashWithNothing();
};

void AccessibilityTest::whatAScreenReaderIsTold() {
    Program p;
    QVERIFY(p.Show());
    p.state.ExerciseType = 5;
    p.window.ExerciseWindow()->ShowExerciseType();
    const QString instruction = QString::fromStdString(p.state.InstructionText);
    const QString start = QString::number(p.state.CurrentNumber);
    QWidget* heading = Child<QDialog>(&p.window, "Overskrif")->findChild<QWidget*>("Edit1");
    QWidget* result = p.Result();

    struct Seen {
        QWidget* widget;
        QAccessible::Role role;
        QString name;
        QString description;
    };
    // The answer box while the series runs, the buttons whose keys are not in their hints,
    // and the heading dialog's box.
    const QList<Seen> seen = {
        {p.Edit1(), QAccessible::EditableText, QStringLiteral("Trin 1 af 9: ") + instruction,
         QStringLiteral("Dit tal er %1. Skriv det nye tal, og tryk Enter.").arg(start)},
        {p.Button("SpeedButton2"), QAccessible::Button,
         QStringLiteral("Navn eller overskrift til udskrifter"),
         QStringLiteral("Genvejstast: Alt+E")},
        {p.Button("SpeedButton4"), QAccessible::Button, QStringLiteral("Kopier til Klippebordet"),
         QStringLiteral("Genvejstast: Alt+K")},
        {heading, QAccessible::EditableText,
         QStringLiteral("Navn eller overskrift til udskrifter:"), QString()},
    };
    for (const Seen& s : seen) {
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(s.widget);
        QVERIFY(face);
        QCOMPARE(face->role(), s.role);
        QCOMPARE(face->text(QAccessible::Name), s.name);
        QCOMPARE(face->text(QAccessible::Description), s.description);
    }
    // The hints stay as they were.
    QCOMPARE(p.Button("SpeedButton2")->toolTip(),
             QStringLiteral("Navn eller overskrift til udskrifter"));
    QCOMPARE(p.Button("SpeedButton4")->toolTip(), QStringLiteral("Kopier til Klippebordet"));
    QVERIFY(!result->isVisible());

    p.PlaySeries([&p](int step) {
        const bool wrong = step == FirstWrong || step == SecondWrong;
        return p.state.ExpectedResult + (wrong ? (p.state.ExpectedResult > 0 ? -1 : 1) : 0);
    });
    // The result holds the score and the wrong steps in the transcript's own lines, and it
    // has the focus; its lines are what a screen reader reads with the arrow keys.
    QCOMPARE(QApplication::focusWidget(), result);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(result);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Resultat"));
    QVERIFY(face->state().focused && face->state().readOnly && face->state().focusable);
    QAccessibleTextInterface* text = face->textInterface();
    QVERIFY(text);
    QCOMPARE(text->cursorPosition(), 0);
    const QStringList transcript = p.TranscriptLines();
    QStringList expected{QStringLiteral("7 rigtige af 9.")};
    for (const QString& line : transcript) {
        if (line.contains(QStringLiteral("(det skulle være "))) {
            expected << line;
        }
    }
    QCOMPARE(expected.size(), 3);
    QCOMPARE(text->text(0, text->characterCount()).split(QLatin1Char('\n')), expected);
    // Down reads the next line: the first wrong step.
    QTest::keyClick(result, Qt::Key_Down);
    int start2 = 0;
    int end2 = 0;
    QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start2, &end2)
                 .trimmed(),
             expected[1]);
    QCOMPARE(Text(Child<QWidget>(p.window.ExerciseWindow(), "PaintBox1"), QAccessible::Description),
             QStringLiteral("7 rigtige af 9."));
}

void AccessibilityTest::resultDrawsNothingAndGivesTheFocusBack() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries();
    QPlainTextEdit* result = p.Result();
    QWidget* sheet = p.window.ExerciseWindow()->findChild<QWidget*>(QStringLiteral("PaintBox1"));
    QVERIFY(result->isVisible());
    QCOMPARE(result->geometry(), p.Edit1()->geometry());
    // Selecting by keyboard shows no more than the caret does.
    QTest::keyClick(result, Qt::Key_End, Qt::ShiftModifier);
    const QImage over = sheet->grab().toImage();
    result->hide();
    const QImage without = sheet->grab().toImage();
    result->show();
    QCOMPARE(over, without);

    // The next series takes the focus back to the answer box, and the result goes.
    QTest::keyClick(result, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), p.Edit1());
    QVERIFY(!result->isVisible());
    QCOMPARE(p.state.StepIndex, 1);
}

void AccessibilityTest::keysReachTheCommands_data() {
    QTest::addColumn<bool>("finished");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("opensDialog");
    QTest::addColumn<bool>("copies");
    QTest::newRow("Alt+E in the answer box opens the heading")
        << false << Qt::Key_E << true << false;
    QTest::newRow("Alt+E on the result opens the heading") << true << Qt::Key_E << true << false;
    QTest::newRow("Alt+K on the result copies") << true << Qt::Key_K << false << true;
    QTest::newRow("Alt+K during the series does nothing") << false << Qt::Key_K << false << false;
}

void AccessibilityTest::keysReachTheCommands() {
    QFETCH(bool, finished);
    QFETCH(Qt::Key, key);
    QFETCH(bool, opensDialog);
    QFETCH(bool, copies);
    Program p;
    QVERIFY(p.Show());
    if (finished) {
        p.FinishSeries();
    } else {
        p.state.ExerciseType = 5;
        p.window.ExerciseWindow()->ShowExerciseType();
    }
    QWidget* focused = finished ? static_cast<QWidget*>(p.Result()) : p.Edit1();
    QCOMPARE(QApplication::focusWidget(), focused);
    const QString before = QStringLiteral("nothing copied yet");
    QGuiApplication::clipboard()->setText(before);
    const QString typedBefore = p.Edit1()->text();

    QString opened;
    CloseNextModal(&p.window, opened);
    QTest::keyClick(focused, key, Qt::AltModifier);
    QTest::qWait(150);
    QCOMPARE(opened, opensDialog ? QStringLiteral("   Overskrift") : QString());

    const QByteArray transcript = CrLfText(p.TranscriptLines());
    QByteArray clipboard = QGuiApplication::clipboard()->text().toUtf8();
    if (!NoOutsideReader()) {
        const Outside outside = ReadWithXclip({});
        QVERIFY2(outside.ok, qPrintable(outside.error));
        clipboard = outside.output;
    }
    QCOMPARE(clipboard, copies ? transcript : before.toUtf8());
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    // The letter is the command's, never the answer box's.
    QCOMPARE(p.Edit1()->text(), typedBefore);
}

void AccessibilityTest::keysClashWithNothing() {
    Program p;
    QVERIFY(p.Show());
    // Every key of the window, the menu bar's access keys included, belongs to one command.
    QList<QKeySequence> keys;
    for (QAction* title : p.window.menuBar()->actions()) {
        keys << QKeySequence::mnemonic(title->text());
    }
    for (const QAction* action : p.window.findChildren<QAction*>()) {
        if (!action->menu()) {
            keys << action->shortcuts();
        }
    }
    for (const QAbstractButton* button :
         p.window.ExerciseWindow()->findChildren<QAbstractButton*>()) {
        keys << button->shortcut();
    }
    keys.removeAll(QKeySequence());
    for (const QKeySequence& ours :
         {QKeySequence(Qt::ALT | Qt::Key_E), QKeySequence(Qt::ALT | Qt::Key_K)}) {
        QCOMPARE(keys.count(ours), 1);
    }
    // And no text box takes them for itself before they reach the command.
    for (QWidget* box : QList<QWidget*>{p.Edit1(), p.Result()}) {
        for (const Qt::Key letter : {Qt::Key_E, Qt::Key_K}) {
            QKeyEvent override(QEvent::ShortcutOverride, letter, Qt::AltModifier,
                               QString(QChar(letter).toLower()));
            override.ignore();
            QApplication::sendEvent(box, &override);
            QVERIFY2(!override.isAccepted(), qPrintable(box->objectName()));
        }
    }
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
