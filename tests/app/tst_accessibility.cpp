// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is told in the process: the focus events of a series (on an
// accessibility bus), the heading box and the buttons whose keys their hints do not name; and
// heading and copy from the keyboard alone. The series over the bus is screen_reader_run's.
#include "program_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QPlainTextEdit>

using namespace qx5;
using namespace qx5::test;

namespace {

// The connections to the object's destroyed signal: Qt's accessibility cache makes one for
// each accessible object it makes for it.
int DestroyedWatchers(QObject* object) {
    // receivers() is protected; a pointer to it named through a class of its own reaches it.
    struct Peek : QObject {
        using QObject::receivers;
    };
    return (object->*&Peek::receivers)(SIGNAL(destroyed(QObject*)));
}

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
    void everyStepGainsTheFocusAsNews();
    void namesAndDescriptions();
    void resultDrawsNothingAndGivesTheFocusBack();
    void keysReachTheCommands_data();
    void keysReachTheCommands();
    void renewingLeavesNoWatchBehind();
};

// Each step's box, then the result, gains the focus already named anew, and as an object
// the screen reader has not just heard of: one whose caret moved it takes as focused.
void AccessibilityTest::everyStepGainsTheFocusAsNews() {
    if (!qEnvironmentVariableIsSet("QX5_ON_OWN_BUS")) {
        QSKIP("Qt sends accessibility events only on an accessibility bus: "
              "tst_accessibility_bus");
    }
    Program p;
    QVERIFY(p.Show());
    QTRY_VERIFY(QAccessible::isActive());
    static QStringList heard;
    static QSet<QAccessible::Id> sinceFocus;
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        QAccessibleInterface* face = event->accessibleInterface();
        const bool focus = event->type() == QAccessible::Focus;
        if (focus) {
            // The first comes from outside the series; each later one must be news.
            const QAccessible::Id id = QAccessible::uniqueId(face);
            const QString stale = !heard.isEmpty() && sinceFocus.contains(id) ? "no news: " : "";
            heard << stale + face->text(QAccessible::Name) + " / " +
                         face->text(QAccessible::Description);
            sinceFocus.clear();
        }
        if (focus || event->type() == QAccessible::TextCaretMoved) {
            sinceFocus << QAccessible::uniqueId(face);
        }
    });
    p.FinishSeries();
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(heard.size(), 10);
    for (int step = 1; step <= 9; ++step) {
        const QRegularExpression told(QRegularExpression::anchoredPattern(
            QStringLiteral("Trin %1 af 9: .+ / Dit tal er -?\\d+\\. .+").arg(step)));
        QVERIFY2(told.match(heard[step - 1]).hasMatch(), qPrintable(heard[step - 1]));
    }
    QCOMPARE(heard.last(), QStringLiteral("Resultat / "));
}

// The heading box is named by its label; the buttons whose hints do not name their keys
// name them in their descriptions, their hints unchanged.
void AccessibilityTest::namesAndDescriptions() {
    Program p;
    const struct {
        const char *window, *control, *name, *description;
    } rows[] = {
        {"Overskrif", "Edit1", "Navn eller overskrift til udskrifter:", ""},
        {"Form2", "SpeedButton2", "Navn eller overskrift til udskrifter", "Genvejstast: Alt+E"},
        {"Form2", "SpeedButton4", "Kopier til Klippebordet", "Genvejstast: Alt+K"},
    };
    for (const auto& row : rows) {
        auto* owner = Child<QWidget>(&p.window, row.window);
        owner->show(); // its controls come with its first opening
        auto* widget = Child<QWidget>(owner, row.control);
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(row.name));
        QCOMPARE(face->text(QAccessible::Description), QString::fromUtf8(row.description));
        if (qobject_cast<QToolButton*>(widget)) {
            QCOMPARE(widget->toolTip(), QString::fromUtf8(row.name));
        }
    }
}

void AccessibilityTest::resultDrawsNothingAndGivesTheFocusBack() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries();
    QPlainTextEdit* result = p.Result();
    QCOMPARE(result->geometry(), p.Edit1()->geometry());
    // Neither its text nor a selection made by keyboard shows on the sheet.
    auto* sheet = Child<QWidget>(p.window.ExerciseWindow(), "PaintBox1");
    result->hide();
    const QImage without = sheet->grab().toImage();
    result->show();
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
}

void AccessibilityTest::keysReachTheCommands_data() {
    QTest::addColumn<bool>("finished");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("copies");
    QTest::newRow("Alt+E in the answer box") << false << Qt::Key_E << "   Overskrift" << false;
    QTest::newRow("Alt+E on the result") << true << Qt::Key_E << "   Overskrift" << false;
    QTest::newRow("Alt+K on the result") << true << Qt::Key_K << "" << true;
    QTest::newRow("Alt+K during the series") << false << Qt::Key_K << "" << false;
}

// From the answer box or the result the key opens the heading or copies, and the focus
// comes back. A key that clashed with another, a menu's access
// key among them, would do nothing.
void AccessibilityTest::keysReachTheCommands() {
    QFETCH(bool, finished);
    QFETCH(Qt::Key, key);
    QFETCH(QString, opened);
    QFETCH(bool, copies);
    Program p;
    QVERIFY(p.Show());
    finished ? p.FinishSeries() : p.Start();
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(focused, finished ? static_cast<QWidget*>(p.Result()) : p.Edit1());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QString caption;
    CloseNextModal(&p.window, caption);
    QTest::keyClick(focused, key, Qt::AltModifier);
    QTest::qWait(150);
    QCOMPARE(caption, opened);
    QCOMPARE(QGuiApplication::clipboard()->text().contains(QStringLiteral("7 rigtige af 9.")),
             copies);
    QTRY_COMPARE(QApplication::focusWidget(), focused);
}

// The answer box and the result, renewed for a screen reader at each step, leave no watch on
// their end behind: as many connections to their destroyed signals after four series as
// after the first.
void AccessibilityTest::renewingLeavesNoWatchBehind() {
    if (!qEnvironmentVariableIsSet("QX5_ON_OWN_BUS")) {
        QSKIP("objects are renewed only while accessibility is on: tst_accessibility_bus");
    }
    Program p;
    QVERIFY(p.Show());
    QTRY_VERIFY(QAccessible::isActive());
    const auto watchers = [&p] {
        return QList{DestroyedWatchers(p.Edit1()), DestroyedWatchers(p.Result())};
    };
    p.FinishSeries();
    const QList<int> first = watchers();
    for (int series = 2; series <= 4; ++series) {
        QTest::keyClick(p.Result(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), p.Edit1());
        p.PlaySeries([&p](int) { return p.state.ExpectedResult; });
    }
    QCOMPARE(watchers(), first);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
