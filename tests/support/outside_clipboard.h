// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard as other programs read it, from outside this process.
#pragma once

#include "window_support.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>
#include <QTextDocument>

namespace qx5::test {

// What a paste gives: a line of one blank on top, then every line, each ended by CR LF.
inline QByteArray CrLfText(const QStringList& lines) {
    QByteArray text = " \r\n";
    for (const QString& line : lines) {
        text += line.toUtf8() + "\r\n";
    }
    return text;
}

// The lines of a document, with non-breaking spaces left as they are.
inline QStringList RawLines(const QTextDocument& document) {
    return document.toRawText().split(QChar::ParagraphSeparator);
}

struct Outside {
    bool ok = false;
    QByteArray output;
    QString error;
};

// Why the clipboard cannot be read from outside here, or nothing when it can.
inline const char* NoOutsideReader() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !OnWayland()) {
        return "needs the X11 or the Wayland clipboard";
    }
    return nullptr;
}

// The name of what a plain paste takes, in the list of what the clipboard offers.
inline const char* PlainTextTarget() {
    return OnWayland() ? "text/plain;charset=utf-8" : "UTF8_STRING";
}

// Reads the clipboard the way another program does: with xclip on X11, with wl-paste on
// Wayland. type is a MIME type, empty for what a plain paste takes, or "TARGETS" for the
// list of what is offered. The clipboard is served by this process, so the event loop
// must keep turning while the reader waits for it.
inline Outside ReadFromOutside(const QString& type = {}) {
    const bool list = type == QLatin1String("TARGETS");
    QStringList arguments;
    QString reader;
    if (OnWayland()) {
        reader = QStringLiteral("wl-paste");
        arguments << (list ? QStringLiteral("--list-types") : QStringLiteral("--no-newline"));
        if (!list) {
            arguments << QStringLiteral("--type") << (type.isEmpty() ? PlainTextTarget() : type);
        }
    } else {
        reader = QStringLiteral("xclip");
        arguments << QStringLiteral("-selection") << QStringLiteral("clipboard")
                  << QStringLiteral("-o");
        if (!type.isEmpty()) {
            arguments << QStringLiteral("-t") << type;
        }
    }
    // Qt hands a new clipboard to the compositor when its event loop next turns: before the
    // reader asks, not in a race with it.
    QCoreApplication::processEvents();
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(reader, arguments);
    if (!finished.wait(10000)) {
        process.kill();
        process.waitForFinished();
        return {false, {}, reader + QStringLiteral(" did not finish: ") + process.errorString()};
    }
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            process.readAllStandardOutput(), error};
}

} // namespace qx5::test
