#include "main_window.h"

#include "app_texts.h"

#include <QPalette>
#include <QString>

namespace qx5 {

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(CaptionPrefix) + QString::fromUtf8(VersionText));

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

} // namespace qx5
