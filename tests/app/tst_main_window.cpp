// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as the program starts it: menu, splash, start-up steps, help and about
// box, and the exercise window inside it.
#include "app/about_box.h"
#include "app/access_keys.h"
#include "app/danish_translation.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/startup_style.h"
#include "engine/program_texts.h"
#include "layout/sheet_layout.h"
#include "pictures/pictures.h"
#include "program_fixture.h"
#include "sheet/exercise_window.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

using namespace qx5;
using namespace qx5::test;

namespace {

struct Program : ProgramFixture {
    Program()
        : ProgramFixture(4711) {}
    void FinishSeries(const char* typeItem) {
        Item(typeItem)->trigger();
        PlaySeries([this](int) { return state.ExpectedResult; });
    }
    // Shows the window; the splash must be up, its timer running. On a machine so busy that
    // showing took the splash's whole time it may be gone already, and then for good.
    bool ShowWithSplash() {
        QElapsedTimer showing;
        showing.start();
        if (!Show()) {
            return false;
        }
        const bool up = window.findChild<QLabel*>(QStringLiteral("Image1"))->isVisible();
        const bool running = window.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive();
        return up == running && (up || showing.elapsed() >= qx5::SplashMilliseconds);
    }
};

QString WithoutAccessKey(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

// The captions of a menu in order, a separator as "-".
QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* item : menu->actions()) {
        captions << (item->isSeparator() ? QStringLiteral("-") : WithoutAccessKey(item->text()));
    }
    return captions;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menusInOrderWithExactCaptions_data();
    void menusInOrderWithExactCaptions();
    void accessKeys_data();
    void accessKeys();
    void everyMenuHasDistinctAccessKeys();
    void startUpState();
    void splashPlacedAndHiddenForGood();
    void resizeFromOutsideKeepsTheMinimumAndTheCorner_data();
    void resizeFromOutsideKeepsTheMinimumAndTheCorner();
    void restoredWindowStaysInsideTheOutput();
    void activationStepsRunOnceOnly();
    void printCommandOnlyForAFinishedSeries();
    void groupLabelHidesTheExerciseWindow();
    void f1OpensHelpFromWindowAndAnswerBox();
    void altKeysReachTheToolBarNotTheMenu();
    void keysTypedRightAfterACommandReachTheNewSeries_data();
    void keysTypedRightAfterACommandReachTheNewSeries();
    void resizeRefitsTheShownExerciseWindow();
    void aboutBox();
    void afslutClosesTheWindow_data();
    void afslutClosesTheWindow();
    void qtSpeaksDanish();
    void overflowButtonAfterAStyleChange();
};

void MainWindowTest::menusInOrderWithExactCaptions_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Filer") << "Filer1"
                           << "Filer" << QStringList{"Udskriv", "Afslut"};
    QTest::newRow("Vælg opgavetype") << "K1"
                                     << "Vælg opgavetype"
                                     << QStringList{"1. (+) Kun plus ",
                                                    "2. (+,-) Plus og minus ",
                                                    "3. (+,-,·) Plus, minus, gange",
                                                    "4. (+,-,·,:) Alle fire slags",
                                                    "-",
                                                    "Divisioner går op:",
                                                    "5. Små tal, enkle opgaver",
                                                    "6. Større tal, enkle opgaver",
                                                    "7. Endnu større tal, enkle opgaver",
                                                    "8. Små tal, kombinations-opgaver",
                                                    "9. Større  tal, kombinations-opgaver",
                                                    "10. Endnu større  tal, kombinations-opgaver",
                                                    "-",
                                                    "Ved division smides resten væk:",
                                                    "11. Små tal, enkle opgaver",
                                                    "12. Større tal, enkle opgaver",
                                                    "13. Endnu større tal, enkle opgaver",
                                                    "14. Små tal, kombinations-opgaver",
                                                    "15. Større  tal, kombinations-opgaver",
                                                    "16. Endnu større  tal, kombinations-opgaver"};
    QTest::newRow("Hjælp") << "Oplysninger1"
                           << "Hjælp" << QStringList{"Vejledning", "-", "Om programmet"};
}

void MainWindowTest::menusInOrderWithExactCaptions() {
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    Program p;
    const auto* found = p.window.findChild<QMenu*>(menu);
    QVERIFY(found);
    QCOMPARE(WithoutAccessKey(found->title()), title);
    QCOMPARE(Captions(found), captions);
    for (const QAction* item : found->actions()) {
        QVERIFY(!item->isCheckable());
    }
}

void MainWindowTest::accessKeys_data() {
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("first letters of words first")
        << QStringList{"Udskriv", "Afslut"} << QStringList{"&Udskriv", "&Afslut"};
    QTest::newRow("a taken letter moves to the next word")
        << QStringList{"Vejledning", "Vis alt"} << QStringList{"&Vejledning", "Vis &alt"};
    QTest::newRow("then any free letter or digit, case-blind")
        << QStringList{"ab", "Ab", "AB", "ba"} << QStringList{"&ab", "A&b", "AB", "ba"};
    QTest::newRow("digits count, punctuation does not")
        << QStringList{"1. (+) Kun plus ", "10. Tal"}
        << QStringList{"&1. (+) Kun plus ", "10. &Tal"};
    QTest::newRow("an ampersand stays text") << QStringList{"& og &"} << QStringList{"&& &og &&"};
}

void MainWindowTest::accessKeys() {
    QFETCH(QStringList, captions);
    QFETCH(QStringList, marked);
    QString used;
    QStringList result;
    for (const QString& caption : captions) {
        result << WithAccessKey(caption, used);
    }
    QCOMPARE(result, marked);
}

void MainWindowTest::everyMenuHasDistinctAccessKeys() {
    Program p;
    QList<QList<QAction*>> menus{p.window.menuBar()->actions()};
    for (const QMenu* menu : p.window.menuBar()->findChildren<QMenu*>()) {
        menus << menu->actions();
    }
    for (const QList<QAction*>& items : menus) {
        QStringList keys;
        for (const QAction* item : items) {
            if (item->isSeparator()) {
                continue;
            }
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            QVERIFY2(!key.isEmpty(), qPrintable(item->text()));
            QVERIFY2(!keys.contains(key.toString()), qPrintable(item->text()));
            keys << key.toString();
        }
    }
}

void MainWindowTest::startUpState() {
    Program p;
    // Before any activation: caption, "Udskriv" off, exercise window hidden, splash up.
    const QString caption = QStringLiteral("   QX5:  Zurevodi    Version 270405");
    QCOMPARE(p.window.windowTitle(), caption);
    QVERIFY(!p.Item("Udskriv1")->isEnabled());
    QCOMPARE(p.Item("Udskriv1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QVERIFY(p.window.ExerciseWindow()->isHidden());
    // Its controls come with the first type, and are found then (below).
    QVERIFY(!p.window.ExerciseWindow()->findChild<QWidget*>());
    QCOMPARE(p.window.ExerciseWindow()->parentWidget(), p.window.centralWidget());
    QVERIFY(!p.window.AboutBox()->isVisible());

    QVERIFY(p.ShowWithSplash());
    QCOMPARE(p.window.windowTitle(), caption);
    QVERIFY(p.window.isMaximized());
    QVERIFY(!p.window.ExerciseWindow()->isVisible());
    const QImage picture = p.window.centralWidget()->grab().toImage();
    QCOMPARE(picture.pixelColor(5, 5), QColor(Qt::white));

    // The first type shows the exercise window over the whole client area.
    p.Item("M13")->trigger();
    QVERIFY(p.window.ExerciseWindow()->isVisible());
    QCOMPARE(p.window.ExerciseWindow()->geometry(), p.window.centralWidget()->rect());
    QCOMPARE(p.state.ExerciseType, 3);
    QCOMPARE(p.state.StepIndex, 1);
    QCOMPARE(QApplication::focusWidget(), p.Edit1());
}

void MainWindowTest::splashPlacedAndHiddenForGood() {
    Program p;
    QVERIFY(p.ShowWithSplash());
    auto* splash = p.window.findChild<QLabel*>(QStringLiteral("Image1"));
    auto* timer = p.window.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), SplashMilliseconds);
    QCOMPARE(splash->size(), QSize(273, 225));
    QCOMPARE(splash->pixmap().size(), QSize(270, 220));
    QVERIFY(!p.window.windowIcon().pixmap(32).isNull());
    // The window shows the pixels compiled in, read where they lie, and they are what the
    // drawing code draws (text drawn at build time without a display: compared there only).
    const auto argb = [](const QPixmap& picture) {
        return picture.toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage compiledSplash = qx5::LoadSplashPicture();
    QCOMPARE(compiledSplash.constBits(),
             QResource(QStringLiteral(":/pictures/splash.pixels")).data());
    QCOMPARE(argb(splash->pixmap()), argb(QPixmap::fromImage(compiledSplash)));
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QCOMPARE(argb(splash->pixmap()), argb(qx5::DrawSplashPicture()));
    }
    for (const int size : qx5::ProgramIconSizes) {
        QCOMPARE(argb(p.window.windowIcon().pixmap(size)), argb(qx5::DrawProgramIcon(size)));
    }
    QVERIFY(qx5::LoadProgramIconPicture(20).isNull()); // a size not compiled in

    QVERIFY(Unmaximise(&p.window));
    // The rule reads the window's outer size, frame included.
    p.window.resize(QSize(1024, 768) - (p.window.frameGeometry().size() - p.window.size()));
    QTRY_COMPARE(p.window.frameGeometry().size(), QSize(1024, 768));
    QCOMPARE(splash->pos(), QPoint(372, 264));

    timer->start(0); // rather than wait the three seconds
    QTRY_VERIFY(splash->isHidden());
    // Shown again (minimised and restored, say): the splash stays away.
    p.window.hide();
    p.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.window));
    QVERIFY(!timer->isActive());
    QVERIFY(splash->isHidden());
    p.window.resize(900, 700);
    p.Item("Divisionergrop1")->trigger();
    QVERIFY(splash->isHidden());
}

void MainWindowTest::resizeFromOutsideKeepsTheMinimumAndTheCorner_data() {
    QTest::addColumn<bool>("maximised"); // as Qt believes it from start-up
    QTest::addColumn<QRect>("asked");    // outer geometry
    QTest::addColumn<QSize>("expected"); // outer size
    QTest::newRow("too small, off the corner")
        << false << QRect(200, 150, 420, 300) << QSize(640, 480);
    QTest::newRow("too narrow") << false << QRect(0, 0, 300, 560) << QSize(640, 560);
    QTest::newRow("too low, off the corner") << false << QRect(50, 0, 720, 100) << QSize(720, 480);
    QTest::newRow("large enough, off the corner")
        << false << QRect(100, 80, 700, 500) << QSize(700, 500);
    QTest::newRow("maximised, too small, off the corner")
        << true << QRect(200, 150, 420, 300) << QSize(640, 480);
}

// As a kiosk tool or another client resizes it without a window manager: the window system
// applies the geometry as asked, past the widget's minimum size.
void MainWindowTest::resizeFromOutsideKeepsTheMinimumAndTheCorner() {
    QFETCH(bool, maximised);
    QFETCH(QRect, asked);
    QFETCH(QSize, expected);
    if (OnWayland()) {
        QSKIP("on Wayland no other client can resize or move the window");
    }
    Program p;
    QVERIFY(p.Show());
    if (!maximised) {
        p.window.setWindowState(Qt::WindowNoState);
    } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QSKIP("the offscreen platform takes no geometry for a maximised window");
    }
    QWindow* handle = p.window.windowHandle();
    handle->setGeometry(asked.marginsRemoved(handle->frameMargins()));
    QTRY_COMPARE(p.window.frameGeometry().size(), expected);
    QTRY_COMPARE(p.window.pos(), p.window.screen()->availableGeometry().topLeft());
}

// On Wayland the compositor sizes and places the window: restored, as it comes back and
// when asked for more, it stays inside the output, and it keeps the floor there.
void MainWindowTest::restoredWindowStaysInsideTheOutput() {
    if (!OnWayland()) {
        QSKIP("where the program places its window, the kiosk rule above holds");
    }
    Program p;
    QVERIFY(p.Show());
    const QSize output = p.window.screen()->size();
    const auto frame = [&p] { return p.window.frameGeometry().size(); };
    QVERIFY(Unmaximise(&p.window));
    QTRY_COMPARE(output.expandedTo(frame()), output);
    p.window.resize(output + QSize(200, 200));
    QTRY_COMPARE(output.expandedTo(frame()), output);
    p.window.resize(300, 200);
    QTRY_COMPARE(frame().expandedTo(QSize(640, 480)), frame());
}

void MainWindowTest::activationStepsRunOnceOnly() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries("M11");
    QVERIFY(p.Item("Udskriv1")->isEnabled());
    p.window.setWindowTitle(QStringLiteral("changed after start-up"));
    // Let the clock move on, so that a second reseed would give another sequence.
    QTest::qWait(5);
    MersenneRandomSource snapshot = p.random;

    EventCounter activations;
    p.window.installEventFilter(&activations);
    QString caption;
    CloseNextModal(&p.window, caption);
    p.Item("Omprogrammet1")->trigger();
    QCOMPARE(caption, QStringLiteral("   Om programmet"));
    // Some window managers hand the focus back by themselves; without one we do.
    QVERIFY(WaitUntilActive(&p.window));
    QTRY_VERIFY(activations.Count >= 1);

    QCOMPARE(p.window.windowTitle(), QStringLiteral("changed after start-up"));
    QVERIFY(p.Item("Udskriv1")->isEnabled());
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(p.random.Random(1000000), snapshot.Random(1000000));
    }
}

void MainWindowTest::printCommandOnlyForAFinishedSeries() {
    Program p;
    QVERIFY(p.Show());
    QSignalSpy print(p.Item("Udskriv1"), &QAction::triggered);
    QTest::keyClick(&p.window, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(print.size(), 0);

    p.Item("N4Smtalkombinationsopgaver1")->trigger();
    QTest::keyClick(p.Edit1(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(print.size(), 0);
    QVERIFY(!p.Item("Udskriv1")->isEnabled());

    p.FinishSeries("M14");
    QVERIFY(p.Item("Udskriv1")->isEnabled());
    QString dialog;
    CloseNextModal(&p.window, dialog);
    QTest::keyClick(&p.window, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(print.size(), 1);
    QVERIFY(!dialog.isEmpty());
    // The print dialog opened; closed without printing, it is made anew for the next print.
    QVERIFY(p.window.PrintDialog());
    QCOMPARE(dialog, p.window.PrintDialog()->windowTitle());

    // "Begynd forfra" starts the series again and closes printing.
    p.window.ExerciseWindow()->findChild<QToolButton*>(QStringLiteral("SpeedButton3"))->click();
    QVERIFY(!p.Item("Udskriv1")->isEnabled());
}

void MainWindowTest::groupLabelHidesTheExerciseWindow() {
    Program p;
    QVERIFY(p.Show());
    TForm2* exercise = p.window.ExerciseWindow();
    p.Item("N12Endnustrretalkombinationsopgaver1")->trigger();
    QCOMPARE(p.state.ExerciseType, 16);
    QVERIFY(exercise->isVisible());
    p.Item("Divisionergrop1")->trigger();
    QVERIFY(exercise->isHidden());
    QCOMPARE(p.state.ExerciseType, 16);

    p.Item("N1Smtalenkleopgaver1")->trigger();
    QVERIFY(exercise->isVisible());
    QCOMPARE(p.state.ExerciseType, 5);
    QCOMPARE(p.state.StepIndex, 1);
    QVERIFY(p.state.StartNumber >= 10 && p.state.StartNumber <= 39);

    p.Item("Veddivisionsmidesrestenvk1")->trigger();
    QVERIFY(exercise->isHidden());
}

void MainWindowTest::f1OpensHelpFromWindowAndAnswerBox() {
    Program p;
    QVERIFY(p.Show());
    QVERIFY(!p.window.Help().Window());
    QTest::keyClick(&p.window, Qt::Key_F1);
    QVERIFY(p.window.Help().Window());
    QTRY_VERIFY(p.window.Help().Window()->isVisible());
    p.window.Help().Window()->close();
    QTest::qWait(20);

    p.Item("M12")->trigger();
    QVERIFY(WaitUntilActive(&p.window));
    QTest::keyClick(p.Edit1(), Qt::Key_F1);
    QTRY_VERIFY(p.window.Help().Window()->isVisible());
    QCOMPARE(p.state.StepIndex, 1);
    p.window.Help().Window()->close();
    for (const Qt::KeyboardModifiers held : std::initializer_list<Qt::KeyboardModifiers>{
             Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
             Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier}) {
        QTest::qWait(20);
        QVERIFY(WaitUntilActive(&p.window));
        QTest::keyClick(p.Edit1(), Qt::Key_F1, held);
        QTRY_VERIFY2(p.window.Help().Window()->isVisible(),
                     qPrintable(QString::number(held.toInt())));
        p.window.Help().Window()->close();
    }

    p.Item("Vejledning1")->trigger();
    QTRY_VERIFY(p.window.Help().Window()->isVisible());
}

void MainWindowTest::altKeysReachTheToolBarNotTheMenu() {
    Program p;
    QVERIFY(p.Show());
    p.Item("N1Smtalenkleopgaver1")->trigger();
    const auto alt = [&p](Qt::Key letter) { QTest::keyClick(p.Edit1(), letter, Qt::AltModifier); };
    alt(Qt::Key_N);
    QCOMPARE(p.state.ExerciseType, 6);
    alt(Qt::Key_F);
    QCOMPARE(p.state.ExerciseType, 5);
    const int start = p.state.StartNumber;
    alt(Qt::Key_B);
    QVERIFY(p.state.RestartRequested);
    QCOMPARE(p.state.StartNumber, start);
    alt(Qt::Key_O);
    QVERIFY(!p.state.RestartRequested);
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(QApplication::focusWidget(), p.Edit1());
}

void MainWindowTest::keysTypedRightAfterACommandReachTheNewSeries_data() {
    QTest::addColumn<bool>("finished"); // the series the key ends
    QTest::addColumn<Qt::Key>("key");   // with Alt
    QTest::addColumn<int>("type");      // of the new series
    QTest::addColumn<bool>("restart");
    QTest::newRow("Alt+O, running") << false << Qt::Key_O << 10 << false;
    QTest::newRow("Alt+O, finished") << true << Qt::Key_O << 10 << false;
    QTest::newRow("Alt+B, running") << false << Qt::Key_B << 10 << true;
    QTest::newRow("Alt+B, finished") << true << Qt::Key_B << 10 << true;
    QTest::newRow("Alt+N, finished") << true << Qt::Key_N << 11 << false;
    QTest::newRow("Alt+F, running") << false << Qt::Key_F << 9 << false;
}

// Keys come through the window, in the order typed and without a pause, as a pupil's do;
// each reaches whatever has the focus when its turn comes. At 800 x 480 the score line of a
// finished series of type 10 is in view, with the last answer's row.
void MainWindowTest::keysTypedRightAfterACommandReachTheNewSeries() {
    QFETCH(bool, finished);
    QFETCH(Qt::Key, key);
    QFETCH(int, type);
    QFETCH(bool, restart);
    Program p;
    QVERIFY(p.Show());
    QVERIFY(Unmaximise(&p.window));
    p.window.resize(QSize(800, 480) - (p.window.frameGeometry().size() - p.window.size()));
    QTRY_COMPARE(p.window.frameGeometry().size(), QSize(800, 480));
    p.Item("N6Endnustrretalkombinationsopgaver1")->trigger();
    // The first answer wrong: the score line comes with an error mark.
    const int steps = finished ? p.state.StepsPerSeries : 2;
    for (int step = 1; step <= steps; ++step) {
        const int expected = p.state.ExpectedResult;
        const int wrong = expected > 0 ? expected - 1 : 1;
        QTest::keyClicks(p.Edit1(), QString::number(step > 1 ? expected : wrong));
        QTest::keyClick(p.Edit1(), Qt::Key_Return);
    }
    QCOMPARE(p.state.SeriesFinished, finished);
    if (finished) {
        TForm2* exercise = p.window.ExerciseWindow();
        const QWidget* view = Child<QScrollArea>(exercise, "ScrollBox1")->viewport();
        const QWidget* sheet = Child<QWidget>(exercise, "PaintBox1");
        const auto inView = [&](int row) {
            const QRect line(0, RowY(exercise->Sheet(), row), sheet->width(),
                             exercise->Sheet().TextHeight("H"));
            return view->rect().contains(QRect(sheet->mapTo(view, line.topLeft()), line.size()));
        };
        QVERIFY(sheet->height() > view->height()); // else nothing would need to scroll
        QVERIFY(inView(steps + 2));
        QVERIFY(inView(steps));
    }
    const int start = p.state.StartNumber;

    QWindow* keyboard = p.window.windowHandle();
    QTest::keyClick(keyboard, key, Qt::AltModifier);
    for (const Qt::Key typed : {Qt::Key_1, Qt::Key_2, Qt::Key_Return}) {
        QTest::keyClick(keyboard, typed);
    }
    QCOMPARE(p.state.ExerciseType, type);
    QCOMPARE(p.state.RestartRequested, restart);
    if (restart) {
        QCOMPARE(p.state.StartNumber, start);
    }
    QCOMPARE(p.state.StepIndex, 2);
    QCOMPARE(p.state.StepRecords[1].AnswerText, std::string("12"));
    QCOMPARE(QApplication::focusWidget(), p.Edit1());
    QVERIFY(p.Edit1()->text().isEmpty());
}

void MainWindowTest::resizeRefitsTheShownExerciseWindow() {
    Program p;
    QVERIFY(p.Show());
    p.Item("N2Strretalenkleopgaver1")->trigger();
    QVERIFY(Unmaximise(&p.window));
    p.window.resize(700, 500);
    QTRY_COMPARE(p.window.size(), QSize(700, 500));
    TForm2* exercise = p.window.ExerciseWindow();
    QCOMPARE(exercise->size(), p.window.centralWidget()->size());
    p.window.resize(1100, 600);
    QTRY_COMPARE(p.window.size(), QSize(1100, 600));
    QCOMPARE(exercise->size(), p.window.centralWidget()->size());
    QVERIFY(exercise->Sheet().Width() >= 1100);
    QVERIFY(exercise->Sheet().Height() >= exercise->findChild<QWidget*>("PaintBox1")->height());
}

void MainWindowTest::aboutBox() {
    Program p;
    TAboutBox* about = p.window.AboutBox();
    QCOMPARE(about->windowTitle(), QStringLiteral("   Om programmet"));
    QCOMPARE(about->size(), QSize(385, 213));
    QCOMPARE(about->VersionText(), QStringLiteral("Version 270405"));
    // Its controls come at the first opening, not with the program's start.
    QVERIFY(!about->findChild<QWidget*>());
    QStringList shown;
    OnNextModal(about, [&shown](QWidget* modal) {
        for (const char* name : {"Title", "Version"}) {
            shown << Child<QLabel>(modal, name)->text();
        }
        auto* ok = Child<QPushButton>(modal, "OKButton");
        shown << ok->text();
        ok->click();
    });
    QCOMPARE(about->exec(), int(QDialog::Accepted));
    QCOMPARE(shown, (QStringList{QStringLiteral("Rurudovorir"), QStringLiteral("Version 270405"),
                                 QStringLiteral("&OK")}));
    QVERIFY(!about->isVisible());
}

void MainWindowTest::afslutClosesTheWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("menu item") << QStringLiteral("menu");
    QTest::newRow("Ctrl+Q in the window") << QStringLiteral("window");
    QTest::newRow("Ctrl+Q in the answer box") << QStringLiteral("answer box");
}

void MainWindowTest::afslutClosesTheWindow() {
    QFETCH(QString, way);
    Program p;
    QVERIFY(p.Show());
    if (way == QLatin1String("menu")) {
        p.Item("Afslut1")->trigger();
    } else {
        QWidget* target = &p.window;
        if (way == QLatin1String("answer box")) {
            p.Item("M11")->trigger();
            target = p.Edit1();
            QTRY_VERIFY(target->hasFocus());
        }
        QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier);
    }
    QVERIFY(!p.window.isVisible());
}

void MainWindowTest::qtSpeaksDanish() {
    QVERIFY(InstallDanishQtTranslation(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuller"));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" "), QStringLiteral("x"),
                    QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuller"));
}

// The desktop gives the running program another style; a menu bar made under the program's
// own then grows too narrow for its menus, and its overflow button shows the new style's
// picture.
void MainWindowTest::overflowButtonAfterAStyleChange() {
    const QString before = QApplication::style()->name();
    QApplication::setStyle(new StartupStyle);
    QMenuBar bar;
    for (const char* menu : {"Filer", "Vælg opgavetype", "Oplysninger"}) {
        bar.addMenu(QString::fromUtf8(menu));
    }
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    bar.resize(60, bar.height());
    auto* overflow = Child<QToolButton>(&bar, "qt_menubar_ext_button");
    QTRY_VERIFY(overflow->isVisible());
    const QSize size = overflow->iconSize();
    const QImage shown = overflow->icon().pixmap(size).toImage();
    QVERIFY(!overflow->grab().isNull());
    const QIcon wanted =
        QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(shown, wanted.pixmap(size).toImage());
    QApplication::setStyle(before);
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
