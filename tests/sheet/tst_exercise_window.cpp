// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window driven as a pupil drives it: keys into the answer box, the tool
// bar's buttons and their Alt keys.
#include "common/program_fonts.h"
#include "dark_palette.h"
#include "engine/program_texts.h"
#include "engine/type_settings.h"
#include "layout/sheet_layout.h"
#include "painted_area.h"
#include "sheet/exercise_window.h"
#include "sheet/sheet_zoom.h"
#include "window_support.h"

#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace qx5;
using namespace qx5::test;

namespace {

// The main window's client area with the exercise window inside, as the program has it:
// its layout gives the window the whole area.
struct Fixture {
    EngineState state;
    MersenneRandomSource random{20261208};
    QWidget client;
    TForm2* form;

    explicit Fixture(QSize size = {1000, 700}) {
        client.resize(size);
        form = new TForm2(state, random, &client);
        auto* layout = new QVBoxLayout(&client);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(form);
        client.show();
        QVERIFY(QTest::qWaitForWindowExposed(&client));
        QVERIFY(WaitUntilActive(&client));
    }
    template <typename T>
    T* Find(const char* name) const {
        return Child<T>(form, name);
    }
    QLineEdit* Edit1() const { return Find<QLineEdit>("Edit1"); }
    QToolButton* Button(const char* name) const { return Find<QToolButton>(name); }
    void StartType(int type) {
        state.ExerciseType = type;
        form->ShowExerciseType();
    }
    // Alt with a letter in the answer box.
    void Alt(Qt::Key letter) { QTest::keyClick(Edit1(), letter, Qt::AltModifier); }
    // Types the text into the answer box and presses Enter, as the pupil does.
    void Answer(const QString& text) {
        QTest::keyClicks(Edit1(), text);
        QTest::keyClick(Edit1(), Qt::Key_Return);
    }
};

// What the window system shows of a widget, with one part of it (a blinking cursor's box)
// blanked out.
QImage OnScreen(QWidget* widget, const QRect& blank) {
    QTest::qWait(20);
    const QPoint at = widget->mapTo(widget->window(), QPoint());
    QImage shown = widget->screen()
                       ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(),
                                    widget->height())
                       .toImage();
    QPainter(&shown).fillRect(blank, Qt::black);
    return shown;
}

} // namespace

class ExerciseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void wholeSeriesThroughTheAnswerBox_data();
    void wholeSeriesThroughTheAnswerBox();
    void keyRule_data();
    void keyRule();
    void enterOnEmptyOrNonNumberChangesNothing();
    void tooLargeAnswerShowsMessageAndChangesNothing();
    void restartAndNewSeriesKeys();
    void typeButtonsStopAtOneAndSixteen();
    void buttonsNeverTakeTheFocus();
    void sheetScrollsOverItsExtent();
    void resizeWhileHiddenRefitsOnShow();
    void answerRepaintsOnlyWhatChanged_data();
    void answerRepaintsOnlyWhatChanged();
    void zoomKeysScaleSheetAndAnswerBox_data();
    void zoomKeysScaleSheetAndAnswerBox();
    void zoomedScreenIsSharpAndUnzoomedAsBefore();
    void windowFollowsTheDesktopsColours();
};

void ExerciseWindowTest::wholeSeriesThroughTheAnswerBox_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<bool>>("right");
    QTest::newRow("type 1, all right") << 1 << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("type 5, two wrong")
        << 5 << QList<bool>{true, false, true, true, true, false, true, true, true};
    QTest::newRow("type 14, first and last wrong")
        << 14 << QList<bool>{false, true, true, true, true, true, true, true, false};
}

void ExerciseWindowTest::wholeSeriesThroughTheAnswerBox() {
    QFETCH(int, type);
    QFETCH(QList<bool>, right);
    Fixture f;
    QAction* print = f.form->PrintAction();
    QAction* copy = f.form->CopyAction();
    f.StartType(type);
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.state.StepsPerSeries, right.size());
    QCOMPARE(f.Find<QLabel>("Label1")->text(), QString::fromStdString(f.state.RangeLabel));
    QVERIFY(!print->isEnabled());
    QVERIFY(!copy->isEnabled());

    int correct = 0;
    for (int step = 1; step <= right.size(); ++step) {
        QCOMPARE(f.state.StepIndex, step);
        QLineEdit* box = f.Edit1();
        QVERIFY(box->isVisible());
        QVERIFY(box->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->pos(), QPoint(f.state.AnswerColumnX, RowY(f.form->Sheet(), step)));
        QCOMPARE(box->accessibleName(), QStringLiteral("Trin %1 af %2: %3")
                                            .arg(step)
                                            .arg(right.size())
                                            .arg(QString::fromStdString(f.state.InstructionText)));
        QVERIFY(!f.Button("SpeedButton1")->isEnabled());
        QVERIFY(!f.Button("SpeedButton4")->isEnabled());
        QVERIFY(!f.state.SeriesFinished);

        // A wrong answer within the bound, so that no message box interrupts the series.
        const int expected = f.state.ExpectedResult;
        const int answer = right[step - 1] ? expected : expected > 0 ? expected - 1 : 1;
        correct += right[step - 1] ? 1 : 0;
        f.Answer(QString::number(answer));
        QCOMPARE(f.state.StepRecords[step].Answer, answer);
        QCOMPARE(f.state.CurrentNumber, answer);
    }
    QVERIFY(!f.Edit1()->isVisible());
    QVERIFY(f.state.SeriesFinished);
    QCOMPARE(f.state.CorrectCount, correct);
    QVERIFY(f.Button("SpeedButton1")->isEnabled());
    QVERIFY(f.Button("SpeedButton4")->isEnabled());
    QVERIFY(print->isEnabled());
    QVERIFY(copy->isEnabled());
    QCOMPARE(f.Find<QWidget>("PaintBox1")->accessibleDescription(),
             QStringLiteral("%1 rigtige af %2.").arg(correct).arg(right.size()));

    // The finished series takes no more answers, even if the box got one somehow.
    const EngineState finished = f.state;
    f.form->SubmitAnswer(QStringLiteral("7"));
    QVERIFY(f.state == finished);

    // A new series closes printing again.
    QTest::mouseClick(f.Button("SpeedButton5"), Qt::LeftButton);
    QVERIFY(!f.Button("SpeedButton1")->isEnabled());
    QVERIFY(!print->isEnabled());
    QVERIFY(!copy->isEnabled());
    QCOMPARE(f.state.StepIndex, 1);
}

void ExerciseWindowTest::keyRule_data() {
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QString>("text");
    const auto keys = [](QString typed) {
        QList<QKeyCombination> list;
        for (const QChar c : typed) {
            list << QKeyCombination(Qt::Key(c.toUpper().unicode()));
        }
        return list;
    };
    QTest::newRow("digits pass") << keys("507") << "507";
    QTest::newRow("a fourth digit is refused") << keys("1234") << "123";
    QTest::newRow("minus, comma, point swallowed") << keys("-4,5.") << "45";
    QTest::newRow("letters and blank swallowed") << keys("a1 b") << "1";
    QTest::newRow("backspace works") << (keys("12") << QKeyCombination(Qt::Key_Backspace)) << "1";
    QTest::newRow("arrows move the cursor")
        << (keys("12") << QKeyCombination(Qt::Key_Left) << keys("3")) << "132";
    QTest::newRow("Home moves the cursor")
        << (keys("5") << QKeyCombination(Qt::Key_Home) << keys("4")) << "45";
    QTest::newRow("Meta or AltGr with a letter types nothing")
        << QList<QKeyCombination>{QKeyCombination(Qt::MetaModifier, Qt::Key_A),
                                  QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_A),
                                  QKeyCombination(Qt::Key_7)}
        << "7";
    QTest::newRow("Ctrl shortcuts work: select all, then type over")
        << (keys("12") << QKeyCombination(Qt::ControlModifier, Qt::Key_A) << keys("3")) << "3";
    QTest::newRow("Delete works") << (keys("45") << QKeyCombination(Qt::Key_Home)
                                                 << QKeyCombination(Qt::Key_Delete))
                                  << "5";
}

void ExerciseWindowTest::keyRule() {
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QString, text);
    Fixture f;
    f.StartType(6);
    for (const QKeyCombination key : keys) {
        QTest::keyClick(f.Edit1(), key.key(), key.keyboardModifiers());
    }
    QCOMPARE(f.Edit1()->text(), text);
    QCOMPARE(f.state.StepIndex, 1);
}

void ExerciseWindowTest::enterOnEmptyOrNonNumberChangesNothing() {
    Fixture f;
    f.StartType(7);
    const EngineState before = f.state;
    const QImage sheet = f.form->Sheet().Image();
    QTest::keyClick(f.Edit1(), Qt::Key_Return);
    QVERIFY(f.state == before);

    // Paste is the only way other text gets in: it is not a number, so it is ignored.
    QApplication::clipboard()->setText(QStringLiteral("4x"));
    QTest::keyClick(f.Edit1(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Edit1()->text(), QStringLiteral("4x"));
    QTest::keyClick(f.Edit1(), Qt::Key_Enter);
    QVERIFY(f.state == before);
    QCOMPARE(f.Edit1()->text(), QStringLiteral("4x"));
    QVERIFY(f.form->Sheet().Image() == sheet);
}

void ExerciseWindowTest::tooLargeAnswerShowsMessageAndChangesNothing() {
    Fixture f;
    f.StartType(1);
    const EngineState before = f.state;
    const QImage sheet = f.form->Sheet().Image();
    MessageSeen seen;
    CloseNextMessage(f.form, seen);
    f.Answer(QStringLiteral("45")); // type 1's bound at step 1 is 44
    QCOMPARE(seen.Count, 1);
    QCOMPARE(seen.Text, QStringLiteral(" Tallet er for stort. "));
    QCOMPARE(seen.Caption, QStringLiteral(" "));
    QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.Icon, QMessageBox::NoIcon);
    QVERIFY(f.state == before);
    QVERIFY(f.form->Sheet().Image() == sheet);
    QCOMPARE(f.Edit1()->text(), QStringLiteral("45"));
    QVERIFY(f.Edit1()->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f.Edit1());

    // The pupil corrects the number; it is recorded as step 1.
    QTest::keyClick(f.Edit1(), Qt::Key_Backspace);
    QTest::keyClick(f.Edit1(), Qt::Key_Return);
    QCOMPARE(f.state.StepRecords[1].AnswerText, std::string("4"));
    QCOMPARE(f.state.StepIndex, 2);
}

void ExerciseWindowTest::restartAndNewSeriesKeys() {
    Fixture f;
    f.StartType(5);
    const int start = f.state.StartNumber;
    f.Answer(QString::number(f.state.ExpectedResult));
    f.Answer(QStringLiteral("0"));
    f.Alt(Qt::Key_B);
    QVERIFY(f.state.RestartRequested);
    QCOMPARE(f.state.StartNumber, start);
    QCOMPARE(f.state.StepIndex, 1);
    QCOMPARE(f.state.CorrectCount, 0);
    QVERIFY(f.Edit1()->text().isEmpty());

    // The next type draws from its own range; "Begynd forfra" then replays that number.
    f.Alt(Qt::Key_N);
    QCOMPARE(f.state.ExerciseType, 6);
    QVERIFY(!f.state.RestartRequested);
    const int sixStart = f.state.StartNumber;
    QVERIFY(sixStart >= f.state.StartMin && sixStart < f.state.StartMin + f.state.StartSpan);
    QCOMPARE(f.Find<QLabel>("Label1")->text(), QStringLiteral("Tal: 1-80"));
    f.Alt(Qt::Key_B);
    QCOMPARE(f.state.StartNumber, sixStart);

    // Alt+O asks for a new start number: over a few tries, one differs.
    bool drewAnother = false;
    for (int i = 0; i < 20 && !drewAnother; ++i) {
        f.Alt(Qt::Key_O);
        QVERIFY(!f.state.RestartRequested);
        drewAnother = f.state.StartNumber != sixStart;
    }
    QVERIFY(drewAnother);
}

void ExerciseWindowTest::typeButtonsStopAtOneAndSixteen() {
    Fixture f;
    f.StartType(2);
    QVERIFY(f.Button("SpeedButton10")->isEnabled());
    f.Alt(Qt::Key_F);
    QCOMPARE(f.state.ExerciseType, 1);
    QVERIFY(!f.Button("SpeedButton10")->isEnabled());
    QVERIFY(f.Button("SpeedButton6")->isEnabled());

    // A disabled button ignores its Alt key: it is not clicked, no new series, the typed
    // digit stays.
    QTest::keyClicks(f.Edit1(), QStringLiteral("7"));
    const EngineState atOne = f.state;
    QSignalSpy previous(f.Button("SpeedButton10"), &QToolButton::clicked);
    f.Alt(Qt::Key_F);
    QCOMPARE(previous.size(), 0);
    QVERIFY(f.state == atOne);
    QCOMPARE(f.Edit1()->text(), QStringLiteral("7"));

    f.StartType(15);
    QTest::mouseClick(f.Button("SpeedButton6"), Qt::LeftButton);
    QCOMPARE(f.state.ExerciseType, 16);
    QVERIFY(!f.Button("SpeedButton6")->isEnabled());
    QVERIFY(f.Button("SpeedButton10")->isEnabled());
    const EngineState atSixteen = f.state;
    QSignalSpy next(f.Button("SpeedButton6"), &QToolButton::clicked);
    f.Alt(Qt::Key_N);
    QCOMPARE(next.size(), 0);
    QVERIFY(f.state == atSixteen);
}

void ExerciseWindowTest::buttonsNeverTakeTheFocus() {
    Fixture f;
    f.StartType(9);
    QSignalSpy heading(f.form->HeadingAction(), &QAction::triggered);
    QTest::mouseClick(f.Button("SpeedButton2"), Qt::LeftButton);
    QCOMPARE(heading.size(), 1);
    QCOMPARE(QApplication::focusWidget(), f.Edit1());
    QTest::mouseClick(f.Button("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), f.Edit1());
    // Nor do the sheet and Tab take it: the pupil's next digits still reach the box.
    QTest::mouseClick(f.Find<QWidget>("PaintBox1"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(f.Edit1(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.Edit1());
    // Tool tips, and the same words for a screen reader.
    for (QToolButton* button : f.form->findChildren<QToolButton*>()) {
        QVERIFY(!button->toolTip().isEmpty());
        QCOMPARE(button->accessibleName(), button->toolTip());
    }
}

void ExerciseWindowTest::sheetScrollsOverItsExtent() {
    Fixture f(QSize(800, 300));
    f.StartType(10);
    auto* scroll = f.Find<QScrollArea>("ScrollBox1");
    QWidget* paint = f.Find<QWidget>("PaintBox1");
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(f.form->size(), f.client.size());
    QCOMPARE(paint->width(), scroll->viewport()->width());
    // A 9-step sheet with its score line needs more than the fixed extent.
    QTRY_COMPARE(paint->height(), SheetHeightNeeded(f.form->Sheet(), f.state));
    QVERIFY(paint->height() > SheetMinHeight);

    // The answer box lies on the sheet and scrolls with it.
    for (int step = 1; step < 8; ++step) {
        f.Answer(QString::number(f.state.ExpectedResult));
    }
    scroll->verticalScrollBar()->setValue(0);
    const QPoint onSheet = f.Edit1()->pos();
    const QPoint inView = f.Edit1()->mapTo(scroll->viewport(), QPoint());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QCOMPARE(f.Edit1()->pos(), onSheet);
    QCOMPARE(f.Edit1()->mapTo(scroll->viewport(), QPoint()),
             inView - QPoint(0, scroll->verticalScrollBar()->maximum()));

    // Tall enough: no scroll bar, and the paint area fills the visible part.
    f.client.resize(800, 900);
    f.form->FitToMainWindow();
    QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
    QCOMPARE(paint->height(), scroll->viewport()->height());
    QVERIFY(f.form->Sheet().Height() >= paint->height());
}

void ExerciseWindowTest::resizeWhileHiddenRefitsOnShow() {
    Fixture f(QSize(700, 500));
    f.StartType(3);
    const int shownWidth = f.form->Sheet().Width();
    QCOMPARE(shownWidth, f.Find<QWidget>("PaintBox1")->width());
    f.form->hide();
    f.client.resize(1100, 500);
    f.form->FitToMainWindow();
    QCOMPARE(f.form->Sheet().Width(), shownWidth);
    QCOMPARE(f.form->width(), 700);

    f.StartType(3);
    QCOMPARE(f.form->width(), 1100);
    QCOMPARE(f.form->Sheet().Width(), f.Find<QWidget>("PaintBox1")->width());
    QVERIFY(f.form->Sheet().Width() > shownWidth);
}

void ExerciseWindowTest::answerRepaintsOnlyWhatChanged_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("step");
    QTest::newRow("type 9, first step") << 9 << 1;
    QTest::newRow("type 9, its next row after a group's gap") << 9 << 3;
    QTest::newRow("type 1, last step: error mark and score line") << 1 << 6;
}

// After an answer only the rows drawn and the answer box's old and new places are
// repainted, and the screen shows what a repaint of the whole sheet shows.
void ExerciseWindowTest::answerRepaintsOnlyWhatChanged() {
    QFETCH(int, type);
    QFETCH(int, step);
    Fixture f;
    f.StartType(type);
    QWidget* paintBox = f.Find<QWidget>("PaintBox1");
    // The first answer wrong, so that the last one draws its error mark too.
    const auto answer = [&f](int n) {
        const int expected = f.state.ExpectedResult;
        return QString::number(n > 1 ? expected : expected > 0 ? expected - 1 : 1);
    };
    for (int n = 1; n < step; ++n) {
        f.Answer(answer(n));
    }
    QTest::keyClicks(f.Edit1(), answer(step));
    QTest::qWait(20);
    const QRect oldBox = f.Edit1()->geometry();

    PaintedArea painted;
    paintBox->installEventFilter(&painted);
    QTest::keyClick(f.Edit1(), Qt::Key_Return);
    QTRY_VERIFY(!painted.Area.isEmpty());
    QTest::qWait(20);
    paintBox->removeEventFilter(&painted);

    const int last = f.state.StepsPerSeries;
    QList<int> rows{step};
    if (step < last) {
        rows << step + 1;
    } else {
        rows << 1 << last + 2;
    }
    QRegion changed(oldBox);
    const QRect newBox = f.Edit1()->isVisible() ? f.Edit1()->geometry() : QRect();
    changed += newBox;
    const int height = f.form->Sheet().TextHeight("H");
    for (const int row : rows) {
        // Glyphs may reach a little past the text's line.
        changed += QRect(0, RowY(f.form->Sheet(), row) - 3, paintBox->width(), height + 6);
    }
    QVERIFY2((painted.Area - changed).isEmpty(),
             qPrintable(QStringLiteral("repainted beyond the change: %1 rectangles")
                            .arg((painted.Area - changed).rectCount())));

    if (OnWayland()) {
        return; // a Wayland client cannot read the screen
    }
    const QImage partly = OnScreen(paintBox, newBox);
    paintBox->repaint();
    QCOMPARE(OnScreen(paintBox, newBox), partly);
}

void ExerciseWindowTest::zoomKeysScaleSheetAndAnswerBox_data() {
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<QList<int>>("wheel"); // Ctrl with turns of the wheel, in eighths of a degree
    QTest::addColumn<int>("percent");
    const QKeyCombination in = Qt::CTRL | Qt::Key_Plus;
    const QKeyCombination out = Qt::CTRL | Qt::Key_Minus;
    const auto keypad = [](Qt::Key key) { return Qt::ControlModifier | Qt::KeypadModifier | key; };
    QTest::newRow("Ctrl+plus, Ctrl+=, keypad plus and minus; the wheel two notches in, one out")
        << QList<QKeyCombination>{in, Qt::CTRL | Qt::Key_Equal, keypad(Qt::Key_Plus),
                                  keypad(Qt::Key_Minus)}
        << QList<int>{240, -60, -60} << 175;
    QTest::newRow("no further than 300 %") << QList<QKeyCombination>(9, in) << QList<int>{} << 300;
    QTest::newRow("Ctrl+0, and no smaller than 100 %")
        << (QList<QKeyCombination>(5, in) << (Qt::CTRL | Qt::Key_0) << out) << QList<int>{} << 100;
}

// The zoom keys reach the window while the answer box has the focus and type nothing into
// it; the sheet is drawn at the zoom, the box over its row with its font scaled.
void ExerciseWindowTest::zoomKeysScaleSheetAndAnswerBox() {
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QList<int>, wheel);
    QFETCH(int, percent);
    Fixture f;
    f.StartType(5);
    f.Answer(QString::number(f.state.ExpectedResult));
    QTest::keyClicks(f.Edit1(), QStringLiteral("4"));
    for (const QKeyCombination key : keys) {
        QTest::keyClick(f.client.windowHandle(), key.key(), key.keyboardModifiers());
    }
    auto* scroll = f.Find<QScrollArea>("ScrollBox1");
    for (const int turn : wheel) {
        const QPointF at(scroll->viewport()->rect().center());
        QWheelEvent event(at, scroll->viewport()->mapToGlobal(at), {}, {0, turn}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll->viewport(), &event);
    }
    QCOMPARE(f.form->Zoom().Percent(), percent);
    QCOMPARE(f.Edit1()->text(), QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), f.Edit1());

    const ImageSheetCanvas& sheet = f.form->Sheet();
    const auto zoomed = [percent](int sheetUnits) { return qRound(percent * sheetUnits / 100.0); };
    QCOMPARE(f.Edit1()->geometry(), QRect(zoomed(f.state.AnswerColumnX), zoomed(RowY(sheet, 2)),
                                          zoomed(AnswerBoxWidth), zoomed(AnswerBoxHeight)));
    QCOMPARE(QFontInfo(f.Edit1()->font()).pixelSize(), zoomed(16));
    // Sideways scrolling exactly where the zoomed sheet is wider than the view; never at 100 %.
    ImageSheetCanvas measure;
    measure.Font = sheet.Font;
    const auto needed = [&] {
        return SheetWidthNeeded(measure, f.state, CurrentTypeTitle(f.state));
    };
    QTRY_COMPARE(scroll->horizontalScrollBar()->isVisible(),
                 percent > 100 && zoomed(needed()) > scroll->viewport()->width());

    QTest::keyClick(f.Edit1(), Qt::Key_Return);
    QCOMPARE(f.Edit1()->y(), zoomed(RowY(sheet, 3)));
    // A wider type at the same zoom: its error marks will fit.
    f.StartType(9);
    measure.Font = sheet.Font;
    QVERIFY(sheet.Width() >= needed());
}

// At 200 % the frame's lines are two device pixels of pure black at their doubled places;
// back at 100 % the screen is exactly what it was.
void ExerciseWindowTest::zoomedScreenIsSharpAndUnzoomedAsBefore() {
    if (OnWayland()) {
        QSKIP("a Wayland client cannot read the screen");
    }
    Fixture f(QSize(1250, 1000));
    f.StartType(5);
    QWidget* paint = f.Find<QWidget>("PaintBox1");
    const QImage before = OnScreen(paint, f.Edit1()->geometry());
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(f.client.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
    }
    const QImage zoomed = OnScreen(paint, QRect());
    const int bottom = 2 * RowY(f.form->Sheet(), f.state.StepsPerSeries + 1) - 2;
    // Across each line: white margin, two black, white inside.
    const QList<QColor> across{Qt::white, Qt::black, Qt::black, Qt::white};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(zoomed.pixelColor(2 * f.state.SheetLeft - 1 + i, 300), across[i]);
        QCOMPARE(zoomed.pixelColor(300, 2 * 90 - 1 + i), across[i]);
        QCOMPARE(zoomed.pixelColor(300, bottom + 2 - i), across[i]);
    }
    QCOMPARE(f.Edit1()->pos(), 2 * QPoint(f.state.AnswerColumnX, RowY(f.form->Sheet(), 1)));

    QTest::keyClick(f.client.windowHandle(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(OnScreen(paint, f.Edit1()->geometry()), before);
}

// On a light desktop the window takes the desktop's button face, and the sheet already
// drawn follows; on a dark one it turns light, with dark texts.
void ExerciseWindowTest::windowFollowsTheDesktopsColours() {
    Fixture f;
    f.StartType(5);
    QPalette yellow = QGuiApplication::palette();
    yellow.setColor(QPalette::Button, QColor(250, 250, 215));
    PaletteInForce inForce(yellow);
    QTRY_COMPARE(f.form->palette().color(QPalette::Window), QColor(250, 250, 215));
    const QImage& sheet = f.form->Sheet().Image();
    QCOMPARE(sheet.pixelColor(sheet.width() - 1, 0), QColor(250, 250, 215));
    QApplication::setPalette(DarkPalette());
    QTRY_COMPARE(f.form->palette().color(QPalette::Window), QColor(0xef, 0xef, 0xef));
    QCOMPARE(f.Find<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));
    // Colours that change before the first type, when the window has no controls yet, are
    // the ones it shows with them.
    QApplication::setPalette(yellow);
    Fixture before;
    QApplication::setPalette(DarkPalette());
    QTest::qWait(50);
    before.StartType(5);
    QCOMPARE(before.form->palette().color(QPalette::Window), QColor(0xef, 0xef, 0xef));
}

QTEST_MAIN(ExerciseWindowTest)
#include "tst_exercise_window.moc"
