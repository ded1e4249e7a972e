// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/transcript_memo.h"
#include "outside_clipboard.h"

#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <string>
#include <vector>

using namespace qx5::test;

namespace {

const QString kHeading = QStringLiteral("<b>Ida & Bo</b> {\\}");

QString Blanks(int count) {
    return QString(count, u' ');
}

// Transcript-like lines: combined steps in the 35-wide column, one wrong answer, one
// answer typed with leading zeros.
QStringList Series() {
    return {
        "QX5:  Rurudovorir",
        " ",
        "Type 14:  Små tal, kombinations-opgaver med heltalsdivision",
        " ",
        "Udgangstal:   4",
        " ",
        "Gang med 3 og læg 2 til" + Blanks(12) + "   14",
        "Træk 4 fra og del med 2" + Blanks(12) + "    5",
        "Gang med 6 og træk 2 fra" + Blanks(11) + "   29" + "     (det skulle være 28 )",
        " ",
        "Læg 8 til og del med 4" + Blanks(13) + "    9",
        "Gang med 2 og træk 3 fra" + Blanks(11) + "   15",
        "Læg 3 til og del med 9" + Blanks(13) + "  002",
        " ",
        "5 rigtige af 6.",
        " ",
        " ",
    };
}

QStringList SeriesWithHeading() {
    return QStringList{kHeading, " "} + Series();
}

std::vector<std::string> ToStd(const QStringList& lines) {
    std::vector<std::string> result;
    for (const QString& line : lines) {
        result.push_back(line.toStdString());
    }
    return result;
}

// Shown with the focus, as the main window is when the pupil copies. A Wayland compositor
// also takes the clipboard only with a recent input event of the program's own, as the key
// or click that copies is: so one real key goes through the compositor's seat first.
bool Focused(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window) || !WaitUntilActive(window)) {
        return false;
    }
    if (!OnWayland()) {
        return true;
    }
    EventCounter keys(QEvent::KeyRelease);
    window->installEventFilter(&keys);
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("key"), QStringLiteral("shift")}) == 0 &&
           QTest::qWaitFor([&keys] { return keys.Count > 0; }, 5000);
}

const QMimeData* Clipboard() {
    return QGuiApplication::clipboard()->mimeData();
}

} // namespace

class TranscriptMemoTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void plainTextByteForByte_data();
    void plainTextByteForByte();
    void copyingAgainStartsFromAnEmptyBox();
    void worksHiddenInAShownWindowAndTakesNoInput();

    void htmlHoldsTheLinesAsTextInTheTranscriptFont_data();
    void htmlHoldsTheLinesAsTextInTheTranscriptFont();
    void htmlKeepsColumnsWithoutQtOnlyParts_data();
    void htmlKeepsColumnsWithoutQtOnlyParts();

    void otherProgramsReadTheText_data();
    void otherProgramsReadTheText();
    void otherProgramsSeePlainAndRichText();

private:
    QWidget* window_ = nullptr;
    qx5::TranscriptMemo* memo_ = nullptr;
};

void TranscriptMemoTest::init() {
    // As in the main window: a child of the window, in the transcript font.
    window_ = new QWidget;
    memo_ = new qx5::TranscriptMemo(window_);
    memo_->setFont(QFont(QStringLiteral("Courier New"), 10));
    QGuiApplication::clipboard()->clear();
}

void TranscriptMemoTest::cleanup() {
    delete window_;
    window_ = nullptr;
    memo_ = nullptr;
}

void TranscriptMemoTest::plainTextByteForByte_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("two lines") << QStringList{"A", "B"} << QByteArray(" \r\nA\r\nB\r\n");
    QTest::newRow("lines of blanks only keep every blank")
        << QStringList{"  ", " "} << QByteArray(" \r\n  \r\n \r\n");
    QTest::newRow("Danish letters and the multiplication sign as UTF-8")
        << QStringList{"æøå ÆØÅ", "2 · 3 = 6"}
        << QByteArray(" \r\n\xc3\xa6\xc3\xb8\xc3\xa5 \xc3\x86\xc3\x98\xc3\x85\r\n"
                      "2 \xc2\xb7 3 = 6\r\n");
    QTest::newRow("series without heading") << Series() << CrLfText(Series());
    QTest::newRow("series with a heading that looks like markup")
        << SeriesWithHeading() << CrLfText(SeriesWithHeading());
}

void TranscriptMemoTest::plainTextByteForByte() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, expected);

    memo_->CopyLines(ToStd(lines));

    QVERIFY(Clipboard());
    QCOMPARE(Clipboard()->data(QStringLiteral("text/plain")), expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(expected));
}

void TranscriptMemoTest::copyingAgainStartsFromAnEmptyBox() {
    memo_->CopyLines(ToStd(SeriesWithHeading()));
    const QByteArray first = Clipboard()->data(QStringLiteral("text/plain"));

    QGuiApplication::clipboard()->clear();
    memo_->CopyLines(ToStd(SeriesWithHeading()));
    QCOMPARE(Clipboard()->data(QStringLiteral("text/plain")), first);
    QCOMPARE(memo_->document()->blockCount(), int(SeriesWithHeading().size()) + 1);

    memo_->CopyLines({"7 rigtige af 9."});
    QCOMPARE(Clipboard()->data(QStringLiteral("text/plain")),
             QByteArray(" \r\n7 rigtige af 9.\r\n"));
    QVERIFY(!Clipboard()->html().contains(QStringLiteral("Rurudovorir")));
    // The box keeps what it copied last, until the next copy.
    QCOMPARE(memo_->toPlainText(), QStringLiteral(" \n7 rigtige af 9."));
}

void TranscriptMemoTest::worksHiddenInAShownWindowAndTakesNoInput() {
    window_->resize(300, 200);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QVERIFY(!memo_->isVisible());

    memo_->CopyLines(ToStd(Series()));
    QCOMPARE(Clipboard()->data(QStringLiteral("text/plain")), CrLfText(Series()));
    QVERIFY(!memo_->isVisible());

    const QString before = memo_->toPlainText();
    QTest::keyClicks(memo_, QStringLiteral("12"));
    QTest::keyClick(memo_, Qt::Key_Backspace);
    QCOMPARE(memo_->toPlainText(), before);
}

void TranscriptMemoTest::htmlHoldsTheLinesAsTextInTheTranscriptFont_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("series without heading") << Series();
    QTest::newRow("series with a heading that looks like markup") << SeriesWithHeading();
}

void TranscriptMemoTest::htmlHoldsTheLinesAsTextInTheTranscriptFont() {
    QFETCH(QStringList, lines);

    memo_->CopyLines(ToStd(lines));
    // Qt's Markdown and ODF flavours would lose the line spacing or the font. Wayland names
    // the plain text twice.
    QStringList formats = Clipboard()->formats();
    formats.removeAll(QStringLiteral("text/plain;charset=utf-8"));
    QCOMPARE(formats, (QStringList{"text/plain", "text/html"}));
    QTextDocument pasted;
    pasted.setHtml(Clipboard()->html());

    // Markup characters typed into the heading are text, and the blanks are all there.
    QCOMPARE(RawLines(pasted), QStringList{" "} + lines);

    // Every piece of text names the box's font, which is fixed-pitch here.
    const QString family = memo_->font().family();
    for (QTextBlock block = pasted.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextCharFormat format = piece.fragment().charFormat();
            QCOMPARE(format.fontFamilies().toStringList().value(0), family);
            QCOMPARE(format.fontPointSize(), 10.0);
            QVERIFY(QFontInfo(format.font()).fixedPitch());
            QCOMPARE(format.fontWeight(), int(QFont::Normal));
        }
    }
}

void TranscriptMemoTest::htmlKeepsColumnsWithoutQtOnlyParts_data() {
    htmlHoldsTheLinesAsTextInTheTranscriptFont_data();
}

void TranscriptMemoTest::htmlKeepsColumnsWithoutQtOnlyParts() {
    QFETCH(QStringList, lines);

    // Many paste targets drop the <style> element, and only Qt knows its own rich-text
    // marker; the runs of blanks must depend on neither.
    memo_->CopyLines(ToStd(lines));
    QString html = Clipboard()->html();
    for (const char* qtOnly : {"<style.*</style>", "<meta name=\"qrichtext\"[^>]*>"}) {
        const QRegularExpression part(QString::fromLatin1(qtOnly),
                                      QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(html.contains(part), qtOnly);
        html.remove(part);
    }
    QTextDocument pasted;
    pasted.setHtml(html);

    // Qt's own import drops a lone blank right after the fragment marker, so the leading
    // line of one blank is not compared here.
    const QStringList pastedLines = RawLines(pasted);
    QVERIFY(pastedLines.size() >= lines.size());
    QCOMPARE(pastedLines.last(lines.size()), lines);
}

void TranscriptMemoTest::otherProgramsReadTheText_data() {
    htmlHoldsTheLinesAsTextInTheTranscriptFont_data();
}

void TranscriptMemoTest::otherProgramsReadTheText() {
    if (const char* reason = NoOutsideReader()) {
        QSKIP(reason);
    }
    QFETCH(QStringList, lines);
    QVERIFY(Focused(window_));

    memo_->CopyLines(ToStd(lines));
    const Outside text = ReadFromOutside();
    QVERIFY2(text.ok, qPrintable(text.error));
    QCOMPARE(text.output, CrLfText(lines));

    const Outside html = ReadFromOutside(QStringLiteral("text/html"));
    QVERIFY2(html.ok, qPrintable(html.error));
    QTextDocument pasted;
    pasted.setHtml(QString::fromUtf8(html.output));
    QCOMPARE(RawLines(pasted), QStringList{" "} + lines);
}

void TranscriptMemoTest::otherProgramsSeePlainAndRichText() {
    if (const char* reason = NoOutsideReader()) {
        QSKIP(reason);
    }
    QVERIFY(Focused(window_));

    memo_->CopyLines(ToStd(Series()));
    const Outside targets = ReadFromOutside(QStringLiteral("TARGETS"));
    QVERIFY2(targets.ok, qPrintable(targets.error));
    const QStringList offered = QString::fromLatin1(targets.output).split(u'\n');
    QVERIFY2(offered.contains(QStringLiteral("text/html")), targets.output.constData());
    QVERIFY2(offered.contains(QLatin1String(PlainTextTarget())), targets.output.constData());
    QVERIFY2(offered.contains(QStringLiteral("text/plain")) ||
                 offered.contains(QStringLiteral("text/plain;charset=utf-8")),
             targets.output.constData());
}

QTEST_MAIN(TranscriptMemoTest)
#include "tst_transcript_memo.moc"
