// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The output commands as the pupil reaches them in the running program: printing through
// the print dialog, copying to the clipboard, and the heading they begin with.
#include "about_box.h"
#include "exercise_window.h"
#include "heading_dialog.h"
#include "main_window.h"
#include "outside_clipboard.h"
#include "program_fixture.h"
#include "series_run.h"
#include "transcript_memo.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace qx5;
using namespace qx5::test;

namespace {

struct Program : ProgramFixture {
    Program()
        : ProgramFixture(1234) {}
    // Every second answer one off.
    void FinishSeries(int type) {
        state.ExerciseType = type;
        window.ExerciseWindow()->ShowExerciseType();
        for (int step = 1; !window.ExerciseWindow()->SeriesFinished(); ++step) {
            int answer = state.ExpectedResult;
            if (step % 2 == 0) {
                answer += answer < AnswerBound(state) ? 1 : -1;
            }
            QTest::keyClicks(Edit1(), QString::number(answer));
            QTest::keyClick(Edit1(), Qt::Key_Return);
        }
    }
};

// Runs the action on the next modal window once it is up. The timer belongs to the
// window, so it cannot outlive a failed test.
void OnNextModal(QObject* owner, std::function<void(QWidget*)> action) {
    QTimer::singleShot(50, owner, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(modal);
    });
}

// Chooses printing to a PDF file in the dialog, as the pupil would.
void PrintToFile(QWidget* dialog, const QString& file) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    printers->setCurrentIndex(printers->count() - 1);
    dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
}

QString PdfText(const QString& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

enum class Entry { Typed, Pasted };

// Types or pastes a heading into the heading dialog and presses OK, by the heading button.
void SetHeading(Program& p, const QString& heading, Entry entry = Entry::Typed) {
    if (entry == Entry::Pasted) {
        QGuiApplication::clipboard()->setText(heading);
    }
    OnNextModal(&p.window, [heading, entry](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("   Overskrift"));
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        edit->selectAll();
        if (entry == Entry::Pasted) {
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, heading);
        }
        QCOMPARE(edit->text(), heading);
        modal->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    p.Button("SpeedButton2")->click();
    // Without a window manager the focus does not come back by itself.
    p.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p.window));
}

QStringList Lines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.simplified();
        }
    }
    return lines;
}

} // namespace

class OutputCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void outputPartsAreMadeAtFirstUse();
    void printsTheFinishedSeriesThroughTheDialog();
    void printProblemsAreReported_data();
    void printProblemsAreReported();
    void cancelledDialogLeavesThePrinterAsItWas();
    void copiesTheFinishedSeriesWithItsHeading();
    void pastedHeadingStaysOneLine_data();
    void pastedHeadingStaysOneLine();
    void cleanupTestCase() { headed_.reset(); }

private:
    QTemporaryDir dir_;
    // One finished series for every row: a heading set afterwards shows in the next output.
    std::unique_ptr<Program> headed_;
};

void OutputCommandsTest::outputPartsAreMadeAtFirstUse() {
    Program p;
    QVERIFY(p.Show());
    // The heading dialog comes with the windows, after the about box.
    const QObjectList children = p.window.children();
    auto* heading = p.window.findChild<TOverskrif*>();
    QVERIFY(heading);
    QCOMPARE_GT(children.indexOf(static_cast<QObject*>(heading)),
                children.indexOf(static_cast<QObject*>(p.window.AboutBox())));
    QVERIFY(!p.window.findChild<QPrintDialog*>());
    QVERIFY(!p.window.Memo());

    // While a series runs, there is nothing to print or copy.
    p.state.ExerciseType = 5;
    p.window.ExerciseWindow()->ShowExerciseType();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QString opened;
    QTimer::singleShot(50, &p.window, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->windowTitle();
            modal->close();
        }
    });
    p.window.PrintTranscript();
    p.window.CopyTranscript();
    QTest::qWait(100);
    QCOMPARE(opened, QString());
    QVERIFY(!p.window.findChild<QPrintDialog*>());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

void OutputCommandsTest::printsTheFinishedSeriesThroughTheDialog() {
    Program p;
    QVERIFY(p.Show());
    SetHeading(p, QStringLiteral("Ida <b>&"));
    p.FinishSeries(14);
    // Left in the build folder, with a PNG of its page, to look at; one per platform, since
    // the xcb and offscreen runs of this test may run at the same time.
    const QString png = QStringLiteral(QX5_RENDER_DIR "/type14-with-heading-%1")
                            .arg(QGuiApplication::platformName());
    const QString file = png + QStringLiteral(".pdf");
    QFile::remove(file);
    QPrintDialog& dialog = p.window.PrintDialog();

    // Ctrl+P: one page, preset to page 1, the page range on and printing to a file kept.
    OnNextModal(&p.window, [&dialog, &file](QWidget* modal) {
        QCOMPARE(modal, &dialog);
        PrintToFile(&dialog, file);
        QCOMPARE(dialog.minPage(), 1);
        QCOMPARE(dialog.maxPage(), 1);
        QCOMPARE(dialog.fromPage(), 1);
        QCOMPARE(dialog.toPage(), 1);
        QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
        QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintToFile));
        dialog.accept();
    });
    QTest::keyClick(&p.window, Qt::Key_P, Qt::ControlModifier);
    QTRY_VERIFY(QFile::exists(file));
    const QStringList lines = Lines(PdfText(file));
    QCOMPARE(lines.mid(0, 3),
             (QStringList{QStringLiteral("Ida <b>&"), QStringLiteral("QX5: Rurudovorir"),
                          QStringLiteral("Type 14: Små tal, "
                                         "kombinations-opgaver med heltalsdivision")}));
    QCOMPARE(lines.size(), 1 + 3 + 9 + 1);
    QCOMPARE(lines.last(), QStringLiteral("5 rigtige af 9."));
    QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                               {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                QStringLiteral("-singlefile"), file, png}),
             0);
    QVERIFY(!QImage(png + QStringLiteral(".png")).isNull());

    // Cancelled from the print button: nothing printed.
    const QString copy = dir_.filePath(QStringLiteral("copy.pdf"));
    QVERIFY(QFile::copy(file, copy));
    QVERIFY(QFile::remove(file));
    OnNextModal(&p.window, [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    p.Button("SpeedButton1")->click();
    QVERIFY(!QFile::exists(file));

    // The confirmed choice stays: confirmed at once, the same file is written again, by the
    // same dialog.
    OnNextModal(&p.window, [](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    p.Item("Udskriv1")->trigger();
    QTRY_VERIFY(QFile::exists(file));
    QCOMPARE(Lines(PdfText(file)), Lines(PdfText(copy)));
    QCOMPARE(p.window.findChildren<QPrintDialog*>().size(), 1);
}

void OutputCommandsTest::printProblemsAreReported_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("changePaper");
    QTest::addColumn<QString>("message");
    QTest::newRow("range cut below its first page by a change of paper")
        << "beyond.pdf" << true
        << "Det valgte sideinterval indeholder ingen sider, så der er ikke udskrevet noget.";
    QTest::newRow("printer cannot be opened")
        << "no such folder/out.pdf" << false << "Udskrivningen kunne ikke gennemføres.";
}

void OutputCommandsTest::printProblemsAreReported() {
    QFETCH(QString, file);
    QFETCH(bool, changePaper);
    QFETCH(QString, message);
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(3);
    QPrinter& printer = *p.window.PrintDialog().printer();
    if (changePaper) {
        // Paper from an earlier print that holds half the transcript: two pages.
        printer.setPageSize(QPageSize(QSizeF(148, 95), QPageSize::Millimeter));
    }
    const QString path = dir_.filePath(file);
    QStringList messages;
    OnNextModal(&p.window, [&](QWidget* modal) {
        PrintToFile(modal, path);
        if (changePaper) {
            QCOMPARE(qobject_cast<QPrintDialog*>(modal)->maxPage(), 2);
            modal->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            modal->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
            modal->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(2);
            // As if A4 had been chosen under the printer's properties.
            printer.setPageSize(QPageSize(QPageSize::A4));
        }
        OnNextModal(modal, [&messages](QWidget* box) {
            messages << qobject_cast<QMessageBox*>(box)->text();
            box->close();
        });
        qobject_cast<QDialog*>(modal)->accept();
    });
    p.window.PrintTranscript();
    QCOMPARE(messages, QStringList{message});
    QVERIFY(!QFile::exists(path));
}

void OutputCommandsTest::cancelledDialogLeavesThePrinterAsItWas() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(1);
    QPrinter& printer = *p.window.PrintDialog().printer();
    const QPageLayout before = printer.pageLayout();
    OnNextModal(&p.window, [&printer](QWidget* modal) {
        printer.setPageSize(QPageSize(QPageSize::A5));
        qobject_cast<QDialog*>(modal)->reject();
    });
    p.window.PrintTranscript();
    QVERIFY(printer.pageLayout().isEquivalentTo(before));
}

void OutputCommandsTest::copiesTheFinishedSeriesWithItsHeading() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(5);
    p.Button("SpeedButton4")->click();
    const QString plain = QGuiApplication::clipboard()->text();
    QVERIFY(plain.startsWith(QStringLiteral(" \r\nQX5:  Rurudovorir\r\n \r\nType 5:  Små tal")));
    QVERIFY(plain.endsWith(QStringLiteral(" rigtige af 9.\r\n \r\n \r\n")));
    QCOMPARE(plain.count(QStringLiteral("\r\n")), 22);
    // The hidden box carries the window's font, the transcript's.
    QVERIFY(p.window.Memo());
    QVERIFY(p.window.Memo()->isHidden());
    QCOMPARE(p.window.Memo()->font(), p.window.font());

    // A heading set after the series finished shows in the next copy, as typed.
    SetHeading(p, QStringLiteral("<i>Bo</i> & {Ida}"));
    p.Button("SpeedButton4")->click();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral(" \r\n<i>Bo</i> & {Ida}\r\n \r\nQX5:  Rurudovorir\r\n")));
    QCOMPARE(QGuiApplication::clipboard()->text().count(QStringLiteral("\r\n")), 24);
}

void OutputCommandsTest::pastedHeadingStaysOneLine_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("printed");
    // Line breaks, controls, and what Qt's text document reads as paragraphs, line breaks,
    // objects and frames.
    for (const char32_t c : {0x0, 0x9, 0xA, 0xD, 0x1F, 0x7F, 0x85, 0x9F, 0x2028, 0x2029, 0xFFFC,
                             0xFDD0, 0xFDD1, 0xFDEF, 0xFFFE, 0xFFFF, 0x1FFFF, 0x10FFFE}) {
        QTest::addRow("U+%04X", unsigned(c))
            << QStringLiteral("Ida") + QString::fromUcs4(&c, 1) + QStringLiteral("Bo")
            << QStringLiteral("Ida Bo") << QStringLiteral("Ida Bo");
    }
    for (const QString& kept : {QStringLiteral("Ida æøå"), QStringLiteral("<b>&amp;</b>"),
                                QStringLiteral("{\\}"), QStringLiteral("Ida ☺")}) {
        QTest::addRow("%s stays", qPrintable(kept)) << kept << kept << kept;
    }
    // Drawn on the page, but Qt's PDF writer gives characters beyond U+FFFF no text.
    QTest::newRow("emoji beyond U+FFFF stays")
        << QStringLiteral("Ida \U0001F600") << QStringLiteral("Ida \U0001F600")
        << QStringLiteral("Ida");
}

void OutputCommandsTest::pastedHeadingStaysOneLine() {
    QFETCH(QString, pasted);
    QFETCH(QString, heading);
    QFETCH(QString, printed);
    if (!headed_) {
        headed_ = std::make_unique<Program>();
        QVERIFY(headed_->Show());
        headed_->FinishSeries(5);
    }
    Program& p = *headed_;
    SetHeading(p, pasted, Entry::Pasted);

    // As many lines as with any one-line heading, the heading first.
    p.Button("SpeedButton4")->click();
    QCOMPARE(p.transcript.size(), std::size_t(23));
    QStringList lines;
    for (const std::string& line : p.transcript) {
        lines << QString::fromStdString(line);
    }
    QCOMPARE(lines.first(), heading);
    QByteArray plain = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain"));
    QString html = QGuiApplication::clipboard()->mimeData()->html();
    if (!NoOutsideReader()) {
        const Outside text = ReadWithXclip({});
        const Outside rich = ReadWithXclip({QStringLiteral("-t"), QStringLiteral("text/html")});
        QVERIFY2(text.ok && rich.ok, qPrintable(text.error + rich.error));
        plain = text.output;
        html = QString::fromUtf8(rich.output);
    }
    QCOMPARE(plain, CrLfText(lines));
    QTextDocument pasteTarget;
    pasteTarget.setHtml(html);
    QCOMPARE(RawLines(pasteTarget), QStringList{QStringLiteral(" ")} + lines);

    static int printouts = 0;
    const QString file = dir_.filePath(QStringLiteral("heading-%1.pdf").arg(++printouts));
    OnNextModal(&p.window, [&file](QWidget* modal) {
        PrintToFile(modal, file);
        qobject_cast<QDialog*>(modal)->accept();
    });
    p.window.PrintTranscript();
    QTRY_VERIFY(QFile::exists(file));
    const QStringList page = Lines(PdfText(file));
    QCOMPARE(page.size(), 1 + 3 + 9 + 1);
    QCOMPARE(page.first(), printed.simplified());
}

QTEST_MAIN(OutputCommandsTest)
#include "tst_output_commands.moc"
