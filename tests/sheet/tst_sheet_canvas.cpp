// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet drawn on the real QImage canvas, checked pixel by pixel at 96 DPI.
#include "dark_palette.h"
#include "engine/type_settings.h"
#include "layout/sheet_contrast.h"
#include "layout/sheet_layout.h"
#include "sheet/image_sheet_canvas.h"
#include "sheet_fixtures.h"
#include "sheet_pixels.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QtTest>

#include <functional>

using namespace qx5;
using namespace qx5::test;

namespace {

using PixelTest = std::function<bool(const QColor&)>;

QColor Background() {
    return ImageSheetCanvas::ToQColor(ButtonFace);
}

QColor At(const ImageSheetCanvas& canvas, int x, int y) {
    const qreal ratio = canvas.Image().devicePixelRatio();
    return canvas.Image().pixelColor(qRound(x * ratio), qRound(y * ratio));
}

// Whether any pixel of the logical area passes the test.
bool AnyIn(const ImageSheetCanvas& canvas, const QRect& area, const PixelTest& test) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(At(canvas, x, y))) {
                return true;
            }
        }
    }
    return false;
}

// The leftmost column of the logical area with a pixel that passes the test; -1 if none.
int LeftmostIn(const ImageSheetCanvas& canvas, const QRect& area, const PixelTest& test) {
    for (int x = area.left(); x <= area.right(); ++x) {
        if (AnyIn(canvas, QRect(x, area.top(), 1, area.height()), test)) {
            return x;
        }
    }
    return -1;
}

// The cell a text occupies when drawn at (x, y) in the canvas's current font.
QRect Cell(const ImageSheetCanvas& canvas, int x, int y, std::string_view text) {
    return {x, y, canvas.TextWidth(text), canvas.TextHeight(text)};
}

// A cleared sheet of the given size, as a series finds it.
void Prepare(ImageSheetCanvas& canvas, int width, int height) {
    canvas.Resize(width, height);
    ClearSheet(canvas);
}

void SaveForViewing(const ImageSheetCanvas& canvas, const QString& name) {
    const QString path = QStringLiteral(QX5_RENDER_DIR "/") + name;
    QVERIFY2(canvas.Image().save(path), qPrintable("could not write " + path));
    qInfo("sheet rendered to %s", qPrintable(path));
}

// The highest contrast of any pixel of the logical area against the background pixel.
double InkContrast(const ImageSheetCanvas& canvas, const QRect& area, const QColor& background) {
    const auto colour = [](const QColor& c) {
        return Colour(c.red() | c.green() << 8 | c.blue() << 16);
    };
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            best = std::max(best, ContrastRatio(colour(At(canvas, x, y)), colour(background)));
        }
    }
    return best;
}

// The canvas as the shared pixel rules read it.
SheetPicture PictureOf(const ImageSheetCanvas& canvas) {
    return {[&canvas](int x, int y) { return At(canvas, x, y); }, Background(),
            [&canvas](int row) { return RowY(canvas, row); }, canvas.TextHeight("H")};
}

// The 9-step sheet at the window's smallest size; if cut, then cut by a smaller size,
// grown again and drawn on.
void DrawNineSteps(ImageSheetCanvas& canvas, bool cut) {
    Prepare(canvas, 1024, 410);
    DrawFinishedSeries(canvas, 9, 24, NineStepsCombined);
    if (cut) {
        canvas.Resize(300, 200);
        canvas.Resize(700, 500);
        canvas.Rectangle(320, 150, 420, 480);
    }
}

} // namespace

class SheetCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void fontsResolveToLiberation();
    void coloursMapToQt();
    void boxPixels_data();
    void boxPixels();
    void opaqueText_data();
    void opaqueText();
    void sixStepSheetMarksWrongAnswers();
    void nineStepSheetShowsScoreLine();
    void resizeKeepsTopLeftAndFillColour();
    void fittingNeverLosesWhatWasDrawn();
    void headerRuleWithRealFonts_data();
    void headerRuleWithRealFonts();
    void pointSizesFollowTheDpi();
    void highDpiKeepsTheLogicalLayout();
    void textsReadOnEveryDesktop_data();
    void textsReadOnEveryDesktop();
    void zoomDrawsEverythingAgain_data();
    void zoomDrawsEverythingAgain();
};

void SheetCanvasTest::fontsResolveToLiberation() {
    ImageSheetCanvas canvas;
    QCOMPARE(QFontInfo(canvas.CurrentFont()).family(), QString("Liberation Serif"));
}

void SheetCanvasTest::coloursMapToQt() {
    QCOMPARE(ImageSheetCanvas::ToQColor(Red), QColor(255, 0, 0));
    QCOMPARE(ImageSheetCanvas::ToQColor(Blue), QColor(0, 0, 255));
    QCOMPARE(ImageSheetCanvas::ToQColor(0x336699), QColor(0x99, 0x66, 0x33));
    // The button face follows the desktop's palette where blue and red can be read on it,
    // a light grey one included (blue at 6.9 : 1, red at 3.2 : 1).
    const QPalette desktop = QGuiApplication::palette();
    QPalette odd = desktop;
    odd.setColor(QPalette::Button, QColor(230, 230, 230));
    QGuiApplication::setPalette(odd);
    const QColor face = ImageSheetCanvas::ToQColor(ButtonFace);
    QGuiApplication::setPalette(desktop);
    QCOMPARE(face, QColor(230, 230, 230));
    // WCAG's figure for blue on Fusion's dark #424245.
    QVERIFY(qAbs(ContrastRatio(Blue, 0x454242) - 1.17) < 0.01);
}

void SheetCanvasTest::boxPixels_data() {
    QTest::addColumn<int>("type");
    QTest::newRow("type 5, d = 0") << 5;
    QTest::newRow("type 1, d = 15") << 1;
}

void SheetCanvasTest::boxPixels() {
    QFETCH(int, type);
    const EngineState s = StateForType(type);
    ImageSheetCanvas canvas;
    Prepare(canvas, 800, 500);
    canvas.Font.Size = BodyFontSize(s.BasicMode);
    DrawBox(canvas, s);

    const std::vector<Pixel> pixels = BoxPixels(s, PictureOf(canvas), true);
    for (const Pixel& p : pixels) {
        QVERIFY2(At(canvas, p.X, p.Y) == p.Expected,
                 qPrintable(QString("pixel (%1, %2) is %3, expected %4")
                                .arg(p.X)
                                .arg(p.Y)
                                .arg(At(canvas, p.X, p.Y).name(), p.Expected.name())));
    }
    QCOMPARE(canvas.FillColour, White);
}

void SheetCanvasTest::opaqueText_data() {
    QTest::addColumn<Colour>("fill");
    QTest::newRow("white fill, as in the box") << White;
    QTest::newRow("background fill, as outside the box") << ButtonFace;
}

void SheetCanvasTest::opaqueText() {
    QFETCH(Colour, fill);
    ImageSheetCanvas canvas;
    canvas.Resize(400, 200);
    canvas.FillColour = Black;
    canvas.FillAll();
    canvas.FillColour = fill;
    const std::string_view text = "Læg 5 til";
    DrawSheetText(canvas, 50, 60, Blue, text);

    const QRect cell = Cell(canvas, 50, 60, text);
    const QColor expected = ImageSheetCanvas::ToQColor(fill);
    // The cell's corners carry the fill; the pixels just outside it are untouched.
    QCOMPARE(At(canvas, cell.left(), cell.top()), expected);
    QCOMPARE(At(canvas, cell.right(), cell.top()), expected);
    QCOMPARE(At(canvas, cell.left(), cell.bottom()), expected);
    QCOMPARE(At(canvas, cell.right(), cell.bottom()), expected);
    QCOMPARE(At(canvas, cell.left() - 1, cell.top()), QColor(Qt::black));
    QCOMPARE(At(canvas, cell.right() + 1, cell.top()), QColor(Qt::black));
    QCOMPARE(At(canvas, cell.left(), cell.bottom() + 1), QColor(Qt::black));
    QVERIFY(AnyIn(canvas, cell, IsBlue));
    QVERIFY(!AnyIn(canvas, cell, [](const QColor& c) { return c == QColor(Qt::black); }));
}

void SheetCanvasTest::sixStepSheetMarksWrongAnswers() {
    ImageSheetCanvas canvas;
    Prepare(canvas, 1024, 410);
    const EngineState s = DrawFinishedSeries(canvas, 3, 8, SixStepsTwoWrong);
    SaveForViewing(canvas, "sheet_6_steps_two_wrong.png");

    QCOMPARE(s.CorrectCount, 4);
    const QStringList faults = FinishedSheetFaults(s, PictureOf(canvas));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

void SheetCanvasTest::nineStepSheetShowsScoreLine() {
    ImageSheetCanvas canvas;
    Prepare(canvas, 1024, 410); // the smallest sheet the window gives
    const EngineState s = DrawFinishedSeries(canvas, 9, 24, NineStepsCombined);
    SaveForViewing(canvas, "sheet_9_steps_combined.png");

    const QRect score = Cell(canvas, 100, RowY(canvas, 11), "8 rigtige af 9.");
    QVERIFY2(canvas.Height() >= score.bottom() + 1 + ScoreLineMargin,
             qPrintable(QString("sheet %1 high, score line ends at %2")
                            .arg(canvas.Height())
                            .arg(score.bottom())));
    QVERIFY(AnyIn(canvas, score, IsBlue));
    // The sheet grew below the box in the background colour, not white.
    QCOMPARE(At(canvas, 30, canvas.Height() - 1), Background());
    const QRect mark = Cell(canvas, s.AnswerColumnX + 82, RowY(canvas, 6), ErrorMark);
    QVERIFY(AnyIn(canvas, mark, IsRed));
}

void SheetCanvasTest::resizeKeepsTopLeftAndFillColour() {
    ImageSheetCanvas canvas;
    Prepare(canvas, 200, 100);
    canvas.FillColour = Black;
    canvas.PenColour = Black;
    canvas.Rectangle(0, 0, 1, 1); // one pixel in the corner
    canvas.Rectangle(150, 60, 190, 90);
    canvas.FillColour = White;

    canvas.Resize(100, 50);
    QCOMPARE(canvas.Width(), 100);
    QCOMPARE(canvas.Height(), 50);
    canvas.Resize(300, 200);
    QCOMPARE(At(canvas, 0, 0), QColor(Qt::black));
    QCOMPARE(At(canvas, 1, 0), Background());
    QCOMPARE(At(canvas, 0, 1), Background());
    QCOMPARE(At(canvas, 160, 70), Background()); // cut off by the raw resize
    QCOMPARE(At(canvas, 250, 150), Background());
    QCOMPARE(canvas.FillColour, White);
    DrawSheetText(canvas, 200, 120, Blue, "7");
    QCOMPARE(At(canvas, 200, 120), QColor(Qt::white));
}

void SheetCanvasTest::fittingNeverLosesWhatWasDrawn() {
    ImageSheetCanvas canvas;
    FitSheet(canvas, 200, 100);
    ClearSheet(canvas);
    canvas.FillColour = Black;
    canvas.PenColour = Black;
    canvas.Rectangle(150, 60, 200, 100); // reaches the bottom-right corner

    FitSheet(canvas, 100, 50); // the window shrinks
    QCOMPARE(canvas.Width(), 200);
    QCOMPARE(canvas.Height(), 100);
    FitSheet(canvas, 300, 200); // and grows again
    QCOMPARE(canvas.Width(), 300);
    QCOMPARE(canvas.Height(), 200);
    QCOMPARE(At(canvas, 150, 60), QColor(Qt::black));
    QCOMPARE(At(canvas, 199, 99), QColor(Qt::black));
    QCOMPARE(At(canvas, 200, 99), Background());
    QCOMPARE(At(canvas, 199, 100), Background());
    QCOMPARE(At(canvas, 250, 150), Background());
}

void SheetCanvasTest::headerRuleWithRealFonts_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    // Liberation Serif at 96 DPI: the long integer-division headers are too wide for 20.
    for (int type = FirstExerciseType; type <= LastExerciseType(); ++type) {
        QTest::addRow("type %d", type) << type << (type <= 11 ? 20 : type == 12 ? 18 : 16);
    }
}

void SheetCanvasTest::headerRuleWithRealFonts() {
    QFETCH(int, type);
    QFETCH(int, size);
    const EngineState s = StateForType(type);
    const std::string header = HeaderText(type, CurrentTypeTitle(s));
    ImageSheetCanvas canvas;
    Prepare(canvas, 1024, 410);
    DrawHeaderLine(canvas, type, CurrentTypeTitle(s));
    QCOMPARE(canvas.Font.Size, size);
    // Drawn red at (20, 20), and nothing red past its width at the chosen size.
    const QRect cell = Cell(canvas, 20, 20, header);
    const int ink = LeftmostIn(canvas, QRect(0, 20, 100, cell.height()), IsRed);
    QVERIFY2(ink >= 20 && ink <= 30, qPrintable(QString::number(ink)));
    QVERIFY(!AnyIn(canvas, QRect(cell.right() + 1, 0, 100, 80), IsRed));
    // A zoomed sheet is kept at least this wide: the header stays whole, the font as it was.
    QVERIFY(SheetWidthNeeded(canvas, s, CurrentTypeTitle(s)) > cell.right());
    QCOMPARE(canvas.Font.Size, size);
}

void SheetCanvasTest::pointSizesFollowTheDpi() {
    ImageSheetCanvas normal(96);
    ImageSheetCanvas doubled(192);
    normal.Font.Size = doubled.Font.Size = 14;
    const int h = normal.TextHeight("H");
    QVERIFY2(h >= 19 && h <= 23, qPrintable(QString::number(h))); // 14 pt = 18.7 px
    QVERIFY(qAbs(doubled.TextHeight("H") - 2 * h) <= 2);
    // Hinting rounds each glyph's advance, so widths scale only about twice.
    const double widthRatio =
        double(doubled.TextWidth("Gang med 3")) / normal.TextWidth("Gang med 3");
    QVERIFY2(widthRatio > 1.9 && widthRatio < 2.1, qPrintable(QString::number(widthRatio)));
}

void SheetCanvasTest::highDpiKeepsTheLogicalLayout() {
    ImageSheetCanvas plain(96, 1.0);
    ImageSheetCanvas sharp(96, 2.0);
    for (ImageSheetCanvas* canvas : {&plain, &sharp}) {
        Prepare(*canvas, 500, 410);
        canvas->Font.Size = 14;
        DrawBox(*canvas, StateForType(5));
    }
    QCOMPARE(sharp.Width(), 500);
    QCOMPARE(sharp.Image().width(), 1000);
    QCOMPARE(RowY(sharp, 5), RowY(plain, 5));
    const int bottom = RowY(plain, 10);
    // The frame's corners in logical pixels, each covering 2 × 2 device pixels.
    QCOMPARE(sharp.Image().pixelColor(2 * 60, 2 * 90), QColor(Qt::black));
    QCOMPARE(sharp.Image().pixelColor(2 * 60 + 1, 2 * 90 + 1), QColor(Qt::black));
    QCOMPARE(sharp.Image().pixelColor(2 * 60 + 2, 2 * 90 + 2), QColor(Qt::white));
    QCOMPARE(sharp.Image().pixelColor(2 * 369 + 1, 2 * (bottom - 1) + 1), QColor(Qt::black));
    QCOMPARE(sharp.Image().pixelColor(2 * 370, 2 * bottom), QColor(Qt::white));
}

void SheetCanvasTest::textsReadOnEveryDesktop_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("asToday");
    QTest::newRow("the default palette: today's sheet") << QGuiApplication::palette() << true;
    QTest::newRow("a dark palette: a light sheet") << DarkPalette() << false;
}

// The contrast measured on the rendered pixels: the score line's blue, the header's and an
// error mark's red, against the sheet's background.
void SheetCanvasTest::textsReadOnEveryDesktop() {
    QFETCH(QPalette, palette);
    QFETCH(bool, asToday);
    const PaletteInForce inForce(palette);
    ImageSheetCanvas canvas;
    DrawNineSteps(canvas, false);
    const QColor background = At(canvas, 1000, 5);
    QVERIFY2(background.lightnessF() > 0.9, qPrintable(background.name()));
    const int row = canvas.TextHeight("H");
    const int markX = StateForType(9).AnswerColumnX + 82;
    QVERIFY(InkContrast(canvas, QRect(100, RowY(canvas, 11), 150, row), background) >= 7.0);
    QVERIFY(InkContrast(canvas, QRect(20, 20, 300, 30), background) >= 3.0);
    QVERIFY(InkContrast(canvas, QRect(markX, RowY(canvas, 6), 80, row), background) >= 3.0);
    if (asToday) {
        // Drawn by the program before the sheet knew of dark desktops and zoom.
        const QImage today(QStringLiteral(QX5_TEST_DATA "/sheet_9_steps_reference.png"));
        QCOMPARE(canvas.Image(), today.convertToFormat(QImage::Format_RGB32));
    }
}

void SheetCanvasTest::zoomDrawsEverythingAgain_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("cut");
    QTest::newRow("200 %") << 2.0 << false;
    QTest::newRow("125 %, cut and grown again") << 1.25 << true;
}

// Drawn again at another ratio, the sheet is exactly the sheet drawn at that ratio from the
// start; back at 1, exactly the one drawn before.
void SheetCanvasTest::zoomDrawsEverythingAgain() {
    QFETCH(qreal, ratio);
    QFETCH(bool, cut);
    ImageSheetCanvas zoomed;
    DrawNineSteps(zoomed, cut);
    const QImage before = zoomed.Image();
    zoomed.SetDevicePixelRatio(ratio);
    ImageSheetCanvas direct(96, ratio);
    DrawNineSteps(direct, cut);
    QCOMPARE(zoomed.Image(), direct.Image());
    zoomed.SetDevicePixelRatio(1.0);
    QCOMPARE(zoomed.Image(), before);
}

QTEST_MAIN(SheetCanvasTest)
#include "tst_sheet_canvas.moc"
