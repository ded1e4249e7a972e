// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/about_box.h"

#include "common/program_fonts.h"
#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "pictures/pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace qx5 {

namespace {

void MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
               int pixelSize, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(AboutBoxFont(pixelSize));
    label->setAlignment(alignment | Qt::AlignVCenter);
    // A wider stand-in font must not cut the text: the label grows about its centre.
    const int width = std::max(geometry.width(), label->sizeHint().width());
    label->setGeometry(geometry.x() - (width - geometry.width()) / 2, geometry.y(), width,
                       geometry.height());
    QPalette black = label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(black);
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : ControlsAtFirstUse(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(ToQString(AboutCaption));
    setModal(true);
    setFixedSize(385, 213);
}

void TAboutBox::MakeControls(AboutBoxControls& /*nothing kept*/) {
    // With the fonts and the theme's icons. A raised panel inside a lowered frame.
    auto* outer = new QFrame(this);
    outer->setObjectName(QStringLiteral("Panel1"));
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    outer->setGeometry(8, 8, 369, 161);
    auto* panel = new QFrame(outer);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(1, 1, 367, 159);

    auto* icon = new QLabel(outer);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(88, 16, 33, 33);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap::fromImage(LoadProgramIconPicture(AboutBoxIconSize)));

    MakeLabel(outer, QStringLiteral("ProductName"), ToQString(ProductNameText),
              QRect(144, 16, 82, 37), 32, Qt::AlignLeft);
    MakeLabel(outer, QStringLiteral("Title"), ToQString(ProductTitleText), QRect(120, 64, 128, 24),
              20, Qt::AlignHCenter);
    MakeLabel(outer, QStringLiteral("Version"), VersionText(), QRect(136, 100, 89, 13), 11,
              Qt::AlignHCenter);
    MakeLabel(outer, QStringLiteral("Maker"), ToQString(MakerText), QRect(8, 128, 355, 20), 16,
              Qt::AlignHCenter);

    auto* ok = new QPushButton(ToQString(AboutOkCaption), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(152, 176, 73, 25);
    ok->setDefault(true);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TAboutBox::VersionText() const {
    return ToQString(qx5::VersionText);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not over the main window.
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace qx5
