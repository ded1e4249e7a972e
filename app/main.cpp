#include "main_window.h"

#include <QApplication>
#include <QByteArray>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;

// While the platform plugin starts, its complaints are held back: when no display can
// be opened the user gets one clear line and an exit code instead of Qt's abort.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("qx5: no graphical display could be opened; start QX5 from a desktop "
                   "session (or set DISPLAY).\n",
                   stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (QByteArray(context.category ? context.category : "").startsWith("qt.qpa")) {
        return;
    }
    if (previousHandler) {
        previousHandler(type, context, message);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    previousHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);

    qx5::TForm1 mainWindow;
    // Fill the work area even where no window manager maximises the window.
    mainWindow.setGeometry(mainWindow.screen()->availableGeometry());
    mainWindow.showMaximized();
    return QApplication::exec();
}
