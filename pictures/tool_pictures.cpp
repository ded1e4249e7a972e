// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/tool_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <iterator>

namespace qx5 {

namespace {

// Coordinates are logical pixels; edges sit on half pixels so 1-pixel outlines stay sharp.
const QColor Outline(40, 40, 40);
const QColor PaperLine(130, 140, 160);

QLinearGradient VerticalGradient(qreal top, qreal bottom, const QColor& light, const QColor& dark) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    return gradient;
}

QPainterPath Shape(const QRectF& rect) {
    QPainterPath shape;
    shape.addRect(rect);
    return shape;
}

// A polygon's outline, closed unless it is only part of a shape.
QPainterPath Shape(const QPolygonF& corners, bool closed = true) {
    QPainterPath shape;
    shape.addPolygon(corners);
    if (closed) {
        shape.closeSubpath();
    }
    return shape;
}

void FillOutlined(QPainter& painter, const QPainterPath& shape, const QBrush& fill,
                  const QColor& outline = Outline) {
    painter.setPen(QPen(outline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawPath(shape);
}

// A white sheet with a folded top-right corner.
void DrawSheet(QPainter& painter, const QRectF& rect, qreal fold) {
    const QPointF foldTop(rect.right() - fold, rect.top());
    const QPointF foldEnd(rect.right(), rect.top() + fold);
    FillOutlined(painter,
                 Shape({rect.topLeft(), foldTop, foldEnd, rect.bottomRight(), rect.bottomLeft()}),
                 Qt::white);
    FillOutlined(painter, Shape({foldTop, foldTop + QPointF(0, fold), foldEnd}, false),
                 QColor(215, 215, 215));
}

void DrawTextLines(QPainter& painter, qreal left, qreal right, qreal top, int count) {
    painter.setPen(QPen(PaperLine, 1.0, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < count; ++i) {
        // Every other line stops short, like the end of a paragraph.
        const qreal end = (i % 2 == 1) ? right - (right - left) / 3 : right;
        painter.drawLine(QPointF(left, top + 2 * i), QPointF(end, top + 2 * i));
    }
}

void DrawPrinter(QPainter& painter) {
    // The sheet going in at the back.
    FillOutlined(painter, Shape(QRectF(7.5, 2.5, 12, 9)), Qt::white);
    DrawTextLines(painter, 9.5, 17.5, 4.5, 3);

    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 10.5, 22, 10), 2, 2);
    FillOutlined(painter, body,
                 VerticalGradient(10.5, 20.5, QColor(235, 235, 235), QColor(150, 150, 150)));
    // The slot the printed sheet leaves by.
    painter.setPen(QPen(Outline, 1.0));
    painter.drawLine(QPointF(5.5, 16.5), QPointF(21.5, 16.5));
    // The power light.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 190, 40));
    painter.drawEllipse(QPointF(21, 13.5), 1.3, 1.3);

    // The printed sheet coming out at the front.
    FillOutlined(painter, Shape(QRectF(6.5, 16.5, 14, 8)), Qt::white);
    DrawTextLines(painter, 8.5, 18.5, 19.5, 3);
}

void DrawPencil(QPainter& painter) {
    // Drawn lying along the x axis with the point to the left, then turned so the point
    // faces the bottom left.
    painter.translate(13.5, 13.5);
    painter.rotate(-45);
    const qreal half = 3.5;

    FillOutlined(painter, Shape({{-15, 0}, {-8, -half}, {-8, half}}), QColor(240, 200, 150));
    FillOutlined(painter, Shape({{-15, 0}, {-12.2, -1.4}, {-12.2, 1.4}}), QColor(50, 50, 50));

    QLinearGradient yellow(0, -half, 0, half);
    yellow.setColorAt(0, QColor(255, 235, 90));
    yellow.setColorAt(0.5, QColor(250, 200, 0));
    yellow.setColorAt(1, QColor(205, 150, 0));
    FillOutlined(painter, Shape(QRectF(-8, -half, 15, 2 * half)), yellow);
    painter.setPen(QPen(QColor(190, 135, 0), 0.8));
    painter.drawLine(QPointF(-8, -1.2), QPointF(7, -1.2));
    painter.drawLine(QPointF(-8, 1.2), QPointF(7, 1.2));

    FillOutlined(painter, Shape(QRectF(7, -half, 3, 2 * half)),
                 VerticalGradient(-half, half, QColor(235, 235, 235), QColor(140, 140, 140)));

    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(8, -half, 5.5, 2 * half), 1.5, 1.5);
    FillOutlined(painter, eraser.subtracted(Shape(QRectF(8, -half - 1, 2, 2 * half + 2))),
                 QColor(240, 130, 140));
}

void DrawTwoDocuments(QPainter& painter) {
    DrawSheet(painter, QRectF(3.5, 2.5, 12, 16), 4);
    DrawTextLines(painter, 5.5, 13.5, 8.5, 4);
    DrawSheet(painter, QRectF(10.5, 8.5, 13, 16), 4);
    DrawTextLines(painter, 12.5, 21.5, 14.5, 5);
}

// A filled shape made of a thick curve or line plus an arrow head, with one outline around
// both.
QPainterPath ArrowShape(const QPainterPath& shaft, qreal width, const QPolygonF& head) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(shaft).united(Shape(head)).simplified();
}

void DrawNewNumbers(QPainter& painter) {
    DrawSheet(painter, QRectF(2.5, 1.5, 17, 22), 4);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(20, 40, 170));
    painter.drawText(QRectF(3, 3, 13, 10), Qt::AlignCenter, QStringLiteral("12"));
    painter.setPen(QColor(200, 30, 30));
    painter.drawText(QRectF(3, 12, 11, 10), Qt::AlignCenter, QStringLiteral("7"));

    // A small arrow bringing the new numbers in.
    QPainterPath shaft;
    shaft.moveTo(13, 21.5);
    shaft.lineTo(19.5, 21.5);
    const QPolygonF head{{19, 16.5}, {25.5, 21.5}, {19, 26.5}};
    FillOutlined(painter, ArrowShape(shaft, 4, head),
                 VerticalGradient(16.5, 26.5, QColor(255, 200, 60), QColor(225, 120, 0)),
                 QColor(120, 60, 0));
}

void DrawTurnBack(QPainter& painter) {
    // Like an undo arrow: from the bottom it curls up round the right and back to the left.
    QPainterPath shaft;
    shaft.moveTo(10, 21.5);
    shaft.lineTo(14.5, 21.5);
    shaft.arcTo(QRectF(8.5, 9.5, 12, 12), -90, 180);
    shaft.lineTo(9, 9.5);
    const QPolygonF head{{2.5, 9.5}, {10, 3}, {10, 16}};
    FillOutlined(painter, ArrowShape(shaft, 4.5, head),
                 VerticalGradient(3, 24, QColor(110, 170, 255), QColor(20, 70, 190)),
                 QColor(10, 30, 100));
}

void DrawArrowRight(QPainter& painter) {
    const QPolygonF arrow{{3.5, 10.5},  {13.5, 10.5}, {13.5, 4.5}, {23.5, 13.5},
                          {13.5, 22.5}, {13.5, 16.5}, {3.5, 16.5}};
    FillOutlined(painter, Shape(arrow),
                 VerticalGradient(4.5, 22.5, QColor(130, 230, 110), QColor(20, 140, 20)),
                 QColor(0, 70, 0));
}

} // namespace

QPixmap DrawToolPicture(ToolPicture picture, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(ToolPictureSize, ToolPictureSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // By the enum's order; the left arrow is the right one seen in a mirror.
    using Drawing = void (*)(QPainter&);
    constexpr Drawing drawings[] = {DrawPrinter,  DrawPencil,     DrawTwoDocuments, DrawNewNumbers,
                                    DrawTurnBack, DrawArrowRight, DrawArrowRight};
    static_assert(std::size(drawings) == static_cast<std::size_t>(ToolPicture::Count));
    if (picture == ToolPicture::ArrowLeft) {
        painter.translate(ToolPictureSize, 0);
        painter.scale(-1, 1);
    }
    drawings[static_cast<int>(picture)](painter);
    return pixmap;
}

} // namespace qx5
