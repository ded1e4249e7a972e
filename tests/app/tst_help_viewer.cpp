// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/help_viewer.h"
#include "window_support.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using qx5::test::MessageCatcher;

QString CompiledDocument() {
    QFile file(QStringLiteral(":/help/qx5_help.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int HelpWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->findChild<QTextBrowser*>() != nullptr ? 1 : 0;
    }
    return count;
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

private slots:
    void showsContentsAtTopAndReusesWindow_data() {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<int>("command");
        QTest::newRow("contents") << QStringLiteral("QX5.HLP") << qx5::HelpContents;
        QTest::newRow("lower case name") << QStringLiteral("qx5.hlp") << qx5::HelpContents;
        QTest::newRow("context command") << QStringLiteral("QX5.HLP") << 1;
    }

    void showsContentsAtTopAndReusesWindow() {
        QFETCH(QString, helpFile);
        QFETCH(int, command);
        QWidget mainWindow;
        QPixmap iconPixmap(16, 16);
        iconPixmap.fill(Qt::darkGreen);
        mainWindow.setWindowIcon(QIcon(iconPixmap));
        MessageCatcher catcher;
        qx5::HelpViewer viewer(&mainWindow);

        QVERIFY(viewer.ShowHelp(helpFile, command));
        QWidget* window = viewer.Window();
        QVERIFY(window);
        QVERIFY(window->isWindow());
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QVERIFY(window->windowTitle().contains(QStringLiteral("Vejledning")));
        QCOMPARE(window->windowIcon().cacheKey(), mainWindow.windowIcon().cacheKey());
        auto* browser = window->findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->documentTitle().contains(QStringLiteral("Vejledning")));
        QCOMPARE(browser->source().fileName(), QStringLiteral("qx5_help.html"));
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // The pupil scrolls to the end, then follows a link down the page; each time a
        // new request must bring back the contents in the same window.
        QScrollBar* bar = browser->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        const std::function<void()> moveDown[] = {
            [&] { bar->setValue(bar->maximum()); },
            [&] {
                browser->setSource(browser->source().resolved(QUrl(QStringLiteral("#laerer"))));
            },
        };
        for (const auto& move : moveDown) {
            move();
            QVERIFY(bar->value() > 0);
            QVERIFY(viewer.ShowHelp(helpFile, command));
            QCOMPARE(viewer.Window(), window);
            QCOMPARE(bar->value(), 0);
        }

        QCOMPARE(HelpWindowCount(), 1);
        QVERIFY(catcher.messages.isEmpty());
    }

    void closeKeysCloseTheWindow_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }

    void closeKeysCloseTheWindow() {
        QFETCH(QKeySequence, keys);
        QWidget mainWindow;
        qx5::HelpViewer viewer(&mainWindow);
        QVERIFY(viewer.ShowHelp(QStringLiteral("QX5.HLP")));
        QWidget* window = viewer.Window();
        QVERIFY(qx5::test::WaitUntilActive(window));
        QTest::keySequence(window->findChild<QTextBrowser*>(), keys);
        QTRY_VERIFY(!window->isVisible());
        // Closed, not gone: the next request shows the same window.
        QVERIFY(viewer.ShowHelp(QStringLiteral("QX5.HLP")));
        QCOMPARE(viewer.Window(), window);
        QVERIFY(window->isVisible());
    }

    void missingDocumentGivesOneMessage_data() {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<bool>("emptyRoot");
        QTest::newRow("unknown file") << QStringLiteral("REGNING.HLP") << false;
        QTest::newRow("document missing") << QStringLiteral("QX5.HLP") << true;
    }

    void missingDocumentGivesOneMessage() {
        QFETCH(QString, helpFile);
        QFETCH(bool, emptyRoot);
        QTemporaryDir emptyDir;
        QVERIFY(emptyDir.isValid());
        QWidget mainWindow;
        MessageCatcher catcher;
        qx5::HelpViewer viewer(&mainWindow, emptyRoot ? emptyDir.path() : QStringLiteral(":/help"));

        QVERIFY(!viewer.ShowHelp(helpFile));
        QCOMPARE(catcher.messages.size(), 1);
        const MessageCatcher::Message& message = catcher.messages.first();
        QVERIFY2(message.text.contains(QLatin1Char('"') + helpFile + QLatin1Char('"')),
                 qPrintable(message.text));
        QCOMPARE(message.icon, QMessageBox::Warning);
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(message.parent, &mainWindow);
        QVERIFY(!viewer.Window());
        QCOMPARE(HelpWindowCount(), 0);
    }

    // Every "#..." link must land on an anchor as the help window's own parser sees it.
    void documentLinksReachAnchors() {
        const QString html = CompiledDocument();
        QVERIFY(!html.isEmpty());
        QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
        QVERIFY(!html.contains(QStringLiteral("src="), Qt::CaseInsensitive));

        QTextDocument document;
        document.setHtml(html);
        QSet<QString> anchors;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                for (const QString& name : it.fragment().charFormat().anchorNames()) {
                    anchors.insert(name);
                }
            }
        }
        QVERIFY(anchors.contains(QStringLiteral("indhold")));

        static const QRegularExpression hrefPattern(QStringLiteral("href=\"([^\"]*)\""));
        int links = 0;
        for (const auto& match : hrefPattern.globalMatch(html)) {
            const QString href = match.captured(1);
            QVERIFY2(href.startsWith(QLatin1Char('#')), qPrintable(href));
            QVERIFY2(anchors.contains(href.mid(1)), qPrintable(href));
            ++links;
        }
        QVERIFY(links >= 8);
    }

    void documentNamesTypesAndKeys() {
        QTextDocument document;
        document.setHtml(CompiledDocument());
        const QString text = document.toPlainText();

        const QStringList sheets = {
            QStringLiteral("Små tal, enkle opgaver"),
            QStringLiteral("Større tal, enkle opgaver"),
            QStringLiteral("Endnu større tal, enkle opgaver"),
            QStringLiteral("Små tal, kombinations-opgaver"),
            QStringLiteral("Større tal, kombinations-opgaver"),
            QStringLiteral("Endnu større tal, kombinations-opgaver"),
        };
        QStringList types = {
            QStringLiteral("(+) Kun plus"),
            QStringLiteral("(+,-) Plus og minus"),
            QStringLiteral("(+,-,·) Plus, minus, gange"),
            QStringLiteral("(+,-,·,:) Alle fire slags"),
        };
        types += sheets; // types 5-10: divisions come out even
        types += sheets; // types 11-16: the remainder is dropped
        for (int number = 1; number <= types.size(); ++number) {
            const QString pattern = QStringLiteral("(^|\\s)%1\\.\\s+%2")
                                        .arg(number)
                                        .arg(QRegularExpression::escape(types[number - 1]));
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(types[number - 1]));
        }

        const QList<std::pair<QString, QString>> keys = {
            {QStringLiteral("Alt+O"), QStringLiteral("Nye opgaver")},
            {QStringLiteral("Alt+B"), QStringLiteral("Begynd forfra")},
            {QStringLiteral("Alt+F"), QStringLiteral("Foregående opgavetype")},
            {QStringLiteral("Alt+N"), QStringLiteral("Næste opgavetype")},
        };
        for (const auto& [key, action] : keys) {
            const QString pattern = QRegularExpression::escape(key) + QStringLiteral("\\s+") +
                                    QRegularExpression::escape(action);
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(key));
        }
    }
};

QTEST_MAIN(HelpViewerTest)
#include "tst_help_viewer.moc"
