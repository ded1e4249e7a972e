// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// QX5 as a dark desktop shows it, Fusion with a dark palette, to look at by hand and in
// screenshots; the program itself takes its palette from the desktop.
#include "app/main_window.h"
#include "dark_palette.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    qx5::EngineState state;
    std::vector<std::string> transcript;
    qx5::MersenneRandomSource random; // seeded from the clock at the first activation
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(qx5::test::DarkPalette());
    qx5::TForm1 mainWindow(state, random, transcript);
    mainWindow.show();
    return QApplication::exec();
}
