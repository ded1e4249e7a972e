// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is told of the heading box and the buttons whose keys their hints do
// not name, the finished series' text over the sheet, and heading and copy from the keyboard
// alone. The series itself, as a screen reader follows it, is screen_reader_run's.
#include "outside_clipboard.h"
#include "program_fixture.h"
#include "transcript.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace qx5;
using namespace qx5::test;

namespace {

struct Program : ProgramFixture {
    Program()
        : ProgramFixture(4711) {}
    QPlainTextEdit* Result() const {
        return Child<QPlainTextEdit>(window.ExerciseWindow(), "ResultText");
    }
    // Type 5, from the menu.
    void Start() { Item("N1Smtalenkleopgaver1")->trigger(); }
    // The second and sixth answers one below the right number.
    void FinishSeries() {
        Start();
        PlaySeries(
            [this](int step) { return state.ExpectedResult - (step == 2 || step == 6 ? 1 : 0); });
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyStepGainsTheFocusAsANewObject();
    void namesAndDescriptions_data();
    void namesAndDescriptions();
    void resultDrawsNothingAndGivesTheFocusBack();
    void keysReachTheCommands_data();
    void keysReachTheCommands();
    void keysClashWithNothing();
};

// The focus events Qt sends a screen reader through the series: each step's box, then the
// result, each news to it.
void AccessibilityTest::everyStepGainsTheFocusAsANewObject() {
    if (!qEnvironmentVariableIsSet("QX5_ON_OWN_BUS")) {
        QSKIP("Qt sends accessibility events only on an accessibility bus: "
              "tst_accessibility_bus");
    }
    Program p;
    QVERIFY(p.Show());
    QTRY_VERIFY(QAccessible::isActive());
    struct Heard {
        QAccessible::Event type;
        QObject* object;
        QAccessible::Id id;
    };
    static QList<Heard> heard;
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        heard.append(
            {event->type(), event->object(), QAccessible::uniqueId(event->accessibleInterface())});
    });
    p.FinishSeries();
    QAccessible::installUpdateHandler(nullptr);
    // A screen reader takes an object whose caret moved as focused, and then a focus event
    // for it as no news.
    QList<QObject*> focused;
    QSet<QAccessible::Id> sinceFocus;
    for (const Heard& h : heard) {
        if (h.type == QAccessible::Focus) {
            QVERIFY2(focused.isEmpty() || !sinceFocus.contains(h.id),
                     qPrintable(QStringLiteral("focus event %1 is no news").arg(focused.size())));
            focused << h.object;
            sinceFocus.clear();
        }
        if (h.type == QAccessible::Focus || h.type == QAccessible::TextCaretMoved) {
            sinceFocus << h.id;
        }
    }
    QCOMPARE(focused, QList<QObject*>(9, p.Edit1()) << p.Result());
}

void AccessibilityTest::namesAndDescriptions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("heading box, by its label") << "Overskrif"
                                               << "Edit1"
                                               << "Navn eller overskrift til udskrifter:"
                                               << "";
    QTest::newRow("heading button") << "Form2"
                                    << "SpeedButton2"
                                    << "Navn eller overskrift til udskrifter"
                                    << "Genvejstast: Alt+E";
    QTest::newRow("copy button") << "Form2"
                                 << "SpeedButton4"
                                 << "Kopier til Klippebordet"
                                 << "Genvejstast: Alt+K";
    QTest::newRow("result") << "Form2"
                            << "ResultText"
                            << "Resultat"
                            << "";
}

void AccessibilityTest::namesAndDescriptions() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    Program p;
    auto* owner = Child<QWidget>(&p.window, qPrintable(window));
    // The controls come with the window's first opening.
    owner->show();
    auto* widget = Child<QWidget>(owner, qPrintable(control));
    const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(face->text(QAccessible::Name), name);
    QCOMPARE(face->text(QAccessible::Description), description);
    // A button's hint stays its name alone.
    if (auto* button = qobject_cast<QToolButton*>(widget)) {
        QCOMPARE(button->toolTip(), name);
    }
}

void AccessibilityTest::resultDrawsNothingAndGivesTheFocusBack() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries();
    QPlainTextEdit* result = p.Result();
    QCOMPARE(QApplication::focusWidget(), result);
    QCOMPARE(result->geometry(), p.Edit1()->geometry());
    QVERIFY(result->toPlainText().startsWith(QStringLiteral("7 rigtige af 9.\n")));
    // Neither its text nor a selection made by keyboard shows on the sheet.
    auto* sheet = Child<QWidget>(p.window.ExerciseWindow(), "PaintBox1");
    result->hide();
    const QImage without = sheet->grab().toImage();
    result->show();
    QCOMPARE(sheet->grab().toImage(), without);
    QTest::keyClick(result, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(sheet->grab().toImage(), without);
    // Zoomed from it, it stays in the answer's place.
    QTest::keyClick(result, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(result->geometry().width() > 57);
    QCOMPARE(result->geometry(), p.Edit1()->geometry());

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
    finished ? p.FinishSeries() : p.Start();
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(focused, finished ? static_cast<QWidget*>(p.Result()) : p.Edit1());
    const QString before = QStringLiteral("nothing copied yet");
    QGuiApplication::clipboard()->setText(before);
    const QString typed = p.Edit1()->text();

    QString opened;
    CloseNextModal(&p.window, opened);
    QTest::keyClick(focused, key, Qt::AltModifier);
    QTest::qWait(150);
    QCOMPARE(opened, opensDialog ? QStringLiteral("   Overskrift") : QString());

    QByteArray clipboard = QGuiApplication::clipboard()->text().toUtf8();
    if (!NoOutsideReader()) {
        const Outside outside = ReadWithXclip({});
        QVERIFY2(outside.ok, qPrintable(outside.error));
        clipboard = outside.output;
    }
    BuildTranscript(p.state, "", p.transcript);
    QStringList lines;
    for (const std::string& line : p.transcript) {
        lines << QString::fromStdString(line);
    }
    QCOMPARE(clipboard, copies ? CrLfText(lines) : before.toUtf8());
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    // The letter is the command's, never the answer box's.
    QCOMPARE(p.Edit1()->text(), typed);
}

void AccessibilityTest::keysClashWithNothing() {
    Program p;
    // With the exercise window's controls, which come with the first type.
    QVERIFY(p.Show());
    p.Start();
    // Every key of the window, the menu bar's access keys included, belongs to one command.
    QList<QKeySequence> keys;
    for (const QAction* title : p.window.menuBar()->actions()) {
        keys << QKeySequence::mnemonic(title->text());
    }
    for (const QAction* action : p.window.findChildren<QAction*>()) {
        keys << action->shortcuts();
    }
    for (const QAbstractButton* button : p.window.findChildren<QAbstractButton*>()) {
        keys << button->shortcut();
    }
    // That no text box takes them first, keysReachTheCommands shows.
    QCOMPARE(keys.count(QKeySequence(Qt::ALT | Qt::Key_E)), 1);
    QCOMPARE(keys.count(QKeySequence(Qt::ALT | Qt::Key_K)), 1);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
