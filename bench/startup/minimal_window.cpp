// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for the start-up measurement: the least a Qt Widgets program does to put a
// maximised main window on the screen.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal_window"));
    window.setCentralWidget(new QLabel(QStringLiteral("minimal_window")));
    // Fill the work area as qx5 does, so that without a window manager both programs
    // paint a window of the same size.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
