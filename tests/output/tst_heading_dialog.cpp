// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The heading dialog: its layout, Enter in the edit box, OK and the ways of cancelling,
// and what every opening shows.
#include "output/heading_dialog.h"
#include "window_support.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <string>

using namespace qx5;
using namespace qx5::test;

namespace {

struct Dialog {
    TOverskrif dialog;

    QLineEdit* Edit1() const { return Child<QLineEdit>(&dialog, "Edit1"); }
    QPushButton* BitBtn1() const { return Child<QPushButton>(&dialog, "BitBtn1"); }
    QPushButton* BitBtn2() const { return Child<QPushButton>(&dialog, "BitBtn2"); }
    QString Heading() const { return QString::fromStdString(dialog.PrintHeading()); }

    // Shows the dialog and makes it the active window, as the pupil's click would.
    bool Open() {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            return false;
        }
        return WaitUntilActive(&dialog);
    }
    void Retype(const QString& text) const {
        QTest::keyClick(Edit1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Edit1(), Qt::Key_Backspace);
        QTest::keyClicks(Edit1(), text);
    }
    // Sets the heading the way the pupil does: type it and press Enter twice.
    bool SetHeading(const QString& text) {
        if (!Open()) {
            return false;
        }
        Retype(text);
        QTest::keyClick(Edit1(), Qt::Key_Return);
        QTest::keyClick(BitBtn1(), Qt::Key_Return);
        return !dialog.isVisible() && Heading() == text;
    }
};

enum class Cancel { FortrydButton, AltF, EscapeInEditBox, EscapeOnOk, CloseBox };

void CancelBy(Dialog& d, Cancel how) {
    switch (how) {
    case Cancel::FortrydButton:
        QTest::mouseClick(d.BitBtn2(), Qt::LeftButton);
        break;
    case Cancel::AltF:
        QTest::keyClick(d.Edit1(), Qt::Key_F, Qt::AltModifier);
        break;
    case Cancel::EscapeInEditBox:
        QTest::keyClick(d.Edit1(), Qt::Key_Escape);
        break;
    case Cancel::EscapeOnOk:
        QTest::keyClick(d.Edit1(), Qt::Key_Return);
        QTest::keyClick(d.BitBtn1(), Qt::Key_Escape);
        break;
    case Cancel::CloseBox:
        d.dialog.close();
        break;
    }
}

} // namespace

class TestHeadingDialog : public QObject {
    Q_OBJECT

private slots:
    void window();
    void controls_data();
    void controls();
    void placedAtTheFirstOpeningOnly();
    void glyphsComeWithTheFirstOpening();
    void tabOrder();

    void keys_data();
    void keys();
    void enterTwiceSetsTheHeading_data();
    void enterTwiceSetsTheHeading();
    void longHeadingIsKept();
    void pastedLineBreaksBecomeBlanks();
    void erasedHeadingIsEmpty();

    void cancelKeepsTheHeading_data();
    void cancelKeepsTheHeading();
    void everyOpeningFocusesTheEditBox();
    void reactivationKeepsTheTyping_data();
    void reactivationKeepsTheTyping();
    void modalRun_data();
    void modalRun();
};

void TestHeadingDialog::window() {
    Dialog d;
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("   Overskrift"));
    QCOMPARE(d.dialog.size(), QSize(389, 119));
    QVERIFY(d.dialog.isModal());
    const Qt::WindowFlags flags = d.dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The border stays resizable.
    QVERIFY(d.dialog.minimumSize() != d.dialog.maximumSize());

    QCOMPARE(d.dialog.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(d.dialog.font().pixelSize(), 13);
    QVERIFY(d.Open());
    QVERIFY(QFontInfo(d.Edit1()->font()).fixedPitch());
    QCOMPARE(QFontInfo(d.Edit1()->font()).pixelSize(), 13);

    QVERIFY(d.Edit1()->text().isEmpty());
    QVERIFY(d.dialog.PrintHeading().empty());
}

void TestHeadingDialog::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("bevel") << "Bevel1"
                           << "QFrame" << QRect(16, 8, 361, 73) << QString();
    QTest::newRow("label, one blank at each end")
        << "Label1"
        << "QLabel" << QRect(24, 16, 312, 16) << " Navn eller overskrift til udskrifter: ";
    QTest::newRow("edit box") << "Edit1"
                              << "QLineEdit" << QRect(48, 40, 297, 24) << QString();
    QTest::newRow("OK") << "BitBtn1"
                        << "QPushButton" << QRect(56, 88, 65, 25) << "OK";
    QTest::newRow("Fortryd, F its access key")
        << "BitBtn2"
        << "QPushButton" << QRect(264, 88, 89, 25) << "&Fortryd";
}

void TestHeadingDialog::controls() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    Dialog d;
    QVERIFY(d.Open());
    auto* control = d.dialog.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &d.dialog);
    QCOMPARE(control->metaObject()->className(), className);
    QCOMPARE(control->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), text);
        // The whole text fits in the label's width in the dialog's font.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
    } else if (auto* frame = qobject_cast<QFrame*>(control)) {
        QCOMPARE(frame->frameShadow(), QFrame::Sunken);
        QVERIFY(frame->frameShape() == QFrame::Panel || frame->frameShape() == QFrame::Box);
    }
}

void TestHeadingDialog::placedAtTheFirstOpeningOnly() {
    if (OnWayland()) {
        QSKIP("on Wayland the compositor places the windows");
    }
    Dialog d;
    QVERIFY(d.Open());
    QTRY_COMPARE(d.dialog.geometry(), QRect(229, 123, 389, 119));

    // Hidden, not destroyed: it opens again where the pupil moved it.
    d.dialog.move(400, 300);
    QTRY_COMPARE(d.dialog.pos(), QPoint(400, 300));
    d.dialog.close();
    QVERIFY(d.Open());
    QTRY_COMPARE(d.dialog.pos(), QPoint(400, 300));
}

void TestHeadingDialog::glyphsComeWithTheFirstOpening() {
    Dialog d;
    // The program makes the dialog at its start; the controls and the theme's icons would
    // make that slower and heavier, and come at the first opening.
    QVERIFY(!d.dialog.findChild<QWidget*>());
    QVERIFY(d.Open());
    QVERIFY(!d.BitBtn1()->icon().isNull());
    QVERIFY(!d.BitBtn2()->icon().isNull());
    QVERIFY(d.BitBtn1()->icon().cacheKey() != d.BitBtn2()->icon().cacheKey());
}

void TestHeadingDialog::tabOrder() {
    Dialog d;
    QVERIFY(d.Open());
    QCOMPARE(QApplication::focusWidget(), d.Edit1());
    const QList<QWidget*> order{d.BitBtn1(), d.BitBtn2(), d.Edit1()};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestHeadingDialog::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<bool>("focusOnOk");

    const int none = Qt::NoModifier;
    QTest::newRow("letter") << int(Qt::Key_K) << "k" << none << "Idak" << false;
    QTest::newRow("capital") << int(Qt::Key_K) << "K" << int(Qt::ShiftModifier) << "IdaK" << false;
    QTest::newRow("blank") << int(Qt::Key_Space) << " " << none << "Ida " << false;
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << none << "Ida7" << false;
    QTest::newRow("Danish letter") << int(Qt::Key_Ooblique) << "ø" << none << "Idaø" << false;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QString() << none << "Id" << false;
    QTest::newRow("Return") << int(Qt::Key_Return) << "\r" << none << "Ida" << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r" << int(Qt::KeypadModifier) << "Ida"
                                  << true;
}

void TestHeadingDialog::keys() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(QString, expectedText);
    QFETCH(bool, focusOnOk);

    Dialog d;
    QVERIFY(d.Open());
    QTest::keyClicks(d.Edit1(), QStringLiteral("Ida"));
    QTest::sendKeyEvent(QTest::Click, d.Edit1(), Qt::Key(key), text,
                        Qt::KeyboardModifiers(modifiers));

    QCOMPARE(d.Edit1()->text(), expectedText);
    QCOMPARE(QApplication::focusWidget(),
             focusOnOk ? static_cast<QWidget*>(d.BitBtn1()) : static_cast<QWidget*>(d.Edit1()));
    // No key typed in the edit box closes the dialog or sets the heading.
    QVERIFY(d.dialog.isVisible());
    QVERIFY(d.dialog.PrintHeading().empty());
}

void TestHeadingDialog::enterTwiceSetsTheHeading_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<int>("enterKey");

    QTest::newRow("name") << "Ida 4.b" << QByteArray("Ida 4.b") << int(Qt::Key_Return);
    QTest::newRow("markup stays text")
        << "<b>Ida & Bo</b> {\\}" << QByteArray("<b>Ida & Bo</b> {\\}") << int(Qt::Key_Return);
    QTest::newRow("Danish letters as UTF-8") << QString::fromUtf8("Æblegård")
                                             << QByteArray("\xC3\x86"
                                                           "bleg\xC3\xA5rd")
                                             << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << "Bo" << QByteArray("Bo") << int(Qt::Key_Enter);
    QTest::newRow("one blank") << " " << QByteArray(" ") << int(Qt::Key_Return);
}

void TestHeadingDialog::enterTwiceSetsTheHeading() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, utf8);
    QFETCH(int, enterKey);
    const auto modifiers = enterKey == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;

    Dialog d;
    QVERIFY(d.Open());
    QTest::keyClicks(d.Edit1(), typed);
    QTest::keyClick(d.Edit1(), Qt::Key(enterKey), modifiers);
    QVERIFY(d.dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), d.BitBtn1());
    QVERIFY(d.dialog.PrintHeading().empty());
    QCOMPARE(d.Edit1()->text(), typed);

    QTest::keyClick(d.BitBtn1(), Qt::Key(enterKey), modifiers);
    QVERIFY(!d.dialog.isVisible());
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QByteArray::fromStdString(d.dialog.PrintHeading()), utf8);
}

void TestHeadingDialog::longHeadingIsKept() {
    Dialog d;
    QVERIFY(d.Open());
    // Longer than QLineEdit's own default limit, as a pasted text could be.
    d.Edit1()->setText(QString(40000, QLatin1Char('x')));
    QTest::keyClick(d.Edit1(), Qt::Key_End);
    QTest::keyClick(d.Edit1(), Qt::Key_Y);
    QTest::mouseClick(d.BitBtn1(), Qt::LeftButton);
    QCOMPARE(d.dialog.PrintHeading().size(), std::size_t{40001});
    QCOMPARE(d.dialog.PrintHeading().back(), 'y');
}

void TestHeadingDialog::pastedLineBreaksBecomeBlanks() {
    Dialog d;
    QVERIFY(d.Open());
    // As a paste can bring them: the heading must stay one transcript line.
    d.Edit1()->setText(QStringLiteral("Ida\nBo\tog\rKim"));
    QTest::mouseClick(d.BitBtn1(), Qt::LeftButton);
    QCOMPARE(d.dialog.PrintHeading(), std::string("Ida Bo og Kim"));
}

void TestHeadingDialog::erasedHeadingIsEmpty() {
    Dialog d;
    QVERIFY(d.SetHeading(QStringLiteral("Ida")));
    QVERIFY(d.Open());
    QCOMPARE(d.Edit1()->text(), QStringLiteral("Ida"));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(d.Edit1(), Qt::Key_Backspace);
    }
    QTest::mouseClick(d.BitBtn1(), Qt::LeftButton);
    QVERIFY(!d.dialog.isVisible());
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    QVERIFY(d.dialog.PrintHeading().empty());
}

void TestHeadingDialog::cancelKeepsTheHeading_data() {
    QTest::addColumn<Cancel>("how");
    QTest::newRow("Fortryd") << Cancel::FortrydButton;
    QTest::newRow("Alt+F") << Cancel::AltF;
    QTest::newRow("Escape in the edit box") << Cancel::EscapeInEditBox;
    QTest::newRow("Escape after the first Enter") << Cancel::EscapeOnOk;
    QTest::newRow("close box") << Cancel::CloseBox;
}

void TestHeadingDialog::cancelKeepsTheHeading() {
    QFETCH(Cancel, how);
    const QString a = QStringLiteral("Ida");

    Dialog d;
    QVERIFY(d.SetHeading(a));

    // A text typed and then cancelled is not the heading ...
    QVERIFY(d.Open());
    QCOMPARE(d.Edit1()->text(), a);
    d.Retype(QStringLiteral("Bo"));
    CancelBy(d, how);
    QTRY_VERIFY(!d.dialog.isVisible());
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(d.Heading(), a);

    // ... and does not come back at the next opening, not even by cancelling at once.
    QVERIFY(d.Open());
    QCOMPARE(d.Edit1()->text(), a);
    CancelBy(d, how);
    QTRY_VERIFY(!d.dialog.isVisible());
    QCOMPARE(d.Heading(), a);

    QVERIFY(d.Open());
    QCOMPARE(d.Edit1()->text(), a);
}

void TestHeadingDialog::everyOpeningFocusesTheEditBox() {
    Dialog d;
    // Setting a heading by Enter, Enter leaves the focus on OK.
    QVERIFY(d.SetHeading(QStringLiteral("Ida")));
    QVERIFY(d.Open());
    QCOMPARE(QApplication::focusWidget(), d.Edit1());
    QTest::keyClick(d.Edit1(), Qt::Key_Return);
    QTest::keyClick(d.BitBtn1(), Qt::Key_Escape);
    QVERIFY(d.Open());
    QCOMPARE(QApplication::focusWidget(), d.Edit1());
}

void TestHeadingDialog::reactivationKeepsTheTyping_data() {
    QTest::addColumn<bool>("messageBox");
    QTest::newRow("activation event") << false;
    QTest::newRow("after a message box over it") << true;
}

void TestHeadingDialog::reactivationKeepsTheTyping() {
    QFETCH(bool, messageBox);

    Dialog d;
    QVERIFY(d.SetHeading(QStringLiteral("Ida")));
    QVERIFY(d.Open());
    d.Retype(QStringLiteral("Bo"));
    QTest::keyClick(d.Edit1(), Qt::Key_Return);

    if (messageBox) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("QX5"), QStringLiteral("Hej"),
                        QMessageBox::Ok, &d.dialog);
        box.open();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.activateWindow();
        // qWaitForWindowActive would not do: a window over the dialog counts as active
        // while the dialog still has the focus.
        QTRY_COMPARE(QApplication::activeWindow(), &box);
        EventCounter activations;
        d.dialog.installEventFilter(&activations);
        box.close();
        d.dialog.activateWindow();
        QTRY_COMPARE(activations.Count, 1);
        d.dialog.removeEventFilter(&activations);
    } else {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&d.dialog, &activate);
    }

    QVERIFY(d.dialog.isVisible());
    QCOMPARE(d.Edit1()->text(), QStringLiteral("Bo"));
    QCOMPARE(QApplication::focusWidget(), d.BitBtn1());
    // Fortryd still goes back to the heading of the opening, not to the text typed since.
    QTest::keyClick(d.BitBtn1(), Qt::Key_Escape);
    QCOMPARE(d.Heading(), QStringLiteral("Ida"));
}

void TestHeadingDialog::modalRun_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("heading");
    QTest::newRow("Enter, Enter") << true << int(QDialog::Accepted) << "Bo";
    QTest::newRow("Escape") << false << int(QDialog::Rejected) << "Ida";
}

// The exercise window opens the dialog with exec(); the pupil acts inside its event loop.
void TestHeadingDialog::modalRun() {
    QFETCH(bool, ok);
    QFETCH(int, result);
    QFETCH(QString, heading);

    Dialog d;
    QVERIFY(d.SetHeading(QStringLiteral("Ida")));
    bool acted = false;
    QTimer::singleShot(0, &d.dialog, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != &d.dialog) {
            d.dialog.done(-1);
            return;
        }
        if (!WaitUntilActive(&d.dialog) || QApplication::focusWidget() != d.Edit1()) {
            d.dialog.done(-1);
            return;
        }
        acted = true;
        d.Retype(QStringLiteral("Bo"));
        QTest::keyClick(d.Edit1(), Qt::Key_Return);
        QTest::keyClick(d.BitBtn1(), ok ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(d.dialog.exec(), result);
    QVERIFY(acted);
    QCOMPARE(d.Heading(), heading);
}

QTEST_MAIN(TestHeadingDialog)
#include "tst_heading_dialog.moc"
