// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/pictures.h"
#include "pictures/tool_pictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include <cmath>
#include <functional>

using qx5::ToolPicture;

Q_DECLARE_METATYPE(ToolPicture)

namespace {

const QList<std::pair<const char*, ToolPicture>> AllToolPictures = {
    {"printer", ToolPicture::Printer},
    {"pencil", ToolPicture::Pencil},
    {"two documents", ToolPicture::TwoDocuments},
    {"new numbers", ToolPicture::NewNumbers},
    {"turn back", ToolPicture::TurnBack},
    {"arrow left", ToolPicture::ArrowLeft},
    {"arrow right", ToolPicture::ArrowRight},
};

QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Mean difference of two equally large pictures, per colour channel (0–255).
double MeanDifference(const QImage& a, const QImage& b) {
    double difference = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            difference += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                          std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
        }
    }
    return difference / (a.width() * a.height() * 4);
}

int Count(const QImage& image, const std::function<bool(QColor)>& wanted, QRect area = {}) {
    if (area.isNull()) {
        area = image.rect();
    }
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool Opaque(QColor c) {
    return c.alpha() > 128;
}
bool Green(QColor c) {
    return c.alpha() > 128 && c.green() > 100 && c.green() > c.red() + 40 &&
           c.green() > c.blue() + 40;
}
bool Blue(QColor c) {
    return c.blue() > 150 && c.blue() > c.red() + 80 && c.blue() > c.green() + 80;
}
bool Grey(QColor c) {
    return std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12 &&
           c.red() > 150 && c.red() < 245;
}

// Mean x, in logical pixels, of the green above and below the arrow's shaft: only the head
// reaches out there.
double HeadCentreX(const QPixmap& pixmap) {
    const QImage image = Pixels(pixmap);
    const double ratio = pixmap.devicePixelRatio();
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        if (std::abs((y + 0.5) / ratio - 13.5) < 4.5) {
            continue;
        }
        for (int x = 0; x < image.width(); ++x) {
            if (Green(image.pixelColor(x, y))) {
                sum += x + 0.5;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : sum / count / ratio;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void toolPicture_data() {
        QTest::addColumn<ToolPicture>("picture");
        QTest::addColumn<qreal>("ratio");
        for (const auto& [name, picture] : AllToolPictures) {
            for (const qreal ratio : {1.0, 2.0}) {
                QTest::addRow("%s @%gx", name, ratio) << picture << ratio;
            }
        }
    }

    // Each picture is 27 logical pixels square at the asked ratio, drawn over its whole area
    // at every ratio, with a transparent surround for the tool bar to show through.
    void toolPicture() {
        QFETCH(ToolPicture, picture);
        QFETCH(qreal, ratio);
        const QPixmap pixmap = qx5::DrawToolPicture(picture, ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), QSize(27, 27) * ratio);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(27, 27));

        const QImage image = Pixels(pixmap);
        const int last = image.width() - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            QCOMPARE(image.pixelColor(corner).alpha(), 0);
        }
        const double area = image.width() * image.height();
        const double opaque = Count(image, Opaque) / area;
        QVERIFY2(opaque > 0.15, qPrintable(QString::number(opaque)));
        QVERIFY2(opaque < 0.75, qPrintable(QString::number(opaque)));
        // Drawn in device pixels instead of logical ones, a picture at 2x would fill a quarter.
        const QImage single = Pixels(qx5::DrawToolPicture(picture, 1.0));
        const double singleOpaque = Count(single, Opaque) / double(27 * 27);
        QVERIFY2(std::abs(opaque - singleOpaque) < 0.05,
                 qPrintable(QStringLiteral("%1 vs %2").arg(opaque).arg(singleOpaque)));
    }

    void toolPicturesDifferPairwise() {
        for (qsizetype i = 0; i < AllToolPictures.size(); ++i) {
            const QImage a = Pixels(qx5::DrawToolPicture(AllToolPictures[i].second));
            for (qsizetype j = i + 1; j < AllToolPictures.size(); ++j) {
                const QImage b = Pixels(qx5::DrawToolPicture(AllToolPictures[j].second));
                int differing = 0;
                for (int y = 0; y < a.height(); ++y) {
                    for (int x = 0; x < a.width(); ++x) {
                        differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                    }
                }
                QVERIFY2(differing > 27 * 27 / 10,
                         qPrintable(QStringLiteral("%1 and %2")
                                        .arg(AllToolPictures[i].first, AllToolPictures[j].first)));
            }
        }
    }

    // Each arrow's head is on the side it points to, and the two mirror each other.
    void arrowsPointOppositeWays() {
        for (const qreal ratio : {1.0, 2.0}) {
            const double left = HeadCentreX(qx5::DrawToolPicture(ToolPicture::ArrowLeft, ratio));
            const double right = HeadCentreX(qx5::DrawToolPicture(ToolPicture::ArrowRight, ratio));
            QVERIFY2(left > 0 && left < 12, qPrintable(QString::number(left)));
            QVERIFY2(right > 15, qPrintable(QString::number(right)));
            QVERIFY2(std::abs(left + right - 27) < 1,
                     qPrintable(QStringLiteral("%1 + %2").arg(left).arg(right)));
        }
    }

    // The icon is one drawing at every size: the large one shrunk looks like the small one.
    void programIconScales() {
        const QImage small = Pixels(qx5::DrawProgramIcon(32));
        const QImage large = Pixels(qx5::DrawProgramIcon(256));
        QCOMPARE(small.size(), QSize(32, 32));
        QCOMPARE(large.size(), QSize(256, 256));
        QCOMPARE(qx5::DrawProgramIcon().size(), QSize(32, 32));

        QSet<QRgb> colours;
        for (int y = 0; y < small.height(); ++y) {
            for (int x = 0; x < small.width(); ++x) {
                colours.insert(small.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));

        const QImage shrunk = large.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double difference = MeanDifference(small, shrunk);
        QVERIFY2(difference < 20, qPrintable(QString::number(difference)));
    }

    // The icons made at build time for installing: every size is the same drawing, and the
    // scalable one, drawn by an SVG renderer, looks like the pixel icon of that size.
    void installedIcons_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            QTest::addRow("%d px", size) << QStringLiteral("qx5-%1.png").arg(size) << size;
        }
        QTest::addRow("scalable at 48") << QStringLiteral("qx5.svg") << 48;
        QTest::addRow("scalable at 256") << QStringLiteral("qx5.svg") << 256;
    }
    void installedIcons() {
        QFETCH(QString, file);
        QFETCH(int, size);
        const QString path = QStringLiteral(QX5_PICTURE_DIR "/") + file;
        const QImage drawn = Pixels(qx5::DrawProgramIcon(size));
        if (!file.endsWith(QLatin1String(".svg"))) {
            QImage image;
            QVERIFY2(image.load(path), qPrintable(path));
            QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), drawn);
            return;
        }
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 32, 32));
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        // Another renderer's anti-aliasing: close, not equal.
        const double difference = MeanDifference(image, drawn);
        QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
    }

    void splash() {
        const QImage image = Pixels(qx5::DrawSplashPicture());
        QCOMPARE(image.size(), QSize(qx5::SplashWidth, qx5::SplashHeight));
        QCOMPARE(image.size(), QSize(270, 220));

        // A raised panel: lit on the top and left, shaded on the bottom and right.
        const int w = image.width();
        const int h = image.height();
        QVERIFY(qGray(image.pixel(0, h / 2)) > qGray(image.pixel(w - 1, h / 2)) + 60);
        QVERIFY(qGray(image.pixel(w / 2, 0)) > qGray(image.pixel(w / 2, h - 1)) + 60);
        // Inside the bevel a plain grey margin runs all the way round.
        const QRect inner = image.rect().adjusted(3, 3, -3, -3);
        const QList<QRect> margin = {
            QRect(inner.left(), inner.top(), inner.width(), 6),
            QRect(inner.left(), inner.bottom() - 5, inner.width(), 6),
            QRect(inner.left(), inner.top(), 6, inner.height()),
            QRect(inner.right() - 5, inner.top(), 6, inner.height()),
        };
        for (const QRect& band : margin) {
            QCOMPARE(Count(image, Grey, band), band.width() * band.height());
        }

        // The blue word sits in the middle band, wholly inside the panel, and the name
        // above it is not blue.
        QVERIFY2(Count(image, Blue, QRect(0, 60, w, 90)) > 800,
                 qPrintable(QString::number(Count(image, Blue, QRect(0, 60, w, 90)))));
        QCOMPARE(Count(image, Blue, QRect(0, 0, w, 50)), 0);
        QCOMPARE(Count(image, Blue, QRect(0, 0, 12, h)), 0);
        QCOMPARE(Count(image, Blue, QRect(w - 12, 0, 12, h)), 0);
        // Something dark is written at the top: the program's name.
        QVERIFY(Count(
                    image, [](QColor c) { return qGray(c.rgb()) < 110; }, QRect(0, 0, w, 55)) >
                100);
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
