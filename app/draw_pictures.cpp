// Draws the program's icon and splash picture into PNG files at build time; the program
// only loads them, so that drawing (and the fonts it needs) costs nothing at start-up.
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

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
    for (const int size : qx5::ProgramIconSizes) {
        saved = qx5::DrawProgramIcon(size).save(
                    folder.filePath(QStringLiteral("qx5-%1.png").arg(size))) &&
                saved;
    }
    if (!saved) {
        std::fprintf(stderr, "qx5_draw_pictures: cannot write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
