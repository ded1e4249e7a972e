// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's icon and splash picture at build time: as the pixels the program
// compiles in and only reads back, so that drawing (and the fonts it needs) costs nothing
// at start-up, and the icon as PNG and SVG files in every size, for installing.
#include "pictures/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

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
bool SavePixels(const QString& fileName, const QPixmap& picture, QImage::Format format) {
    QSaveFile file(fileName);
    const QByteArray pixels = qx5::PicturePixels(picture, format);
    return file.open(QIODevice::WriteOnly) && file.write(pixels) == pixels.size() && file.commit();
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: qx5_draw_pictures <output folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "qx5_draw_pictures: cannot make %s\n", argv[1]);
        return 1;
    }
    bool saved = SavePixels(folder.filePath(QStringLiteral("splash.pixels")),
                            qx5::DrawSplashPicture(), qx5::SplashFormat);
    const auto iconFile = [&folder](int size, const char* suffix) {
        return folder.filePath(QStringLiteral("qx5-%1.%2").arg(size).arg(QLatin1String(suffix)));
    };
    for (const int size : qx5::ProgramIconSizes) {
        const QPixmap icon = qx5::DrawProgramIcon(size);
        saved = icon.save(iconFile(size, "png")) && saved;
        saved = SavePixels(iconFile(size, "pixels"), icon, qx5::ProgramIconFormat) && saved;
    }
    for (const int size : qx5::InstalledIconSizes) {
        saved = qx5::DrawProgramIcon(size).save(iconFile(size, "png")) && saved;
    }
    saved = SaveScalableIcon(folder.filePath(QStringLiteral("qx5.svg"))) && saved;
    if (!saved) {
        std::fprintf(stderr, "qx5_draw_pictures: cannot write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
