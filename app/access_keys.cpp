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
    // A caption's own "&" doubled, so that it shows.
    const auto escaped = [](QString text) { return text.replace(u'&', QStringLiteral("&&")); };
    if (key < 0) {
        return escaped(caption);
    }
    used += caption.at(key).toUpper();
    return escaped(caption.left(key)) + u'&' + escaped(caption.mid(key));
}

} // namespace qx5
