// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for the Enter measurement: the least a Qt Widgets program does when Enter is
// pressed in a line edit, which is to show the typed text in a label and empty the edit.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("bare_enter"));
    auto* edit = new QLineEdit(&window);
    auto* label = new QLabel(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(label);
    layout->addStretch();
    QObject::connect(edit, &QLineEdit::returnPressed, [edit, label] {
        label->setText(edit->text());
        edit->clear();
    });
    // The same size as qx5's window, as the start-up reference has it.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    edit->setFocus();
    return QApplication::exec();
}
