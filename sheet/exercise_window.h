// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window: the tool bar, the scrollable sheet and the answer box. It lives
// inside the main window's client area and turns the pupil's keys and clicks into calls on
// the engine; what the engine draws it copies to the screen.
#pragma once

#include "common/controls_at_first_use.h"
#include "engine/engine_state.h"
#include "engine/random_source.h"
#include "sheet/image_sheet_canvas.h"

#include <QString>
#include <QWidget>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace qx5 {

class ResultText;
class SheetView;
class SheetZoom;
class SpeedButton;
struct ToolButtonRow;

inline constexpr int ToolBarHeight = 49;

struct ExerciseWindowControls {
    SpeedButton* SpeedButton1;
    SpeedButton* SpeedButton2;
    SpeedButton* SpeedButton4;
    SpeedButton* SpeedButton5;
    SpeedButton* SpeedButton3;
    SpeedButton* SpeedButton10;
    SpeedButton* SpeedButton6;
    QLabel* Label1;
    QScrollArea* ScrollBox1;
    // Owns the sheet bitmap, so that the bitmap lives exactly as long as what shows it.
    SheetView* PaintBox1;
    QLineEdit* Edit1;
    // The finished series as text, where the focus goes when it finishes.
    ResultText* Result;
    SheetZoom* Zoom;
};

class TForm2 : public ControlsAtFirstUse<QWidget, ExerciseWindowControls> {
    Q_OBJECT

public:
    // Makes itself a child of the main window's client area, whose layout places it; hidden
    // until a type is chosen.
    TForm2(EngineState& state, RandomSource& random, QWidget* mainWindowClientArea);

    // After the main window has set ExerciseType: show the window and start a series.
    void ShowExerciseType();
    void NewSeries();
    void ShowAnswerBox();
    void HideAnswerBox();
    void UpdateTypeButtons();
    // Fits the sheet to the paint area and repaints it; only while shown.
    void FitToMainWindow();
    // The answer box's text, when Enter is pressed on it.
    void SubmitAnswer(const QString& typed);

    // The commands of the tool bar's first group. Print and copy are enabled exactly while
    // the series is finished; the main window carries them out, and its menu shares print.
    QAction* PrintAction() const { return PrintCommand; }
    QAction* HeadingAction() const { return HeadingCommand; }
    QAction* CopyAction() const { return CopyCommand; }
    // The access letters the tool bar's keys take, Alt with each: a menu must leave them.
    static QString ToolBarLetters();
    // The sheet and its zoom.
    const ImageSheetCanvas& Sheet() { return Canvas(); }
    SheetZoom& Zoom() { return *Ui().Zoom; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void SpeedButton3Click();
    void SpeedButton5Click();
    void SpeedButton6Click() { StepType(+1); }
    void SpeedButton10Click() { StepType(-1); }
    void ZoomSheet(int percent);

private:
    static const ToolButtonRow ToolBar[];

    void MakeControls(ExerciseWindowControls& made) override;
    QFrame* BuildToolBar(ExerciseWindowControls& made);
    QScrollArea* BuildSheet(ExerciseWindowControls& made);
    void FormShow();
    // The previous (-1) or next (+1) type, where there is one.
    void StepType(int delta);
    ImageSheetCanvas& Canvas();
    // Returns whether the key is swallowed.
    bool Edit1KeyPress(const QKeyEvent& key);
    // The one place where print and copy follow the series.
    void UpdateOutputCommands();
    void PlaceAnswerBox();
    // Scrolls the finished series' score line into view, with the last answer's row where
    // both fit.
    void ShowScore();
    void ApplySheetPalette();
    void FollowDesktopPalette();

    EngineState& state_;
    RandomSource& random_;

    QAction* PrintCommand;
    QAction* HeadingCommand;
    QAction* CopyCommand;
};

} // namespace qx5
