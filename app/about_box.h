// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box: the program's name, title, version and maker, and an OK button.
#pragma once

#include "common/controls_at_first_use.h"

#include <QDialog>

namespace qx5 {

// None of its controls is kept: nothing changes them once they are made.
struct AboutBoxControls {};

class TAboutBox : public ControlsAtFirstUse<QDialog, AboutBoxControls> {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The version text, which the main window's caption repeats.
    QString VersionText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakeControls(AboutBoxControls& made) override;
};

} // namespace qx5
