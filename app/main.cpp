// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/danish_translation.h"
#include "app/main_window.h"
#include "app/startup_style.h"
#include "engine/engine_state.h"
#include "engine/random_source.h"

#include <QApplication>
#include <QByteArray>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;
// The first platform plugin Qt looked for and did not find while it started.
QString missingPlugin;

// While the platform plugin starts, its complaints are held back: when no display can
// be opened the user gets one clear line, naming what is missing, and an exit code
// instead of Qt's abort.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtFatalMsg) {
        if (missingPlugin.isEmpty()) {
            std::fputs("qx5: no graphical display could be opened; start QX5 from a desktop "
                       "session (or set DISPLAY or WAYLAND_DISPLAY).\n",
                       stderr);
        } else {
            // Debian's package for the plugins a desktop lacks in practice (wayland,
            // wayland-egl, ...).
            const char* package =
                missingPlugin.startsWith(QLatin1String("wayland")) ? " (Debian: qt6-wayland)" : "";
            std::fprintf(stderr,
                         "qx5: no graphical display could be opened: Qt's platform plugin "
                         "\"%s\" is not installed%s.\n",
                         qPrintable(missingPlugin), package);
        }
        std::_Exit(EXIT_FAILURE);
    }
    const QByteArray category(context.category ? context.category : "");
    if (category == "qt.qpa.plugin" && message.startsWith(QLatin1String("Could not find"))) {
        const qsizetype from = message.indexOf(QLatin1Char('"')) + 1;
        const qsizetype to = message.indexOf(QLatin1Char('"'), from);
        if (from > 0 && to > from && missingPlugin.isEmpty()) {
            missingPlugin = message.mid(from, to - from);
        }
    }
    if (category.startsWith("qt.qpa")) {
        return;
    }
    if (previousHandler) {
        previousHandler(type, context, message);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // The engine's state and the transcript's lines come first and live for the whole run.
    qx5::EngineState state;
    std::vector<std::string> transcript;
    // Seeded now from the clock's count, which reads no file (the time zone would), so that
    // series are random even if the window is never activated; its first activation reseeds.
    qx5::MersenneRandomSource random(
        static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));

    // The menu stays in the window on every desktop, where the guide and the access keys
    // place it; a desktop-wide menu would also cost a D-Bus round trip before the window
    // shows.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    previousHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    QApplication::setStyle(new qx5::StartupStyle);
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QX5_APP_ID));
    qx5::InstallDanishQtTranslation(app);

    qx5::TForm1 mainWindow(state, random, transcript);
    mainWindow.show();
    return QApplication::exec();
}
