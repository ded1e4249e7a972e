// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the desktop program's pictures as PNG files for the browser edition: the tool bar's
// at one and two pixels a point, the splash picture and the icon, by the same code; and the
// icon at the sizes a home screen asks.
#include "engine/program_texts.h"
#include "pictures/pictures.h"
#include "pictures/tool_pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <utility>

namespace {

// The icon on an opaque white square, taking the given share of its side: a home screen
// cuts such an icon to its own shape (a circle, a rounded square) and would show a
// transparent one's corners black.
QImage IconOnGround(int size, qreal share) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = size * share;
    painter.translate((size - side) / 2, (size - side) / 2);
    painter.scale(side / qx5::ProgramIconUnits, side / qx5::ProgramIconUnits);
    qx5::PaintProgramIcon(painter);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: qx5_web_pictures <output folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    using qx5::ToolPicture;
    const std::pair<ToolPicture, const char*> tools[] = {
        {ToolPicture::Printer, "printer"},      {ToolPicture::Pencil, "pencil"},
        {ToolPicture::TwoDocuments, "copy"},    {ToolPicture::NewNumbers, "new-series"},
        {ToolPicture::TurnBack, "restart"},     {ToolPicture::ArrowLeft, "previous-type"},
        {ToolPicture::ArrowRight, "next-type"},
    };
    bool saved = folder.mkpath(QStringLiteral("."));
    for (const auto& [picture, name] : tools) {
        for (const int ratio : {1, 2}) {
            const QString file = QStringLiteral("%1-%2x.png").arg(QLatin1String(name)).arg(ratio);
            saved = saved && qx5::DrawToolPicture(picture, ratio).save(folder.filePath(file));
        }
    }
    saved = saved && qx5::DrawSplashPicture().save(folder.filePath(QStringLiteral("splash.png")));
    saved = saved && qx5::DrawProgramIcon(qx5::AboutBoxIconSize)
                         .save(folder.filePath(QStringLiteral("qx5-32.png")));
    // The web app's icons: as they are at the sizes installing asks, within the circle a
    // "maskable" icon keeps, and the one Safari puts on an iPad's home screen.
    for (const int size : {192, 512}) {
        saved = saved && qx5::DrawProgramIcon(size).save(
                             folder.filePath(QStringLiteral("qx5-%1.png").arg(size)));
    }
    saved =
        saved && IconOnGround(512, 0.58).save(folder.filePath(QStringLiteral("qx5-maskable.png")));
    saved = saved && IconOnGround(180, 0.84).save(folder.filePath(QStringLiteral("qx5-touch.png")));
    // The texts the page needs before the engine is there, or without it.
    QFile texts(folder.filePath(QStringLiteral("texts.json")));
    saved = saved && texts.open(QIODevice::WriteOnly) &&
            texts.write(
                QJsonDocument(QJsonObject{
                                  {"LoadFailed", QString::fromUtf8(qx5::LoadFailedMessage)},
                                  {"WebAppName", QString::fromUtf8(qx5::WebAppName)},
                                  {"WebAppDescription", QString::fromUtf8(qx5::WebAppDescription)},
                              })
                    .toJson()) > 0 &&
            texts.flush();
    if (!saved) {
        std::fprintf(stderr, "qx5_web_pictures: could not write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
