// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about_box.h"

#include "pictures.h"
#include "program_fonts.h"
#include "program_texts.h"
#include "qt_text.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace qx5 {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                  int pixelSize, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(AboutBoxFont(pixelSize));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(geometry);
    QPalette black = label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(black);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(ToQString(AboutCaption));
    setModal(true);
    setFixedSize(385, 213);
}

void TAboutBox::setVisible(bool visible) {
    if (visible) {
        MakeControls();
    }
    QDialog::setVisible(visible);
}

void TAboutBox::MakeControls() {
    // Made at the first opening: the program starts leaner without them.
    if (ok_) {
        return;
    }
    // A raised panel inside a lowered frame.
    auto* outer = new QFrame(this);
    outer->setObjectName(QStringLiteral("Panel1"));
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    outer->setGeometry(8, 8, 369, 161);
    auto* panel = new QFrame(outer);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(1, 1, 367, 159);

    icon_ = new QLabel(outer);
    icon_->setObjectName(QStringLiteral("ProgramIcon"));
    icon_->setGeometry(88, 16, 33, 33);
    icon_->setScaledContents(true);

    labels_ << MakeLabel(outer, QStringLiteral("ProductName"), ToQString(ProductNameText),
                         QRect(144, 16, 82, 37), 32, Qt::AlignLeft);
    labels_ << MakeLabel(outer, QStringLiteral("Title"), ToQString(ProductTitleText),
                         QRect(120, 64, 128, 24), 20, Qt::AlignHCenter);
    labels_ << MakeLabel(outer, QStringLiteral("Version"), VersionText(), QRect(136, 100, 89, 13),
                         11, Qt::AlignHCenter);
    labels_ << MakeLabel(outer, QStringLiteral("Maker"), ToQString(MakerText),
                         QRect(8, 128, 355, 20), 16, Qt::AlignHCenter);

    ok_ = new QPushButton(ToQString(AboutOkCaption), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setGeometry(152, 176, 73, 25);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

QString TAboutBox::VersionText() const {
    return ToQString(qx5::VersionText);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Fonts and the theme's icons are looked up at the first opening, not at start-up.
    if (!laidOut_) {
        laidOut_ = true;
        ok_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
        icon_->setPixmap(QPixmap::fromImage(LoadProgramIconPicture(AboutBoxIconSize)));
        // A wider stand-in font must not cut a text: its label grows about its centre.
        for (QLabel* label : std::as_const(labels_)) {
            const QRect place = label->geometry();
            const int width = std::max(place.width(), label->sizeHint().width());
            label->setGeometry(place.x() - (width - place.width()) / 2, place.y(), width,
                               place.height());
        }
    }
    // Centred on the screen, not over the main window.
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace qx5
