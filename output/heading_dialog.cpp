// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/heading_dialog.h"

#include "common/program_fonts.h"
#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "transcript/heading_text.h"

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
    : ControlsAtFirstUse(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Overskrif"));
    setWindowTitle(ToQString(HeadingCaption));
    setModal(true);
    resize(389, 119);
    setFont(HeadingDialogFont());
}

void TOverskrif::MakeControls(HeadingDialogControls& made) {
    // With the theme's icons; an edit box lays out its text in the dialog's font as it is made.
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(16, 8, 361, 73);

    auto* label = new QLabel(ToQString(HeadingLabelText), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(24, 16, 312, 16);

    made.Edit1 = new QLineEdit(this);
    made.Edit1->setObjectName(QStringLiteral("Edit1"));
    made.Edit1->setGeometry(48, 40, 297, 24);
    // QLineEdit's default limit is 32767 characters; a heading has none.
    made.Edit1->setMaxLength(std::numeric_limits<int>::max());
    made.Edit1->installEventFilter(this);
    // A screen reader names the box by its label.
    label->setBuddy(made.Edit1);
    made.Edit1->setAccessibleName(label->text().trimmed());

    made.BitBtn1 = new QPushButton(ToQString(HeadingOkCaption), this);
    made.BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    made.BitBtn1->setGeometry(56, 88, 65, 25);
    made.BitBtn1->setDefault(true);
    made.BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(made.BitBtn1, &QPushButton::clicked, this, &TOverskrif::BitBtn1Click);

    auto* cancel = new QPushButton(ToQString(HeadingCancelCaption), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setGeometry(264, 88, 89, 25);
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(made.Edit1, made.BitBtn1);
    setTabOrder(made.BitBtn1, cancel);
}

void TOverskrif::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A spontaneous show is the window manager restoring the window, not an opening.
    if (event->spontaneous()) {
        return;
    }
    // Placed at the first opening; later openings find it where the pupil left it.
    if (!firstOpened_) {
        firstOpened_ = true;
        // setGeometry, unlike move, places the client area rather than the frame.
        setGeometry(QRect(QPoint(229, 123), size()));
    }
    // Every opening shows the heading in force, not a text typed and then cancelled.
    Ui().Edit1->setText(ToQString(PrintHeading_));
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
    if (watched == Ui().Edit1 && event->type() == QEvent::KeyPress) {
        return Edit1KeyPress(*static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void TOverskrif::FormActivate() {
    Ui().Edit1->setFocus(Qt::ActiveWindowFocusReason);
}

bool TOverskrif::Edit1KeyPress(const QKeyEvent& key) {
    // Enter must not reach the dialog, which would press the default button at once: the
    // first Enter only takes the pupil to OK.
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        Ui().BitBtn1->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void TOverskrif::BitBtn1Click() {
    // A paste can bring line breaks and Qt's own marks; the heading must stay one line.
    PrintHeading_ = HeadingText(Ui().Edit1->text().toStdString());
    accept();
}

} // namespace qx5
