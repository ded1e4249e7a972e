// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "heading_dialog.h"

#include "heading_text.h"
#include "program_fonts.h"
#include "program_texts.h"
#include "qt_text.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include <limits>

namespace qx5 {

TOverskrif::TOverskrif(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Overskrif"));
    setWindowTitle(ToQString(HeadingCaption));
    setModal(true);
    resize(389, 119);
    setFont(HeadingDialogFont());
}

void TOverskrif::setVisible(bool visible) {
    if (visible) {
        MakeControls();
    }
    QDialog::setVisible(visible);
}

void TOverskrif::MakeControls() {
    // The dialog is made at start-up, its controls at the first opening: an edit box lays
    // out its text in the dialog's font as it is made, and the program starts leaner without.
    if (Edit1) {
        return;
    }
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(16, 8, 361, 73);

    Label1 = new QLabel(ToQString(HeadingLabelText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 16, 312, 16);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(48, 40, 297, 24);
    // QLineEdit's default limit is 32767 characters; a heading has none.
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    Edit1->installEventFilter(this);
    // A screen reader names the box by its label.
    Label1->setBuddy(Edit1);
    Edit1->setAccessibleName(Label1->text().trimmed());

    BitBtn1 = new QPushButton(ToQString(HeadingOkCaption), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(56, 88, 65, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TOverskrif::BitBtn1Click);

    BitBtn2 = new QPushButton(ToQString(HeadingCancelCaption), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(264, 88, 89, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

void TOverskrif::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A spontaneous show is the window manager restoring the window, not an opening.
    if (event->spontaneous()) {
        return;
    }
    // The theme's icons are looked up at the first opening: the dialog is made at start-up.
    // It is placed then too; later openings find it where the pupil left it.
    if (!firstOpened_) {
        firstOpened_ = true;
        BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
        BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
        // setGeometry, unlike move, places the client area rather than the frame.
        setGeometry(QRect(QPoint(229, 123), size()));
    }
    // Every opening shows the heading in force, not a text typed and then cancelled.
    Edit1->setText(ToQString(PrintHeading_));
    opening_ = true;
}

bool TOverskrif::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // Qt activates the dialog again whenever a window over it goes away; only the first
    // activation of an opening moves the focus, the pupil's own moves stand after that.
    if (event->type() == QEvent::WindowActivate && opening_) {
        opening_ = false;
        FormActivate();
    }
    return handled;
}

bool TOverskrif::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        return Edit1KeyPress(*static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void TOverskrif::FormActivate() {
    Edit1->setFocus(Qt::ActiveWindowFocusReason);
}

bool TOverskrif::Edit1KeyPress(const QKeyEvent& key) {
    // Enter must not reach the dialog, which would press the default button at once: the
    // first Enter only takes the pupil to OK.
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        BitBtn1->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void TOverskrif::BitBtn1Click() {
    // A paste can bring line breaks and Qt's own marks; the heading must stay one line.
    PrintHeading_ = HeadingText(Edit1->text().toStdString());
    accept();
}

} // namespace qx5
