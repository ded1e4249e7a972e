// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the desktop program's pictures as PNG files for the browser edition: the tool bar's
// at one and two pixels a point, the splash picture and the icon, by the same code.
#include "pictures/pictures.h"
#include "pictures/tool_pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>
#include <utility>

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
    if (!saved) {
        std::fprintf(stderr, "qx5_web_pictures: could not write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
