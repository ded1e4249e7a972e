// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/pictures.h"

#include "engine/program_texts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QResource>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace qx5 {

namespace {

// Fonts by pixel size, so the pictures look the same whatever the screen's DPI.
QFont PixelFont(const QString& family, int pixelSize, bool bold, bool italic = false) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Text as a path centred on a point, so it scales with the painter like the rest of a
// picture instead of snapping to the font's hinted pixel sizes.
QPainterPath CentredText(const QFont& font, const QString& text, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    path.translate(centre - bounds.center());
    return path;
}

// Operator signs drawn as shapes: at 32 pixels a font's "·" and ":" are a single grey pixel.
void DrawOperatorRow(QPainter& painter, qreal y) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 30, 30)); // +
    painter.drawRect(QRectF(5, y - 1, 6, 2));
    painter.drawRect(QRectF(7, y - 3, 2, 6));
    painter.setBrush(QColor(20, 150, 30)); // −
    painter.drawRect(QRectF(12.5, y - 1, 5, 2));
    painter.setBrush(QColor(230, 140, 0)); // ·
    painter.drawEllipse(QPointF(20.5, y), 1.25, 1.25);
    painter.setBrush(QColor(120, 40, 170)); // :
    painter.drawEllipse(QPointF(25.5, y - 2), 1.25, 1.25);
    painter.drawEllipse(QPointF(25.5, y + 2), 1.25, 1.25);
}

// Two linked rings: the team's mark, a chain.
void DrawChainMark(QPainter& painter, QPointF topLeft) {
    const QRectF red(topLeft + QPointF(1.5, 2.5), QSizeF(16, 11));
    const QRectF blue(topLeft + QPointF(11.5, 2.5), QSizeF(16, 11));
    const QPen redPen(QColor(200, 40, 40), 2.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(redPen);
    painter.drawRoundedRect(red, 5.5, 5.5);
    painter.setPen(QPen(QColor(30, 70, 190), 2.5));
    painter.drawRoundedRect(blue, 5.5, 5.5);
    // The red ring again over the upper crossing only, so the rings look linked.
    painter.save();
    painter.setClipRect(QRectF(blue.left() - 2, topLeft.y(), red.right() - blue.left() + 4,
                               red.center().y() - topLeft.y()));
    painter.setPen(redPen);
    painter.drawRoundedRect(red, 5.5, 5.5);
    painter.restore();
}

} // namespace

void PaintProgramIcon(QPainter& painter) {
    // A slate with a wooden frame.
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, 31, 31), 4, 4);
    painter.setPen(QPen(QColor(70, 40, 10), 1));
    QLinearGradient wood(0, 0, 32, 32);
    wood.setColorAt(0, QColor(225, 160, 80));
    wood.setColorAt(1, QColor(160, 95, 30));
    painter.setBrush(wood);
    painter.drawPath(frame);

    QPainterPath slate;
    slate.addRoundedRect(QRectF(2.5, 2.5, 27, 27), 2, 2);
    painter.setPen(QPen(QColor(60, 35, 10), 0.8));
    QLinearGradient board(0, 2.5, 0, 29.5);
    board.setColorAt(0, QColor(40, 95, 70));
    board.setColorAt(1, QColor(20, 60, 45));
    painter.setBrush(board);
    painter.drawPath(slate);

    // "5 → 8" in chalk colours, and the four operations below.
    const QFont digits = PixelFont(QStringLiteral("Liberation Sans"), 13, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 225, 40));
    painter.drawPath(CentredText(digits, QStringLiteral("5"), QPointF(7.8, 11.5)));
    painter.setBrush(QColor(120, 220, 255));
    painter.drawPath(CentredText(digits, QStringLiteral("8"), QPointF(24.2, 11.5)));
    QPainterPath arrow;
    arrow.addPolygon(
        QPolygonF{{12, 10.3}, {17, 10.3}, {17, 8}, {20.5, 11.5}, {17, 15}, {17, 12.7}, {12, 12.7}});
    arrow.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);

    // Operators on a light strip so they keep their colours against the dark slate.
    painter.setBrush(QColor(245, 245, 235));
    painter.drawRoundedRect(QRectF(3.5, 19, 25, 9), 1.5, 1.5);
    DrawOperatorRow(painter, 23.5);
}

QPixmap DrawProgramIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / qreal(ProgramIconUnits), size / qreal(ProgramIconUnits));
    PaintProgramIcon(painter);
    return pixmap;
}

namespace {

// A raised bevel, two pixels deep: light on the top and left, shadow on the bottom and right.
void DrawRaisedBevel(QPainter& painter, qreal w, qreal h) {
    for (const auto& [in, light, shadow] : {std::tuple(0.5, 255, 64), std::tuple(1.5, 236, 128)}) {
        painter.setPen(QColor(light, light, light));
        painter.drawLine(QPointF(in, h - 1 - in), QPointF(in, in));
        painter.drawLine(QPointF(in, in), QPointF(w - 1 - in, in));
        painter.setPen(QColor(shadow, shadow, shadow));
        painter.drawLine(QPointF(in, h - in), QPointF(w - in, h - in));
        painter.drawLine(QPointF(w - in, h - in), QPointF(w - in, in));
    }
}

// The program's name, engraved, with an etched line under it.
void DrawSplashName(QPainter& painter, qreal w) {
    painter.setFont(PixelFont(QStringLiteral("Liberation Sans"), 30, true));
    const QRectF nameBox(0, 12, w, 38);
    painter.setPen(Qt::white);
    painter.drawText(nameBox.translated(1, 1), Qt::AlignCenter, QStringLiteral("QX5"));
    painter.setPen(QColor(70, 70, 70));
    painter.drawText(nameBox, Qt::AlignCenter, QStringLiteral("QX5"));

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(150, 150, 150));
    painter.drawLine(30, 56, SplashWidth - 31, 56);
    painter.setPen(Qt::white);
    painter.drawLine(30, 57, SplashWidth - 31, 57);
    painter.setRenderHint(QPainter::Antialiasing);
}

// The word, as large as fits with a margin on both sides, and a little chain of numbers
// under it.
void DrawSplashWord(QPainter& painter, qreal w) {
    const QString word = QString::fromUtf8(ProductTitleText);
    int pixelSize = 44;
    QFont wordFont = PixelFont(QStringLiteral("Liberation Serif"), pixelSize, true, true);
    while (pixelSize > 12 && QFontMetricsF(wordFont).horizontalAdvance(word) > w - 30) {
        wordFont.setPixelSize(--pixelSize);
    }
    painter.setFont(wordFont);
    const QRectF wordBox(0, 70, w, 60);
    painter.setPen(QColor(150, 150, 150));
    painter.drawText(wordBox.translated(2, 2), Qt::AlignCenter, word);
    painter.setPen(QColor(0, 40, 200));
    painter.drawText(wordBox, Qt::AlignCenter, word);

    painter.setFont(PixelFont(QStringLiteral("Liberation Sans"), 14, true));
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRectF(0, 132, w, 22), Qt::AlignCenter,
                     QStringLiteral("5 \u2192 8 \u2192 16 \u2192 4"));
}

// The maker mark, centred at the bottom.
void DrawSplashMaker(QPainter& painter, qreal w) {
    const QFont makerFont = PixelFont(QStringLiteral("Liberation Sans"), 13, false);
    const QString maker = QStringLiteral("QX5-holdet");
    const qreal makerWidth = QFontMetricsF(makerFont).horizontalAdvance(maker);
    const qreal markWidth = 29 + 6 + makerWidth;
    const qreal left = (w - markWidth) / 2;
    DrawChainMark(painter, QPointF(left, 185));
    painter.setFont(makerFont);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(left + 35, 186, makerWidth + 2, 15), Qt::AlignLeft | Qt::AlignVCenter,
                     maker);
}

} // namespace

QPixmap DrawSplashPicture() {
    QPixmap pixmap(SplashWidth, SplashHeight);
    pixmap.fill(QColor(212, 212, 212));
    QPainter painter(&pixmap);
    DrawRaisedBevel(painter, SplashWidth, SplashHeight);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawSplashName(painter, SplashWidth);
    DrawSplashWord(painter, SplashWidth);
    DrawSplashMaker(painter, SplashWidth);
    return pixmap;
}

QByteArray PicturePixels(const QPixmap& picture, QImage::Format format) {
    const QImage image = picture.toImage().convertToFormat(format);
    return {reinterpret_cast<const char*>(image.constBits()),
            static_cast<qsizetype>(image.sizeInBytes())};
}

namespace {

// A picture as the program loads it, drawn at build time.
QImage ReadPicture(const QString& resource, QSize size, QImage::Format format) {
    const QResource source(resource);
    // Both formats hold a pixel in 32 bits, so a line needs no padding.
    const qsizetype bytes = qsizetype{4} * size.width() * size.height();
    if (!source.isValid() || source.compressionAlgorithm() != QResource::NoCompression ||
        source.size() != bytes || bytes == 0) {
        return {};
    }
    // Compiled into the program, the resource stays registered, and its data in place, for
    // the whole run (a resource file registered later could be unregistered).
    const uchar* pixels = source.data();
    // The image only reads the pixels, so it can use them where they lie, if their lines
    // are aligned as an image's must be; the resource compiler does not promise that.
    if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(quint32) == 0) {
        return {pixels, size.width(), size.height(), format};
    }
    QImage copy(size, format);
    if (!copy.isNull()) {
        std::memcpy(copy.bits(), pixels, static_cast<std::size_t>(bytes));
    }
    return copy;
}

} // namespace

QImage LoadSplashPicture() {
    return ReadPicture(QStringLiteral(":/pictures/splash.pixels"), QSize(SplashWidth, SplashHeight),
                       SplashFormat);
}

QImage LoadProgramIconPicture(int size) {
    return ReadPicture(QStringLiteral(":/pictures/qx5-%1.pixels").arg(size), QSize(size, size),
                       ProgramIconFormat);
}

QIcon LoadProgramIcon() {
    QIcon icon;
    for (const int size : ProgramIconSizes) {
        icon.addPixmap(QPixmap::fromImage(LoadProgramIconPicture(size)));
    }
    return icon;
}

} // namespace qx5
