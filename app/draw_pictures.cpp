// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's icon and splash picture into PNG files at build time; the program
// only loads them, so that drawing (and the fonts it needs) costs nothing at start-up. The
// larger icons and the scalable one are made here too, for installing.
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
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
    bool saved = qx5::DrawSplashPicture().save(folder.filePath(QStringLiteral("splash.png")));
    const auto saveIcon = [&folder](int size) {
        return qx5::DrawProgramIcon(size).save(
            folder.filePath(QStringLiteral("qx5-%1.png").arg(size)));
    };
    for (const int size : qx5::ProgramIconSizes) {
        saved = saveIcon(size) && saved;
    }
    for (const int size : qx5::InstalledIconSizes) {
        saved = saveIcon(size) && saved;
    }
    saved = SaveScalableIcon(folder.filePath(QStringLiteral("qx5.svg"))) && saved;
    if (!saved) {
        std::fprintf(stderr, "qx5_draw_pictures: cannot write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
