// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing transcripts over pages: the page arithmetic, the print dialog's set-up, and real
// transcripts printed through a real QPrinter to PDF and read back with pdftotext.
#include "common/program_fonts.h"
#include "engine_fixtures.h"
#include "output/transcript_printing.h"
#include "transcript/transcript.h"

#include <QDateTime>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace qx5;
using namespace qx5::test;

Q_DECLARE_METATYPE(qx5::PrintMetrics)

namespace {

// A finished type-5 series: 21 lines without a heading, 23 with one.
Transcript NineStepTranscript(std::string_view heading = {}) {
    EngineState s = StateForType(5);
    s.StepRecords[1].NumberText = "29";
    for (std::int32_t i = 1; i <= 9; ++i) {
        opgavelinier& r = s.StepRecords[i];
        r.InstructionText = "Læg " + std::to_string(i) + " til";
        r.AnswerText = std::to_string(30 + i);
        r.Answer = 30 + i;
        r.Expected = i == 4 ? 99 : 30 + i;
        r.ExpectedText = std::to_string(r.Expected);
    }
    s.CorrectCount = 8;
    Transcript t;
    BuildTranscript(s, heading, t);
    return t;
}

// The printed form of a transcript line as pdftotext gives it back: blanks run together.
QString Words(const QString& line) {
    return line.simplified();
}

QStringList WordsOf(const Transcript& t, std::size_t from, std::size_t count) {
    QStringList lines;
    for (std::size_t i = from; i < std::min(from + count, t.size()); ++i) {
        if (t[i] != " ") {
            lines << Words(QString::fromStdString(t[i]));
        }
    }
    return lines;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A PDF printer whose pages hold exactly the given number of lines (or fewer than one).
class PdfPrinter {
public:
    explicit PdfPrinter(const QString& file, std::optional<double> linesPerPage = {})
        : printer_(QPrinter::HighResolution) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file);
        printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        if (linesPerPage) {
            const PrintMetrics m = MeasurePrintMetrics(printer_, TranscriptFont(), 1);
            // Two inches of margins and the lines, with half a line to spare for rounding.
            const double pixels = 2.0 * m.Resolution + (*linesPerPage + 0.5) * m.LineHeight;
            const double millimetres = pixels / m.Resolution * 25.4;
            printer_.setPageSize(QPageSize(QSizeF(210, millimetres), QPageSize::Millimeter));
            printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        }
    }
    QPrinter& Printer() { return printer_; }
    void ChooseRange(int from, int to) {
        printer_.setPrintRange(QPrinter::PageRange);
        printer_.setFromTo(from, to);
    }

private:
    QPrinter printer_;
};

// The pages of a PDF as pdftotext lays them out, blank lines dropped.
QList<QStringList> PdfPages(const QString& file) {
    const QString text =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    QStringList pages = text.split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    QList<QStringList> result;
    for (const QString& page : std::as_const(pages)) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty()) {
                lines << line;
            }
        }
        result << lines;
    }
    return result;
}

int PdfPageCount(const QString& file) {
    const QString info = Run(QStringLiteral("pdfinfo"), {file});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

QStringList WordsOfPage(const QStringList& page) {
    QStringList words;
    for (const QString& line : page) {
        words << Words(line);
    }
    return words;
}

} // namespace

class TranscriptPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void pageArithmetic_data();
    void pageArithmetic();
    void pageChoice_data();
    void pageChoice();
    void dialogIsSetUpForThePages();
    void onePageInOrderWithMarginsAndColumns();
    void lastLineAloneOnASecondPage();
    void rangeTwoToTwoStartsWithPageTwosFirstLine();
    void pageListAndOrder_data();
    void pageListAndOrder();
    void shortPageTakesOneLineEach();
    void rangeWithoutPagesPrintsNothing();
    void printerThatCannotOpenIsReported();
    void cancelledChoiceIsUndone();
    void proposedPdfName_data();
    void proposedPdfName();

private:
    QTemporaryDir dir_;
    QString File(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
};

void TranscriptPrintingTest::pageArithmetic_data() {
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("printableHeight");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("leftMargin");
    QTest::addColumn<int>("topMargin");
    QTest::addColumn<int>("usableHeight");
    QTest::addColumn<int>("linesPerPage");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<int>("presetTo");
    QTest::newRow("21 lines, 50 a page")
        << 100 << 1200 << 7400 << 21 << 600 << 1200 << 5000 << 50 << 1 << 1;
    QTest::newRow("21 lines, 20 a page: the last page holds only the closing blank")
        << 100 << 1200 << 4499 << 21 << 600 << 1200 << 2099 << 20 << 2 << 1;
    QTest::newRow("22 lines, 20 a page")
        << 100 << 1200 << 4400 << 22 << 600 << 1200 << 2000 << 20 << 2 << 2;
    QTest::newRow("20 lines, 20 a page")
        << 100 << 1200 << 4400 << 20 << 600 << 1200 << 2000 << 20 << 1 << 1;
    QTest::newRow("41 lines, 20 a page")
        << 100 << 1200 << 4400 << 41 << 600 << 1200 << 2000 << 20 << 3 << 2;
    QTest::newRow("page shorter than margins and a line")
        << 100 << 1200 << 2499 << 21 << 600 << 1200 << 99 << 1 << 21 << 20;
    QTest::newRow("page shorter than its margins")
        << 100 << 1200 << 1000 << 17 << 600 << 1200 << -1400 << 1 << 17 << 16;
    QTest::newRow("odd resolution: the half inch drops its fraction")
        << 15 << 97 << 1123 << 23 << 48 << 97 << 929 << 61 << 1 << 1;
}

void TranscriptPrintingTest::pageArithmetic() {
    QFETCH(int, lineHeight);
    QFETCH(int, resolution);
    QFETCH(int, printableHeight);
    QFETCH(int, lineCount);
    QFETCH(int, leftMargin);
    QFETCH(int, topMargin);
    QFETCH(int, usableHeight);
    QFETCH(int, linesPerPage);
    QFETCH(int, pageCount);
    QFETCH(int, presetTo);
    const PrintMetrics m = ComputePrintMetrics(lineHeight, resolution, printableHeight, lineCount);
    QCOMPARE(m.LeftMargin, leftMargin);
    QCOMPARE(m.TopMargin, topMargin);
    QCOMPARE(m.UsableHeight, usableHeight);
    QCOMPARE(m.LinesPerPage, linesPerPage);
    QCOMPARE(m.PageCount, pageCount);
    QCOMPARE(PresetToPage(m), presetTo);
}

void TranscriptPrintingTest::pageChoice_data() {
    QTest::addColumn<bool>("allPages");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("empty");
    // Three pages.
    QTest::newRow("all pages, whatever the range says") << true << 2 << 2 << 1 << 3 << false;
    QTest::newRow("range inside") << false << 2 << 3 << 2 << 3 << false;
    QTest::newRow("to page above the page count is cut") << false << 1 << 5 << 1 << 3 << false;
    QTest::newRow("page 0 is not a page") << false << 0 << 0 << 1 << 0 << true;
    QTest::newRow("from page beyond the last page") << false << 4 << 5 << 4 << 3 << true;
}

void TranscriptPrintingTest::pageChoice() {
    QFETCH(bool, allPages);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, empty);
    const PrintMetrics threePages = ComputePrintMetrics(100, 1200, 2400 + 1000, 23);
    QCOMPARE(threePages.PageCount, 3);
    const PageChoice choice = ChoosePages(threePages, allPages, from, to);
    QCOMPARE(choice.First, first);
    QCOMPARE(choice.Last, last);
    QCOMPARE(choice.Empty(), empty);
}

void TranscriptPrintingTest::dialogIsSetUpForThePages() {
    PdfPrinter pdf(File("dialog.pdf"), 20);
    const PrintMetrics m = MeasurePrintMetrics(pdf.Printer(), TranscriptFont(), 21);
    QCOMPARE(m.LinesPerPage, 20);
    QPrintDialog dialog(&pdf.Printer());
    PreparePrintDialog(dialog, m);
    QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintSelection));
    QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
    QCOMPARE(dialog.minPage(), 1);
    QCOMPARE(dialog.maxPage(), 2);
    QCOMPARE(dialog.fromPage(), 1);
    QCOMPARE(dialog.toPage(), 1);
}

void TranscriptPrintingTest::onePageInOrderWithMarginsAndColumns() {
    const QString file = File("one.pdf");
    PdfPrinter pdf(file);
    const Transcript t = NineStepTranscript("Ida & Bo <b>");
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), t), PrintOutcome::Printed);
    QCOMPARE(PdfPageCount(file), 1);
    const QList<QStringList> pages = PdfPages(file);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(WordsOfPage(pages[0]), WordsOf(t, 0, t.size()));
    // A fixed-pitch font keeps the columns: every answer ends in the same place.
    QList<qsizetype> answerEnds;
    for (const QString& line : pages[0]) {
        if (line.contains(QStringLiteral("Læg"))) {
            answerEnds << line.indexOf(QRegularExpression(QStringLiteral("\\d\\d(\\s|$)"))) + 2;
        }
    }
    QCOMPARE(answerEnds.size(), 9);
    QCOMPARE(answerEnds.count(answerEnds.first()), 9);

    // The transcript font, as fontconfig resolves Courier New.
    QVERIFY(Run(QStringLiteral("pdffonts"), {file}).contains(QStringLiteral("LiberationMono")));

    // Half an inch from the left, an inch from the top (PDF points, 72 an inch).
    const QString boxes =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const QRegularExpressionMatch first =
        QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Ida<"))
            .match(boxes);
    QVERIFY2(first.hasMatch(), qPrintable(boxes.left(600)));
    QCOMPARE_GE(first.captured(1).toDouble(), 35.5);
    QCOMPARE_LE(first.captured(1).toDouble(), 37.0);
    QCOMPARE_GE(first.captured(2).toDouble(), 71.5);
    QCOMPARE_LE(first.captured(2).toDouble(), 75.0);
}

void TranscriptPrintingTest::lastLineAloneOnASecondPage() {
    const Transcript t = NineStepTranscript();
    QCOMPARE(t.size(), std::size_t{21});

    const QString all = File("all.pdf");
    PdfPrinter allPages(all, 20);
    const PrintMetrics m = MeasurePrintMetrics(allPages.Printer(), TranscriptFont(), 21);
    QCOMPARE(m.LinesPerPage, 20);
    QCOMPARE(PrintTranscriptPages(allPages.Printer(), TranscriptFont(), t), PrintOutcome::Printed);
    QCOMPARE(PdfPageCount(all), 2);
    const QList<QStringList> pages = PdfPages(all);
    QCOMPARE(WordsOfPage(pages[0]), WordsOf(t, 0, 20));
    // The second sheet holds only the closing line of one blank.
    QVERIFY(pages.size() == 1 || pages[1].isEmpty());

    const QString preset = File("preset.pdf");
    PdfPrinter presetRange(preset, 20);
    presetRange.ChooseRange(1, PresetToPage(m));
    QCOMPARE(PrintTranscriptPages(presetRange.Printer(), TranscriptFont(), t),
             PrintOutcome::Printed);
    QCOMPARE(PdfPageCount(preset), 1);
    QCOMPARE(WordsOfPage(PdfPages(preset)[0]), WordsOf(t, 0, 20));
}

void TranscriptPrintingTest::rangeTwoToTwoStartsWithPageTwosFirstLine() {
    // Nine lines a page: the line before each page's first is not blank, so a page that
    // began one line early would show.
    const QString file = File("two.pdf");
    PdfPrinter pdf(file, 9);
    const Transcript t = NineStepTranscript("Ida");
    QCOMPARE(MeasurePrintMetrics(pdf.Printer(), TranscriptFont(), 23).PageCount, 3);
    pdf.ChooseRange(2, 2);
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), t), PrintOutcome::Printed);
    QCOMPARE(PdfPageCount(file), 1);
    const QStringList page = WordsOfPage(PdfPages(file).value(0));
    QCOMPARE(page, WordsOf(t, 9, 9));
    QCOMPARE(page.first(), Words(QString::fromStdString(t[9])));
}

void TranscriptPrintingTest::pageListAndOrder_data() {
    QTest::addColumn<QString>("pages");
    QTest::addColumn<bool>("lastFirst");
    QTest::addColumn<QList<int>>("firstLines");
    QTest::newRow("pages 1 and 3") << "1,3" << false << QList<int>{0, 18};
    QTest::newRow("pages 1 and 3, the last first") << "1,3" << true << QList<int>{18, 0};
    QTest::newRow("all pages, the last first") << "" << true << QList<int>{18, 9, 0};
}

// The dialog also takes a list of pages and a reversed order.
void TranscriptPrintingTest::pageListAndOrder() {
    QFETCH(QString, pages);
    QFETCH(bool, lastFirst);
    QFETCH(QList<int>, firstLines);
    const QString file = File("listed.pdf");
    PdfPrinter pdf(file, 9);
    if (!pages.isEmpty()) {
        pdf.Printer().setPrintRange(QPrinter::PageRange);
        pdf.Printer().setPageRanges(QPageRanges::fromString(pages));
    }
    pdf.Printer().setPageOrder(lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
    const Transcript t = NineStepTranscript("Ida");
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), t), PrintOutcome::Printed);
    const QList<QStringList> printed = PdfPages(file);
    QCOMPARE(printed.size(), firstLines.size());
    for (qsizetype i = 0; i < printed.size(); ++i) {
        QCOMPARE(WordsOfPage(printed[i]), WordsOf(t, static_cast<std::size_t>(firstLines[i]), 9));
    }
}

void TranscriptPrintingTest::shortPageTakesOneLineEach() {
    const QString file = File("short.pdf");
    PdfPrinter pdf(file, 0.2);
    const Transcript t = NineStepTranscript();
    QCOMPARE(MeasurePrintMetrics(pdf.Printer(), TranscriptFont(), 21).LinesPerPage, 1);
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), t), PrintOutcome::Printed);
    QCOMPARE(PdfPageCount(file), 21);
    const QList<QStringList> pages = PdfPages(file);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const QStringList page = pages.value(static_cast<qsizetype>(i));
        QCOMPARE(WordsOfPage(page), WordsOf(t, i, 1));
    }
}

void TranscriptPrintingTest::rangeWithoutPagesPrintsNothing() {
    // A range chosen for another printer's pages, beyond this one's last page.
    const QString file = File("none.pdf");
    PdfPrinter pdf(file, 20);
    pdf.ChooseRange(3, 3);
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), NineStepTranscript()),
             PrintOutcome::NoPageSelected);
    QVERIFY(!QFile::exists(file));
}

void TranscriptPrintingTest::printerThatCannotOpenIsReported() {
    PdfPrinter pdf(dir_.filePath(QStringLiteral("no such folder/out.pdf")));
    QCOMPARE(PrintTranscriptPages(pdf.Printer(), TranscriptFont(), NineStepTranscript()),
             PrintOutcome::FolderMissing);
}

void TranscriptPrintingTest::cancelledChoiceIsUndone() {
    PdfPrinter pdf(File("kept.pdf"));
    QPrinter& printer = pdf.Printer();
    const QPageLayout a4 = printer.pageLayout();
    const PrinterChoice before(printer);
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(File("other.pdf"));
    before.RestoreTo(printer);
    QVERIFY(printer.pageLayout().isEquivalentTo(a4));
    QCOMPARE(printer.outputFileName(), File("kept.pdf"));
    QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
}

void TranscriptPrintingTest::proposedPdfName_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("heading, type, date and time")
        << "Ida Hansen" << 14 << "Ida Hansen - type 14 - 2026-12-09 10.05.pdf";
    QTest::newRow("no heading") << "" << 3 << "type 3 - 2026-12-09 10.05.pdf";
    QTest::newRow("a heading of blanks is no heading")
        << "   " << 3 << "type 3 - 2026-12-09 10.05.pdf";
    QTest::newRow("what a file name cannot hold is replaced")
        << "Bo/Ib: 4.b <\"x\"> *?|\\" << 5
        << "Bo_Ib_ 4.b __x__ ____ - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("no hidden file, no trailing dot")
        << " ..Ida.. " << 5 << "Ida - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("a long heading is cut")
        << QString(300, QLatin1Char('a')) << 5
        << QString(100, QLatin1Char('a')) + " - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("a heading of three-byte characters is cut to fit a file name's 255 bytes")
        << QString(100, QChar(0x2013)) << 5
        << QString(74, QChar(0x2013)) + " - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("blanks of every kind run together")
        << QString::fromUtf8("\u2003Ida\u00a0\u2028 Hansen\u3000") << 5
        << "Ida Hansen - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("no dot left behind a blank at the ends")
        << QString::fromUtf8(". .Ida . .") << 5 << "Ida - type 5 - 2026-12-09 10.05.pdf";
    QTest::newRow("cut between characters, never inside one")
        << QString(99, QLatin1Char('a')) + QString::fromUtf8("\U0001F600") << 5
        << QString(99, QLatin1Char('a')) + " - type 5 - 2026-12-09 10.05.pdf";
}

void TranscriptPrintingTest::proposedPdfName() {
    QFETCH(QString, heading);
    QFETCH(int, type);
    QFETCH(QString, name);
    const QDateTime when(QDate(2026, 12, 9), QTime(10, 5, 59));
    QCOMPARE(ProposedPdfName(heading.toStdString(), type, when), name);
}

QTEST_MAIN(TranscriptPrintingTest)
#include "tst_transcript_printing.moc"
