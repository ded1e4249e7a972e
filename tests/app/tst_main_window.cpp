// The main window as the program shows it.
#include "main_window.h"

#include <QtTest>

using namespace qx5;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void captionFromStartUp();
    void backgroundIsWhite();
};

void MainWindowTest::captionFromStartUp() {
    TForm1 window;
    QCOMPARE(window.windowTitle(), QString("   QX5:  Zurevodi    Version 270405"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QString("   QX5:  Zurevodi    Version 270405"));
}

void MainWindowTest::backgroundIsWhite() {
    TForm1 window;
    window.resize(320, 240);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage picture = window.grab().toImage();
    QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::white));
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
