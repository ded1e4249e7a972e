// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's pictures at build time. For the program: the icon and the splash
// picture as the pixels it compiles in and only reads back, so that drawing (and the fonts it
// needs) costs nothing at start-up, and the icon as PNG and SVG files in every size, for
// installing. With --web, for the browser edition: the same pictures and the tool bar's as
// PNG files, and the few texts the page needs before the engine is there.
#include "engine/program_texts.h"
#include "pictures/pictures.h"
#include "pictures/tool_pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// The icon as SVG in the icon's own units, so that it scales to any size.
bool SaveScalableIcon(const QString& fileName) {
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(QSize(qx5::ProgramIconUnits, qx5::ProgramIconUnits));
    generator.setViewBox(QRect(0, 0, qx5::ProgramIconUnits, qx5::ProgramIconUnits));
    generator.setTitle(QStringLiteral("QX5"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    qx5::PaintProgramIcon(painter);
    return painter.end();
}

// Whole or not at all: a cut-off file would leave the program a blank picture.
bool SaveFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool SaveProgramPictures(const QDir& folder) {
    bool saved = SaveFile(folder.filePath(QStringLiteral("splash.pixels")),
                          qx5::PicturePixels(qx5::DrawSplashPicture(), qx5::SplashFormat));
    const auto iconFile = [&folder](int size, const char* suffix) {
        return folder.filePath(QStringLiteral("qx5-%1.%2").arg(size).arg(QLatin1String(suffix)));
    };
    for (const int size : qx5::ProgramIconSizes) {
        const QPixmap icon = qx5::DrawProgramIcon(size);
        saved = icon.save(iconFile(size, "png")) && saved;
        saved =
            SaveFile(iconFile(size, "pixels"), qx5::PicturePixels(icon, qx5::ProgramIconFormat)) &&
            saved;
    }
    for (const int size : qx5::InstalledIconSizes) {
        saved = qx5::DrawProgramIcon(size).save(iconFile(size, "png")) && saved;
    }
    return SaveScalableIcon(folder.filePath(QStringLiteral("qx5.svg"))) && saved;
}

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

bool SaveWebPictures(const QDir& folder) {
    using qx5::ToolPicture;
    const std::pair<ToolPicture, const char*> tools[] = {
        {ToolPicture::Printer, "printer"},      {ToolPicture::Pencil, "pencil"},
        {ToolPicture::TwoDocuments, "copy"},    {ToolPicture::NewNumbers, "new-series"},
        {ToolPicture::TurnBack, "restart"},     {ToolPicture::ArrowLeft, "previous-type"},
        {ToolPicture::ArrowRight, "next-type"},
    };
    bool saved = true;
    for (const auto& [picture, name] : tools) {
        for (const int ratio : {1, 2}) {
            const QString file = QStringLiteral("%1-%2x.png").arg(QLatin1String(name)).arg(ratio);
            saved = saved && qx5::DrawToolPicture(picture, ratio).save(folder.filePath(file));
        }
    }
    saved = saved && qx5::DrawSplashPicture().save(folder.filePath(QStringLiteral("splash.png")));
    // The web app's icons: as they are at the sizes installing asks, within the circle a
    // "maskable" icon keeps, and the one Safari puts on an iPad's home screen.
    for (const int size : {qx5::AboutBoxIconSize, 192, 512}) {
        saved = saved && qx5::DrawProgramIcon(size).save(
                             folder.filePath(QStringLiteral("qx5-%1.png").arg(size)));
    }
    saved =
        saved && IconOnGround(512, 0.58).save(folder.filePath(QStringLiteral("qx5-maskable.png")));
    saved = saved && IconOnGround(180, 0.84).save(folder.filePath(QStringLiteral("qx5-touch.png")));
    const QJsonObject texts{
        {"LoadFailed", QString::fromUtf8(qx5::LoadFailedMessage)},
        {"WebAppName", QString::fromUtf8(qx5::WebAppName)},
        {"WebAppDescription", QString::fromUtf8(qx5::WebAppDescription)},
    };
    return saved &&
           SaveFile(folder.filePath(QStringLiteral("texts.json")), QJsonDocument(texts).toJson());
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const bool web = argc == 3 && std::strcmp(argv[1], "--web") == 0;
    if (argc != 2 && !web) {
        std::fputs("usage: qx5_draw_pictures [--web] <output folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
    if (!folder.mkpath(QStringLiteral(".")) ||
        !(web ? SaveWebPictures(folder) : SaveProgramPictures(folder))) {
        std::fprintf(stderr, "qx5_draw_pictures: cannot write the pictures to %s\n",
                     argv[argc - 1]);
        return 1;
    }
    return 0;
}
