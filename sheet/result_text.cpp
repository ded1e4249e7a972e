// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheet/result_text.h"

#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "sheet/exercise_controls.h"

namespace qx5 {

ResultText::ResultText(QWidget* sheet)
    : QPlainTextEdit(sheet) {
    setObjectName(QStringLiteral("ResultText"));
    setAccessibleName(ToQString(ResultTextName));
    setReadOnly(true);
    // A caret the arrow keys move, so that a screen reader follows it line by line.
    setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Nothing of it is seen: no background, text, selection or caret, so the sheet under it
    // looks exactly as without it. Clicks and the wheel go through to the sheet.
    QPalette clear = palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Text,
                                           QPalette::Highlight, QPalette::HighlightedText}) {
        clear.setColor(role, Qt::transparent);
    }
    setPalette(clear);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setCursorWidth(0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ResultText::ShowLines(const QStringList& lines, const QRect& place) {
    setPlainText(lines.join(QLatin1Char('\n')));
    moveCursor(QTextCursor::Start);
    // A screen reader that hears of the new text after the text has the focus takes the
    // focus as come, and would not read it: the text it hears of belongs to an old object.
    RenewAccessibleObject(this);
    setGeometry(place);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

} // namespace qx5
