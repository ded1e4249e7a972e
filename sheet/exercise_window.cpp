// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheet/exercise_window.h"

#include "common/program_fonts.h"
#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "engine/series_run.h"
#include "engine/type_settings.h"
#include "layout/sheet_layout.h"
#include "pictures/tool_pictures.h"
#include "sheet/exercise_controls.h"
#include "sheet/result_text.h"
#include "sheet/sheet_zoom.h"
#include "transcript/transcript.h"

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qx5 {

using Controls = ExerciseWindowControls;

// One control of the tool bar.
struct ToolButtonRow {
    SpeedButton* Controls::*Button;
    const char* Name;
    QRect Geometry;
    ToolPicture Picture;
    const char* Hint;
    const char* Caption; // its "&" letter with Alt presses the button
    QKeyCombination Key; // a key of its own, for a button without a caption letter: the
                         // command's key where the button shows one
    void (TForm2::*Click)();
    QAction* TForm2::*Command; // or the command the button shows
};

// One row a control, its columns as in ToolButtonRow.
// clang-format off
const ToolButtonRow TForm2::ToolBar[] = {
    // Prints the finished series; the same command as the menu's "Udskriv" and Ctrl+P.
    {&Controls::SpeedButton1, "SpeedButton1", {12, 8, 32, 32}, ToolPicture::Printer,
     PrintHint, "", {}, nullptr, &TForm2::PrintCommand},
    // Opens the heading dialog: a name or heading for every later printout and copy.
    {&Controls::SpeedButton2, "SpeedButton2", {48, 8, 32, 32}, ToolPicture::Pencil,
     HeadingHint, "", Qt::ALT | Qt::Key(HeadingKeyLetter), nullptr, &TForm2::HeadingCommand},
    // Copies the finished series to the clipboard.
    {&Controls::SpeedButton4, "SpeedButton4", {84, 8, 33, 33}, ToolPicture::TwoDocuments,
     CopyHint, "", Qt::ALT | Qt::Key(CopyKeyLetter), nullptr, &TForm2::CopyCommand},
    // A new series of the same type from a new start number; no caption, so Alt+O is given.
    {&Controls::SpeedButton5, "SpeedButton5", {132, 8, 33, 33}, ToolPicture::NewNumbers,
     NewSeriesHint, "", Qt::ALT | Qt::Key(NewSeriesKeyLetter), &TForm2::SpeedButton5Click, nullptr},
    // The same start number again, with new instructions.
    {&Controls::SpeedButton3, "SpeedButton3", {168, 8, 33, 33}, ToolPicture::TurnBack,
     RestartHint, RestartCaption, {}, &TForm2::SpeedButton3Click, nullptr},
    // The previous exercise type; disabled at type 1.
    {&Controls::SpeedButton10, "SpeedButton10", {224, 8, 32, 32}, ToolPicture::ArrowLeft,
     PreviousTypeHint, PreviousTypeCaption, {}, &TForm2::SpeedButton10Click, nullptr},
    // The next exercise type; disabled at type 16.
    {&Controls::SpeedButton6, "SpeedButton6", {260, 8, 32, 32}, ToolPicture::ArrowRight,
     NextTypeHint, NextTypeCaption, {}, &TForm2::SpeedButton6Click, nullptr},
};
// clang-format on

namespace {

QFrame* MakeBevel(QWidget* parent, const char* name, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(geometry);
    return bevel;
}

QAction* MakeCommand(QObject* owner, const char* hint) {
    auto* command = new QAction(ToQString(hint), owner);
    command->setToolTip(ToQString(hint));
    // The picture is the tool button's; a menu item sharing the command shows none.
    command->setIconVisibleInMenu(false);
    return command;
}

} // namespace

TForm2::TForm2(EngineState& state, RandomSource& random, QWidget* mainWindowClientArea)
    : ControlsAtFirstUse(mainWindowClientArea)
    , state_(state)
    , random_(random) {
    setObjectName(QStringLiteral("Form2"));
    hide();
    setFont(ExerciseWindowFont(16));
    setAutoFillBackground(true);
    // Only the window hears of a new desktop palette.
    window()->installEventFilter(this);

    PrintCommand = MakeCommand(this, PrintHint);
    HeadingCommand = MakeCommand(this, HeadingHint);
    CopyCommand = MakeCommand(this, CopyHint);
    // Nothing can be printed or copied before a series has finished.
    UpdateOutputCommands();
}

void TForm2::MakeControls(ExerciseWindowControls& made) {
    // The window is made at start-up but shown only when a type is chosen. Its colours come
    // with the controls: weighing the desktop's contrast would map much of the maths library.
    ApplySheetPalette();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolBar(made));
    layout->addWidget(BuildSheet(made), 1);
}

QString TForm2::ToolBarLetters() {
    QString letters;
    for (const ToolButtonRow& row : ToolBar) {
        const QKeySequence key = row.Key.key() != Qt::Key_unknown
                                     ? QKeySequence(row.Key)
                                     : QKeySequence::mnemonic(ToQString(row.Caption));
        if (!key.isEmpty()) {
            letters += QChar(key[0].key());
        }
    }
    return letters;
}

QFrame* TForm2::BuildToolBar(ExerciseWindowControls& made) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(ToolBarHeight);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    // Sunken frames round the groups: output, series, type.
    MakeBevel(panel, "Bevel1", QRect(6, 4, 115, 40));
    MakeBevel(panel, "Bevel2", QRect(128, 4, 81, 41));
    MakeBevel(panel, "Bevel3", QRect(216, 4, 81, 41));
    for (const ToolButtonRow& row : ToolBar) {
        auto* button = new SpeedButton(panel, QLatin1String(row.Name), row.Geometry, row.Picture,
                                       ToQString(row.Hint), ToQString(row.Caption));
        made.*row.Button = button;
        if (row.Key.key() != Qt::Key_unknown) {
            const QKeySequence key(row.Key);
            if (row.Command) {
                (this->*row.Command)->setShortcut(key);
            } else {
                button->setShortcut(key);
            }
            // The hint stays as it is; a screen reader names the key.
            button->setAccessibleDescription(
                ToQString(ButtonKeyDescription).arg(key.toString(QKeySequence::NativeText)));
        }
        if (row.Command) {
            button->setDefaultAction(this->*row.Command);
        } else {
            connect(button, &QToolButton::clicked, this, row.Click);
        }
    }

    // The range of the type's numbers.
    made.Label1 = new QLabel(panel);
    made.Label1->setObjectName(QStringLiteral("Label1"));
    made.Label1->setFont(ExerciseWindowFont(21));
    made.Label1->move(RangeLabelLeft, 12);
    return panel;
}

QScrollArea* TForm2::BuildSheet(ExerciseWindowControls& made) {
    auto* scrollBox = made.ScrollBox1 = new QScrollArea(this);
    scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox->setFrameStyle(QFrame::NoFrame);
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The paint area takes the visible width and at least the fixed extent's height, so
    // the scroll bar appears exactly when the visible part is lower than the extent.
    scrollBox->setWidgetResizable(true);
    // Clicks on the sheet and Tab leave the focus in the answer box.
    scrollBox->setFocusPolicy(Qt::NoFocus);
    const QWidget* client = parentWidget();
    auto* paintBox = made.PaintBox1 = new SheetView(client ? client->devicePixelRatioF() : 1.0);
    paintBox->setObjectName(QStringLiteral("PaintBox1"));
    paintBox->setAccessibleName(ToQString(SheetName));
    paintBox->SetExtent(QSize(0, SheetMinHeight));
    scrollBox->setWidget(paintBox);
    scrollBox->viewport()->setAutoFillBackground(false);
    made.Zoom = new SheetZoom(this, scrollBox->viewport());
    connect(made.Zoom, &SheetZoom::Changed, this, &TForm2::ZoomSheet);

    auto* edit = made.Edit1 = new QLineEdit(paintBox);
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->setGeometry(0, 0, AnswerBoxWidth, AnswerBoxHeight);
    edit->setMaxLength(AnswerDigits);
    // Typed characters pass the key rule below; an input method would bypass it.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setInputMethodHints(Qt::ImhDigitsOnly);
    edit->installEventFilter(this);
    edit->hide();

    made.Result = new ResultText(paintBox);
    return scrollBox;
}

ImageSheetCanvas& TForm2::Canvas() {
    return Ui().PaintBox1->Canvas();
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm2::FormShow() {
    for (const ToolButtonRow& row : ToolBar) {
        (Ui().*row.Button)->DrawPicture();
    }
    FitToMainWindow();
}

void TForm2::ApplySheetPalette() {
    // Decided on the palette the window inherits: light where the desktop's button face
    // would hide the sheet's blue and red texts.
    setPalette(QPalette());
    QPalette face = ImageSheetCanvas::SheetPalette(palette());
    face.setColor(QPalette::Window, ImageSheetCanvas::ToQColor(ButtonFace));
    setPalette(face);
}

void TForm2::FollowDesktopPalette() {
    // Before the first show there is nothing to colour; the colours come with the controls.
    if (!ControlsMade()) {
        return;
    }
    ApplySheetPalette();
    Canvas().Redraw();
    Ui().PaintBox1->RepaintChanged();
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The client area's layout gives the window its size, whatever changed it.
    FitToMainWindow();
}

void TForm2::FitToMainWindow() {
    if (!isVisible()) {
        return;
    }
    // The layouts follow at once, so the paint area has its new size below.
    layout()->activate();
    const QSize sheet = Ui().PaintBox1->SheetSize();
    FitSheet(Canvas(), sheet.width(), sheet.height());
    Ui().PaintBox1->RepaintChanged();
}

void TForm2::ShowExerciseType() {
    // Shown first, so that the sheet is bound and fitted before the series is drawn.
    show();
    raise();
    HideAnswerBox();
    state_.RestartRequested = false;
    NewSeries();
}

void TForm2::NewSeries() {
    HideAnswerBox();
    qx5::NewSeries(state_, random_, Canvas());
    const ExerciseWindowControls& ui = Ui();
    ui.Label1->setText(ToQString(state_.RangeLabel));
    ui.Label1->adjustSize();
    UpdateTypeButtons();
    // A finished 9-step sheet with its score line can be taller than the fixed extent.
    ui.PaintBox1->SetExtent(QSize(SheetWidthNeeded(Canvas(), state_, CurrentTypeTitle(state_)),
                                  std::max(SheetMinHeight, SheetHeightNeeded(Canvas(), state_))));
    ui.PaintBox1->setAccessibleDescription(QString());
    ShowAnswerBox();
    // Only now, so that the focus goes straight from the result to the answer box.
    ui.Result->hide();
    UpdateOutputCommands();
    ui.PaintBox1->RepaintChanged();
}

void TForm2::ShowAnswerBox() {
    const ExerciseWindowControls& ui = Ui();
    ui.Edit1->setMaxLength(AnswerDigits);
    ui.Edit1->clear();
    PlaceAnswerBox();
    // From one step to the next the box keeps the focus.
    const bool focusStays = ui.Edit1->hasFocus();
    if (focusStays) {
        // Before the new name: it belongs to the next step's object, not to the one a
        // screen reader holds as focused.
        RenewAccessibleObject(ui.Edit1);
    }
    // A pupil who cannot see the sheet hears the step and the instruction from a screen
    // reader, and the number the instruction applies to.
    ui.Edit1->setAccessibleName(ToQString(AnswerBoxName)
                                    .arg(state_.StepIndex)
                                    .arg(state_.StepsPerSeries)
                                    .arg(ToQString(state_.InstructionText)));
    ui.Edit1->setAccessibleDescription(ToQString(AnswerBoxDescription).arg(state_.CurrentNumber));
    ui.Edit1->show();
    ui.Edit1->setFocus(Qt::OtherFocusReason);
    ui.ScrollBox1->ensureWidgetVisible(ui.Edit1, 0,
                                       ui.PaintBox1->ToView(QRect(0, 0, 0, 20)).height());
    if (focusStays) {
        // A screen reader speaks the box, with its name and description, when the focus comes
        // to it, but says nothing when the focus stays; and a name change from Qt's bus bridge
        // carries no text it can speak. So each step's box is a new accessible object that
        // gains the focus, as if the pupil had moved to the next box; it is also in a new
        // place, so that no screen reader takes it for the last one.
        QAccessibleEvent focused(ui.Edit1, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
}

void TForm2::PlaceAnswerBox() {
    // On the sheet: the box scrolls with it, over its answer's place at the zoom.
    Ui().Edit1->setGeometry(Ui().PaintBox1->ToView(QRect(
        state_.AnswerColumnX, RowY(Canvas(), state_.StepIndex), AnswerBoxWidth, AnswerBoxHeight)));
}

void TForm2::ShowScore() {
    const ExerciseWindowControls& ui = Ui();
    const QRect score = ui.PaintBox1->ToView(
        QRect(0, ScoreLineY(Canvas(), state_), 1, Canvas().TextHeight("H") + ScoreLineMargin));
    // The result lies where the last answer was typed.
    const QRect both = score.united(ui.Result->geometry());
    const int view = ui.ScrollBox1->viewport()->height();
    const QRect shown = both.height() <= view ? both : score;
    // Down as little as shows its bottom; never past its top.
    QScrollBar* scroll = ui.ScrollBox1->verticalScrollBar();
    scroll->setValue(std::min(std::max(scroll->value(), shown.bottom() + 1 - view), shown.top()));
}

void TForm2::ZoomSheet(int percent) {
    const qreal zoom = percent / 100.0;
    const ExerciseWindowControls& ui = Ui();
    ui.ScrollBox1->setHorizontalScrollBarPolicy(percent > SmallestZoom ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
    ui.PaintBox1->SetZoom(zoom);
    // The scroll area sizes the paint area on a posted request; the sheet needs it now.
    QCoreApplication::sendPostedEvents(ui.ScrollBox1->viewport(), QEvent::LayoutRequest);
    ui.PaintBox1->FitCanvasToZoom();
    ui.Edit1->setFont(ExerciseWindowFont(qRound(16 * zoom)));
    PlaceAnswerBox();
    if (ui.Result->isVisible()) {
        ui.Result->setGeometry(ui.Edit1->geometry());
    }
    // The view follows where the pupil works: the answer box, or the result's place.
    QWidget* working = ui.Edit1->isVisible() ? static_cast<QWidget*>(ui.Edit1) : ui.Result;
    if (working->isVisible()) {
        ui.ScrollBox1->ensureWidgetVisible(working, 0,
                                           ui.PaintBox1->ToView(QRect(0, 0, 0, 20)).height());
    }
    ui.PaintBox1->RepaintChanged();
}

void TForm2::HideAnswerBox() {
    Ui().Edit1->hide();
}

void TForm2::UpdateTypeButtons() {
    Ui().SpeedButton6->setEnabled(state_.ExerciseType < LastExerciseType());
    Ui().SpeedButton10->setEnabled(state_.ExerciseType > FirstExerciseType);
}

void TForm2::SubmitAnswer(const QString& typed) {
    const AnswerResult result = qx5::SubmitAnswer(state_, random_, Canvas(), typed.toStdString());
    switch (result.Outcome) {
    case AnswerOutcome::Ignored:
        return;
    case AnswerOutcome::TooLarge: {
        QMessageBox message(QMessageBox::NoIcon, ToQString(TooLargeCaption),
                            ToQString(TooLargeMessage), QMessageBox::Ok, this);
        message.exec();
        // The pupil corrects the number where it stands, even where no window manager
        // hands the focus back.
        Ui().Edit1->activateWindow();
        Ui().Edit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    case AnswerOutcome::AcceptedNextStep:
        // The box moves to the next row as it is: hidden and shown again, it took a good part
        // of the time until the answer is on the screen. A screen reader hears of the new
        // step all the same (ShowAnswerBox).
        ShowAnswerBox();
        break;
    case AnswerOutcome::AcceptedFinished: {
        // The result takes the focus before the box goes, so that nothing else gets it, and
        // its place, so that a magnifier stays there and nothing more is repainted.
        QStringList lines;
        for (const std::string& line : ResultLines(state_)) {
            lines << ToQString(line);
        }
        Ui().Result->ShowLines(lines, Ui().Edit1->geometry());
        HideAnswerBox();
        ShowScore();
        Ui().PaintBox1->setAccessibleDescription(
            ToQString(ScoreText(state_.CorrectCount, state_.StepsPerSeries)));
        UpdateOutputCommands();
        break;
    }
    }
    // The answer box's old and new places repaint themselves.
    Ui().PaintBox1->RepaintChanged();
}

void TForm2::UpdateOutputCommands() {
    PrintCommand->setEnabled(state_.SeriesFinished);
    CopyCommand->setEnabled(state_.SeriesFinished);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    // The desktop changed its colours: the window and what the sheet shows follow, once
    // every widget, this one's parent among them, has the new palette to inherit.
    if (watched == window() && event->type() == QEvent::ApplicationPaletteChange) {
        QMetaObject::invokeMethod(
            this, [this] { FollowDesktopPalette(); }, Qt::QueuedConnection);
    }
    if (ControlsMade() && watched == Ui().Edit1 && event->type() == QEvent::KeyPress) {
        return Edit1KeyPress(static_cast<const QKeyEvent&>(*event));
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm2::Edit1KeyPress(const QKeyEvent& key) {
    const QString typed = key.text();
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter) {
        // Byte-wise "greater than a single blank": any non-empty text of digits.
        if (Ui().Edit1->text().toStdString() > std::string(" ")) {
            SubmitAnswer(Ui().Edit1->text());
        }
        return true;
    }
    // Only typed characters are filtered: keys that type nothing (arrows, Delete, Home,
    // End, Tab, Backspace) and Ctrl shortcuts such as paste keep working. Ctrl with Alt is
    // AltGr on some keyboards, and types.
    const bool shortcut =
        (key.modifiers() & Qt::ControlModifier) && !(key.modifiers() & Qt::AltModifier);
    const bool typesCharacter = std::any_of(
        typed.begin(), typed.end(), [](QChar c) { return c.category() != QChar::Other_Control; });
    if (shortcut || !typesCharacter) {
        return false;
    }
    return !std::all_of(typed.begin(), typed.end(),
                        [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

void TForm2::SpeedButton5Click() {
    state_.RestartRequested = false;
    NewSeries();
}

void TForm2::SpeedButton3Click() {
    state_.RestartRequested = true;
    NewSeries();
}

void TForm2::StepType(int delta) {
    if (const int type = state_.ExerciseType + delta;
        type >= FirstExerciseType && type <= LastExerciseType()) {
        state_.RestartRequested = false;
        state_.ExerciseType = type;
        NewSeries();
    }
    UpdateTypeButtons();
}

} // namespace qx5
