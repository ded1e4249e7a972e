// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box: the program's name, title, version and maker, and an OK button.
#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

namespace qx5 {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The version text, which the main window's caption repeats.
    QString VersionText() const;
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakeControls();

    QPushButton* ok_ = nullptr;
    QLabel* icon_ = nullptr;
    QList<QLabel*> labels_;
    bool laidOut_ = false;
};

} // namespace qx5
