// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The finished series as text, for a pupil who cannot see the sheet: a read-only text that
// takes the focus when the series finishes, so a screen reader reads it line by line with
// the arrow keys. It lies over the sheet and draws nothing: the sheet shows the same.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace qx5 {

class ResultText final : public QPlainTextEdit {
public:
    explicit ResultText(QWidget* sheet);

    // Shows the lines in the place given, from the first line, and takes the focus.
    void ShowLines(const QStringList& lines, const QRect& place);
};

} // namespace qx5
