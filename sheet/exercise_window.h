// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window: the tool bar, the scrollable sheet and the answer box. It lives
// inside the main window's client area and turns the pupil's keys and clicks into calls on
// the engine; what the engine draws it copies to the screen.
#pragma once

#include "engine_state.h"
#include "image_sheet_canvas.h"
#include "random_source.h"

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;

namespace qx5 {

inline constexpr const char* TooLargeMessage = " Tallet er for stort. ";
inline constexpr const char* TooLargeCaption = " ";
// The sheet's scrollable extent; a finished 9-step sheet may ask for more.
inline constexpr int ScrollExtent = 410;
inline constexpr int ToolBarHeight = 49;
inline constexpr int AnswerBoxLength = 3;

class TForm2 : public QWidget {
    Q_OBJECT

public:
    // Makes itself a child of the main window's client area, at (0, 0), hidden until a type
    // is chosen.
    TForm2(EngineState& state, RandomSource& random, QWidget* mainWindowClientArea);

    // After the main window has set ExerciseType: show the window and start a series.
    void ShowExerciseType();
    void NewSeries();
    void ShowAnswerBox();
    void HideAnswerBox();
    void UpdateTypeButtons();
    // Takes the client area's size and fits the sheet to the paint area; only while shown.
    void FitToMainWindow();
    // The answer box's text, when Enter is pressed on it.
    void SubmitAnswer(const QString& typed);

    // A finished series can be printed and copied; one in progress cannot.
    bool SeriesFinished() const { return seriesFinished_; }
    const ImageSheetCanvas& Sheet() const { return canvas_; }

signals:
    // Printing and copying became possible (a series finished) or impossible (one began).
    void PrintingEnabled(bool enabled);
    void PrintClicked();
    void HeadingClicked();
    void CopyClicked();
    // F1 in the answer box.
    void HelpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton10Click();

private:
    void FormShow();
    // Returns whether the key is swallowed.
    bool Edit1KeyPress(const QKeyEvent& key);
    bool Edit1KeyUp(const QKeyEvent& key);
    void SetPrintingEnabled(bool enabled);
    void DescribeAnswerBox();

    EngineState& state_;
    RandomSource& random_;
    ImageSheetCanvas canvas_;
    bool seriesFinished_ = false;

    QFrame* Panel1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton10;
    QToolButton* SpeedButton6;
    QLabel* Label1;
    QScrollArea* ScrollBox1;
    QWidget* PaintBox1;
    QLineEdit* Edit1;
};

} // namespace qx5
