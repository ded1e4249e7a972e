// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The output commands as the pupil reaches them in the running program: printing through
// the print dialog, on the queues of a real print server and to PDF files, copying to the
// clipboard, and the heading they begin with.
#include "app/about_box.h"
#include "app/main_window.h"
#include "app/print_module.h"
#include "engine/series_run.h"
#include "output/heading_dialog.h"
#include "output/transcript_memo.h"
#include "output/transcript_printing.h"
#include "outside_clipboard.h"
#include "program_fixture.h"
#include "sheet/exercise_window.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocalServer>
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

#include <cups/cups.h>
#include <functional>
#include <memory>
#include <optional>

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
        PlaySeries([this](int step) {
            const int answer = state.ExpectedResult;
            if (step % 2 == 0) {
                return answer + (answer < AnswerBound(state) ? 1 : -1);
            }
            return answer;
        });
    }
};

// Chooses printing to a PDF file in the dialog, as the pupil would.
void PrintToFile(QWidget* dialog, const QString& file) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    printers->setCurrentIndex(printers->count() - 1);
    dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
}

// Chooses one of the print server's queues in the dialog.
void ChooseQueue(QWidget* dialog, const QString& queue) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    const int index = printers->findText(queue);
    QVERIFY2(index >= 0, qPrintable(queue));
    printers->setCurrentIndex(index);
}

QString FileNameField(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
}

// Closes and collects every message box that comes up while it lives.
class MessageCollector {
public:
    MessageCollector() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                box->close();
            }
        });
        poll_.start(20);
    }
    const QStringList& Texts() const { return texts_; }

private:
    QTimer poll_;
    QStringList texts_;
};

void Accept(QWidget* dialog) {
    qobject_cast<QDialog*>(dialog)->accept();
}

// A private print server of the test's own (tests/support/print_server.sh), for a test
// that stops one; the suite's own server keeps running for the others. libcups reads
// CUPS_SERVER once, so the program is pointed at it through libcups.
class OwnPrintServer {
public:
    explicit OwnPrintServer(const QString& folder)
        : folder_(folder) {
        started_ = Script(QStringLiteral("start")) == 0;
        cupsSetServer(Socket().toLocal8Bit().constData());
    }
    ~OwnPrintServer() {
        Stop();
        cupsSetServer(QX5_PRINT_SERVER "/cups.sock");
    }
    bool Started() const { return started_; }
    QString Socket() const { return folder_ + QStringLiteral("/cups.sock"); }
    void Stop() { Script(QStringLiteral("stop")); }

private:
    int Script(const QString& command) const {
        return QProcess::execute(QStringLiteral(QX5_PRINT_SERVER_SCRIPT), {command, folder_});
    }
    QString folder_;
    bool started_ = false;
};

// The jobs the suite's print server took whose title begins so, as their PDF files.
QStringList JobsTitled(const QString& titleStart) {
    QStringList files;
    QDirIterator titles(QStringLiteral(QX5_PRINT_SERVER "/jobs"), {QStringLiteral("*.title")});
    while (titles.hasNext()) {
        QFile title(titles.next());
        const QString pdf = title.fileName().chopped(6) + QStringLiteral(".pdf");
        if (title.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(title.readAll()).startsWith(titleStart) && QFile::exists(pdf)) {
            files << pdf;
        }
    }
    return files;
}

// The jobs, in any state, that the print server knows on the queue whose title begins so.
int JobsOnServer(const QString& queue, const QString& titleStart) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int found = 0;
    for (int i = 0; i < count; ++i) {
        found += QString::fromUtf8(jobs[i].title).startsWith(titleStart) ? 1 : 0;
    }
    cupsFreeJobs(count, jobs);
    return found;
}

QString PdfInfo(const QString& file) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
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
    // The heading button's command; the button itself comes with the first series.
    p.window.ExerciseWindow()->HeadingAction()->trigger();
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
    void printModuleIsLoadedOnlyWhenItIsOne_data();
    void printModuleIsLoadedOnlyWhenItIsOne();
    void printsOnTheServersQueues_data();
    void printsOnTheServersQueues();
    void silentServerIsGivenUpInSeconds();
    void fullDiskLeavesNoPartialFile();
    void proposesAPdfPerPupil_data();
    void proposesAPdfPerPupil();
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
    CloseNextModal(&p.window, opened);
    p.Item("Udskriv1")->trigger();
    p.window.ExerciseWindow()->CopyAction()->trigger();
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
    QVERIFY(p.window.PrintDialog());
    QPrintDialog& dialog = *p.window.PrintDialog();

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

    // The confirmed choice stays: confirmed at once, a file named after the pupil and the
    // series is written in the same folder.
    QString proposed;
    OnNextModal(&p.window, [&proposed](QWidget* modal) {
        proposed = FileNameField(modal);
        qobject_cast<QDialog*>(modal)->accept();
    });
    p.Item("Udskriv1")->trigger();
    QVERIFY2(proposed.startsWith(QStringLiteral(QX5_RENDER_DIR "/Ida _b_& - type 14 - ")),
             qPrintable(proposed));
    QTRY_VERIFY(QFile::exists(proposed));
    QCOMPARE(Lines(PdfText(proposed)), Lines(PdfText(copy)));
    QFile::remove(proposed);
    QCOMPARE(p.window.findChildren<QPrintDialog*>().size(), 1);
}

void OutputCommandsTest::printProblemsAreReported_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("changePaper");
    QTest::addColumn<QString>("message");
    QTest::newRow("range cut below its first page by a change of paper")
        << "beyond.pdf" << true
        << "Det valgte sideinterval indeholder ingen sider, så der er ikke udskrevet noget.";
    QTest::newRow("folder that does not exist")
        << "no such folder/out.pdf" << false
        << "Udskrivningen kunne ikke gennemføres.\nMappen »%1/no such folder« findes ikke.";
}

void OutputCommandsTest::printProblemsAreReported() {
    QFETCH(QString, file);
    QFETCH(bool, changePaper);
    QFETCH(QString, message);
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(3);
    QVERIFY(p.window.PrintDialog());
    QPrinter& printer = *p.window.PrintDialog()->printer();
    if (changePaper) {
        // Paper from an earlier print that holds half the transcript: two pages.
        printer.setPageSize(QPageSize(QSizeF(148, 95), QPageSize::Millimeter));
    }
    const QString path = dir_.filePath(file);
    MessageCollector messages;
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
        Accept(modal);
    });
    p.window.PrintTranscript();
    QCOMPARE(messages.Texts(), QStringList{message.replace(QStringLiteral("%1"), dir_.path())});
    QVERIFY(!QFile::exists(path));
}

void OutputCommandsTest::cancelledDialogLeavesThePrinterAsItWas() {
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(1);
    QVERIFY(p.window.PrintDialog());
    QPrinter& printer = *p.window.PrintDialog()->printer();
    MessageCollector messages;
    OnNextModal(&p.window, [&messages](QWidget* modal) {
        ChooseQueue(modal, QStringLiteral("qx5-pdf"));
        Accept(modal);
    });
    p.window.PrintTranscript();
    QCOMPARE(messages.Texts(), QStringList());
    const QPageLayout before = printer.pageLayout();

    // Another queue and paper, then "Annuller".
    OnNextModal(&p.window, [&printer](QWidget* modal) {
        ChooseQueue(modal, QStringLiteral("qx5-refuses"));
        printer.setPageSize(QPageSize(QPageSize::A5));
        qobject_cast<QDialog*>(modal)->reject();
    });
    p.window.PrintTranscript();
    QVERIFY(printer.pageLayout().isEquivalentTo(before));
    QCOMPARE(printer.printerName(), QStringLiteral("qx5-pdf"));

    // The next dialog shows the confirmed queue, and prints on it.
    QString shown;
    OnNextModal(&p.window, [&shown](QWidget* modal) {
        shown = modal->findChild<QComboBox*>(QStringLiteral("printers"))->currentText();
        Accept(modal);
    });
    p.window.PrintTranscript();
    QCOMPARE(shown, QStringLiteral("qx5-pdf"));
    QCOMPARE(messages.Texts(), QStringList());
}

void OutputCommandsTest::printModuleIsLoadedOnlyWhenItIsOne_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loads");
    QTest::newRow("the build's module") << PrintModuleFile() << true;
    QTest::newRow("no such file") << dir_.filePath(QStringLiteral("qx5-printing.so")) << false;
    QTest::newRow("a library without the entry point")
        << QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Test.so.6")
        << false;
    QTest::newRow("a module of an earlier build")
        << QStringLiteral(QX5_EARLIER_PRINT_MODULE) << false;
}

void OutputCommandsTest::printModuleIsLoadedOnlyWhenItIsOne() {
    QFETCH(QString, file);
    QFETCH(bool, loads);
    QWidget window;
    QString error;
    const std::unique_ptr<PrintSession> session = LoadPrintSession(file, &window, error);
    QCOMPARE(session != nullptr, loads);
    // What the pupil is told under "Udskrivningen kunne ikke gennemføres."
    QCOMPARE(error.isEmpty(), loads);
    if (session) {
        QCOMPARE(session->Dialog().parentWidget(), &window);
    }
}

void OutputCommandsTest::printsOnTheServersQueues_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("serverStops");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a queue that takes jobs: the job arrives") << "qx5-pdf"
                                                              << ""
                                                              << "";
    QTest::newRow("a paused queue takes the job and holds it") << "qx5-paused"
                                                               << ""
                                                               << "";
    QTest::newRow("a queue that refuses jobs: the message, no job")
        << "qx5-refuses"
        << ""
        << "Printeren »qx5-refuses« tager ikke imod udskrifter lige nu.";
    QTest::newRow("a queue whose server refuses the job handed over: the message, no job")
        << "qx5-forbids"
        << ""
        << "Udskriftsserveren afviste udskriften.";
    QTest::newRow("server stopped before the dialog opens") << "qx5-pdf"
                                                            << "before"
                                                            << "Udskriftsserveren svarer ikke.";
    QTest::newRow("server stopped while the dialog is open") << "qx5-pdf"
                                                             << "while"
                                                             << "Udskriftsserveren svarer ikke.";
}

void OutputCommandsTest::printsOnTheServersQueues() {
    QFETCH(QString, queue);
    QFETCH(QString, serverStops);
    QFETCH(QString, reason);
    // A row that stops the server has a server of its own.
    std::optional<OwnPrintServer> own;
    if (!serverStops.isEmpty()) {
        own.emplace(QStringLiteral(QX5_PRINT_SERVER "-stopped-") + QGuiApplication::platformName());
        QVERIFY(own->Started());
    }
    Program p;
    QVERIFY(p.Show());
    // The job's title names the pupil; one per platform, as both runs share the server.
    const QString pupil = QStringLiteral("Bo %1 %2").arg(QGuiApplication::platformName(), queue);
    SetHeading(p, pupil);
    p.FinishSeries(14);
    // The dialog lists the queues of the server as it was.
    QVERIFY(p.window.PrintDialog());
    if (serverStops == QLatin1String("before")) {
        own->Stop();
    }
    MessageCollector messages;
    QElapsedTimer sinceAccepted;
    OnNextModal(&p.window, [&](QWidget* modal) {
        ChooseQueue(modal, queue);
        if (serverStops == QLatin1String("while")) {
            own->Stop();
        }
        sinceAccepted.start();
        Accept(modal);
    });
    p.window.PrintTranscript();
    // Within seconds, not the minute or more that a client may wait by default.
    QCOMPARE_LT(sinceAccepted.elapsed(), 10000);
    const QString title = pupil + QStringLiteral(" - type 14 - ");
    if (queue == QLatin1String("qx5-paused")) {
        QCOMPARE(messages.Texts(), QStringList());
        QCOMPARE(JobsOnServer(queue, title), 1);
        return;
    }
    if (reason.isEmpty()) {
        QCOMPARE(messages.Texts(), QStringList());
        QTRY_COMPARE_WITH_TIMEOUT(JobsTitled(title).size(), 1, 20000);
        const QString info = PdfInfo(JobsTitled(title).first());
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+") + title)),
                 qPrintable(info));
        return;
    }
    QCOMPARE(messages.Texts(),
             QStringList{QStringLiteral("Udskrivningen kunne ikke gennemføres.\n") + reason});
    if (own) {
        return;
    }
    QCOMPARE(JobsOnServer(queue, title), 0);
    QCOMPARE(JobsTitled(title), QStringList());
}

// A server that takes the connection and never answers: the program gives up in seconds.
// (Qt's own dialog waits a minute for each of its requests to such a server, so the server
// falls silent after the dialog.)
void OutputCommandsTest::silentServerIsGivenUpInSeconds() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QStringLiteral("qx5-pdf"));
    QCOMPARE(printer.printerName(), QStringLiteral("qx5-pdf"));
    QLocalServer silent;
    QVERIFY(
        silent.listen(dir_.filePath(QStringLiteral("silent-") + QGuiApplication::platformName())));
    cupsSetServer(silent.fullServerName().toLocal8Bit().constData());
    QElapsedTimer timer;
    timer.start();
    const PrintOutcome outcome = PrintTranscriptPages(printer, QFont(), {"QX5:  Rurudovorir"});
    const qint64 waited = timer.elapsed();
    cupsSetServer(QX5_PRINT_SERVER "/cups.sock");
    QCOMPARE(outcome, PrintOutcome::ServerNoAnswer);
    QCOMPARE_LT(waited, 10000);
}

// Where the test may mount a small file system (as root), a PDF to a full one.
void OutputCommandsTest::fullDiskLeavesNoPartialFile() {
    const QString mount = dir_.filePath(QStringLiteral("full-") + QGuiApplication::platformName());
    QVERIFY(QDir().mkpath(mount));
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=256k"), QStringLiteral("tmpfs"), mount}) != 0) {
        QSKIP("mounting a small file system needs root (CAP_SYS_ADMIN), which CI has");
    }
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {path}); }
    } unmount{mount};
    const QString earlier = mount + QStringLiteral("/Ida.pdf");
    const QByteArray earlierText = "%PDF-1.4 an earlier print of Ida's\n";
    {
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(earlierText), earlierText.size());
        file.close();
        QFile filler(mount + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        // Room for the start of a PDF, not for all of it.
        QVERIFY(filler.resize(filler.size() - 4096));
    }
    Program p;
    QVERIFY(p.Show());
    p.FinishSeries(14);
    MessageCollector messages;
    OnNextModal(&p.window, [&](QWidget* modal) {
        PrintToFile(modal, earlier);
        Accept(modal);
    });
    p.window.PrintTranscript();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Udskrivningen kunne ikke gennemføres.\n"
                                                          "Der er ikke plads til filen »%1«.")
                                               .arg(earlier)});
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlierText);
    QCOMPARE(QDir(mount).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
             (QStringList{QStringLiteral("filler"), QStringLiteral("Ida.pdf")}));
}

void OutputCommandsTest::proposesAPdfPerPupil_data() {
    QTest::addColumn<bool>("documents");
    QTest::newRow("in the documents folder") << true;
    QTest::newRow("in the home folder where there is no documents folder") << false;
}

void OutputCommandsTest::proposesAPdfPerPupil() {
    QFETCH(bool, documents);
    QTemporaryDir home;
    struct Restore {
        QByteArray home = qgetenv("HOME");
        QByteArray config = qgetenv("XDG_CONFIG_HOME");
        ~Restore() {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
        }
    } restore;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    const QString folder = documents ? home.filePath(QStringLiteral("Documents")) : home.path();
    QVERIFY(QDir().mkpath(folder));

    Program p;
    QVERIFY(p.Show());
    SetHeading(p, QStringLiteral("Ida Hansen"));
    p.FinishSeries(14);
    const QRegularExpression name(
        QStringLiteral("^(.*)/Ida Hansen - type 14 - \\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.pdf$"));
    QString proposed;
    MessageCollector messages;
    OnNextModal(&p.window, [&](QWidget* modal) {
        proposed = FileNameField(modal);
        PrintToFile(modal, proposed);
        Accept(modal);
    });
    p.window.PrintTranscript();
    QCOMPARE(name.match(proposed).captured(1), folder);
    QCOMPARE(messages.Texts(), QStringList());
    QVERIFY(PdfInfo(proposed).contains(
        QRegularExpression(QStringLiteral("Title:\\s+Ida Hansen - type 14 - "))));

    // A folder chosen in a confirmed dialog is the folder of the next proposals.
    const QString chosen =
        dir_.filePath(QStringLiteral("class-") + QGuiApplication::platformName());
    QVERIFY(QDir().mkpath(chosen));
    OnNextModal(&p.window, [&](QWidget* modal) {
        PrintToFile(modal, chosen + QStringLiteral("/first.pdf"));
        Accept(modal);
    });
    p.window.PrintTranscript();
    OnNextModal(&p.window, [&](QWidget* modal) {
        proposed = FileNameField(modal);
        qobject_cast<QDialog*>(modal)->reject();
    });
    p.window.PrintTranscript();
    QCOMPARE(name.match(proposed).captured(1), chosen);
    QCOMPARE(messages.Texts(), QStringList());
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
        const Outside text = ReadFromOutside();
        const Outside rich = ReadFromOutside(QStringLiteral("text/html"));
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
