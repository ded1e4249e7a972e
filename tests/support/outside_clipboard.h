// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard as other programs read it: with xclip, from outside this process.
#pragma once

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
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return "needs the X11 clipboard";
    }
    return nullptr;
}

// Reads the clipboard the way another X client does. The selection is served by this
// process, so the event loop must keep turning while xclip waits for it.
inline Outside ReadWithXclip(const QStringList& arguments) {
    QProcess xclip;
    QSignalSpy finished(&xclip, &QProcess::finished);
    xclip.start(QStringLiteral("xclip"),
                QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard"),
                            QStringLiteral("-o")} +
                    arguments);
    if (!finished.wait(10000)) {
        xclip.kill();
        xclip.waitForFinished();
        return {false, {}, QStringLiteral("xclip did not finish: ") + xclip.errorString()};
    }
    const QString error = QString::fromLocal8Bit(xclip.readAllStandardError());
    return {xclip.exitStatus() == QProcess::NormalExit && xclip.exitCode() == 0,
            xclip.readAllStandardOutput(), error};
}

} // namespace qx5::test
