// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The heading dialog: a name or heading that every later transcript, printed or copied,
// begins with.
#pragma once

#include "common/controls_at_first_use.h"

#include <QDialog>

#include <string>

class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace qx5 {

struct HeadingDialogControls {
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
};

class TOverskrif : public ControlsAtFirstUse<QDialog, HeadingDialogControls> {
    Q_OBJECT

public:
    explicit TOverskrif(QWidget* parent = nullptr);

    // The heading as UTF-8; empty until the pupil sets one.
    const std::string& PrintHeading() const { return PrintHeading_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // OK: what the box holds becomes the heading. Fortryd, Escape and the close box reject
    // the dialog, which leaves the heading as it was.
    void BitBtn1Click();

private:
    void MakeControls(HeadingDialogControls& made) override;
    void FormActivate();
    // True when the key is consumed.
    bool Edit1KeyPress(const QKeyEvent& key);

    std::string PrintHeading_;
    bool opening_ = false;
    bool firstOpened_ = false;
};

} // namespace qx5
