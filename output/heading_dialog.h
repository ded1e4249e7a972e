// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The heading dialog: a name or heading that every later transcript, printed or copied,
// begins with.
#pragma once

#include <QDialog>

#include <string>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qx5 {

class TOverskrif : public QDialog {
    Q_OBJECT

public:
    explicit TOverskrif(QWidget* parent = nullptr);

    // The heading as UTF-8; empty until the pupil sets one.
    const std::string& PrintHeading() const { return PrintHeading_; }
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // OK: what the box holds becomes the heading. Fortryd, Escape and the close box reject
    // the dialog, which leaves the heading as it was.
    void BitBtn1Click();

private:
    void MakeControls();
    void FormActivate();
    // True when the key is consumed.
    bool Edit1KeyPress(const QKeyEvent& key);

    std::string PrintHeading_;
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    bool opening_ = false;
    bool firstOpened_ = false;
};

} // namespace qx5
