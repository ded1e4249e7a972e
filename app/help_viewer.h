// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The help layer: the program asks for a help file by name and page, as it always has;
// here that name is mapped to a help document compiled into the program and shown in a
// help window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace qx5 {

inline constexpr const char* HelpFileName = "QX5.HLP";
// The help command that shows a file's contents page.
inline constexpr int HelpContents = 3;

class HelpViewer : public QObject {
    Q_OBJECT

public:
    // Messages are shown over messageParent. documentRoot holds the documents (the
    // compiled-in resources unless a test says otherwise).
    explicit HelpViewer(QWidget* messageParent, QString documentRoot = QStringLiteral(":/help"));
    ~HelpViewer() override;

    // Shows helpFile at the page the command asks for. A file that has no document gives
    // a message naming it; returns whether the help window shows the document.
    bool ShowHelp(const QString& helpFile, int command = HelpContents, int data = 0);
    // The help window, once it has been made; nullptr before.
    QWidget* Window() const { return window_; }

private:
    QWidget* messageParent_;
    QString documentRoot_;
    QPointer<QWidget> window_;
};

} // namespace qx5
