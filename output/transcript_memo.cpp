// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/transcript_memo.h"

#include "common/qt_text.h"

#include <QMimeData>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <memory>

namespace qx5 {

TranscriptMemo::TranscriptMemo(QWidget* parent)
    : QTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    // Only ever filled by CopyLines: nothing typed, no undo history to keep.
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    // Explicitly hidden, so that showing the owning window does not show the box.
    hide();
}

void TranscriptMemo::CopyLines(const std::vector<std::string>& lines) {
    clear();

    // Non-breakable blocks are exported as <pre>, which keeps the runs of blanks that form
    // the columns even where a paste target ignores Qt's style sheet. The font goes on every
    // piece of text: Qt's export of a selection leaves out the document's default font.
    QTextBlockFormat block;
    block.setNonBreakableLines(true);
    QTextCharFormat text;
    text.setFont(font());
    text.setForeground(Qt::black);

    // Plain insertion, so that a heading such as "<b>Ida</b>" stays text, never markup.
    QTextCursor cursor(document());
    cursor.setBlockFormat(block);
    cursor.insertText(QStringLiteral(" "), text);
    for (const std::string& line : lines) {
        cursor.insertBlock(block, text);
        cursor.insertText(ToQString(line), text);
    }

    selectAll();
    copy();
}

QMimeData* TranscriptMemo::createMimeDataFromSelection() const {
    // Only Qt's HTML is taken over: its Markdown doubles the line spacing of non-breakable
    // blocks and its ODF names a default font instead of ours.
    const std::unique_ptr<QMimeData> rich(QTextEdit::createMimeDataFromSelection());
    auto* data = new QMimeData;

    // Every line, the last included, ends in CR LF, and the blanks stay as they are.
    const QTextCursor selection = textCursor();
    const QString lineEnd = QStringLiteral("\r\n");
    data->setText(selection.hasSelection()
                      ? selection.selectedText().replace(QChar::ParagraphSeparator, lineEnd) +
                            lineEnd
                      : QString());
    data->setHtml(rich->html());
    return data;
}

} // namespace qx5
