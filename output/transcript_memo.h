// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The hidden rich-text box through which a transcript reaches the clipboard.
#pragma once

#include <QTextEdit>

#include <string>
#include <vector>

namespace qx5 {

class TranscriptMemo : public QTextEdit {
    Q_OBJECT

public:
    explicit TranscriptMemo(QWidget* parent = nullptr);

    // Empties the box, fills it with a line of one blank and then the lines, selects all
    // and copies: plain text with every line ended by CR LF, and rich text in the box's
    // font.
    void CopyLines(const std::vector<std::string>& lines);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

} // namespace qx5
