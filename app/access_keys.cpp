// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/access_keys.h"

namespace qx5 {

namespace {

bool IsFree(QChar c, const QString& used) {
    return c.isLetterOrNumber() && !used.contains(c.toUpper());
}

} // namespace

QString WithAccessKey(const QString& caption, QString& used) {
    qsizetype key = -1;
    for (qsizetype i = 0; i < caption.size() && key < 0; ++i) {
        const bool wordStart = i == 0 || caption.at(i - 1).isSpace();
        if (wordStart && IsFree(caption.at(i), used)) {
            key = i;
        }
    }
    for (qsizetype i = 0; i < caption.size() && key < 0; ++i) {
        if (IsFree(caption.at(i), used)) {
            key = i;
        }
    }
    QString marked;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (i == key) {
            marked += QLatin1Char('&');
            used += caption.at(i).toUpper();
        }
        marked += caption.at(i);
        if (caption.at(i) == QLatin1Char('&')) {
            marked += QLatin1Char('&');
        }
    }
    return marked;
}

} // namespace qx5
