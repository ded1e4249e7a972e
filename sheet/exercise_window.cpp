// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercise_window.h"

#include "qt_text.h"
#include "series_run.h"
#include "sheet_layout.h"
#include "tool_pictures.h"
#include "type_settings.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qx5 {

namespace {

QFont WindowFont(int emPixels) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPixelSize(emPixels);
    return font;
}

// A flat tool button that also shows its Alt letter, small and underlined, in a corner:
// the picture fills the button, and the letter tells the pupil which key presses it.
class SpeedButton final : public QToolButton {
public:
    SpeedButton(QWidget* parent, const QString& name, QRect geometry, ToolPicture picture,
                const QString& hint, const QString& caption)
        : QToolButton(parent)
        , picture_(picture) {
        setObjectName(name);
        setGeometry(geometry);
        setAutoRaise(true);
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        setIconSize(QSize(ToolPictureSize, ToolPictureSize));
        setToolTip(hint);
        setAccessibleName(hint);
        // Focus stays in the answer box while the pupil clicks.
        setFocusPolicy(Qt::NoFocus);
        // The caption's "&" letter becomes the Alt shortcut.
        setText(caption);
    }

    // Drawn when the window is first shown: nothing of it is needed at start-up.
    void DrawPicture() {
        if (icon().isNull()) {
            setIcon(QIcon(DrawToolPicture(picture_, devicePixelRatioF())));
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        const qsizetype mark = text().indexOf(QLatin1Char('&'));
        if (mark < 0 || mark + 1 >= text().size()) {
            return;
        }
        QPainter painter(this);
        QFont letterFont = font();
        letterFont.setPixelSize(10);
        letterFont.setUnderline(true);
        painter.setFont(letterFont);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(rect().adjusted(0, 0, -1, 0), Qt::AlignRight | Qt::AlignBottom,
                         text().mid(mark + 1, 1));
    }

private:
    ToolPicture picture_;
};

// The paint area: shows the sheet's pixels at their logical size.
class SheetView final : public QWidget {
public:
    SheetView(const ImageSheetCanvas& canvas, QWidget* parent)
        : QWidget(parent)
        , canvas_(canvas) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), ImageSheetCanvas::ToQColor(ButtonFace));
        painter.drawImage(0, 0, canvas_.Image());
    }

private:
    const ImageSheetCanvas& canvas_;
};

QFrame* MakeBevel(QWidget* parent, const QString& name, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(geometry);
    return bevel;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

TForm2::TForm2(EngineState& state, RandomSource& random, QWidget* mainWindowClientArea)
    : QWidget(mainWindowClientArea)
    , state_(state)
    , random_(random)
    // The sheet's layout is measured at 96 dots per inch; the screen's pixel ratio keeps
    // its text crisp.
    , canvas_(96, mainWindowClientArea ? mainWindowClientArea->devicePixelRatioF() : 1.0) {
    setObjectName(QStringLiteral("Form2"));
    hide();
    move(0, 0);
    setFont(WindowFont(16));
    QPalette face = palette();
    face.setColor(QPalette::Window, ImageSheetCanvas::ToQColor(ButtonFace));
    setPalette(face);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(ToolBarHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Bevel1 = MakeBevel(Panel1, QStringLiteral("Bevel1"), QRect(6, 4, 115, 40));
    SpeedButton1 = new SpeedButton(Panel1, QStringLiteral("SpeedButton1"), QRect(12, 8, 32, 32),
                                   ToolPicture::Printer, QStringLiteral("Udskriv"), QString());
    SpeedButton2 = new SpeedButton(
        Panel1, QStringLiteral("SpeedButton2"), QRect(48, 8, 32, 32), ToolPicture::Pencil,
        QStringLiteral("Navn eller overskrift til udskrifter"), QString());
    SpeedButton4 = new SpeedButton(Panel1, QStringLiteral("SpeedButton4"), QRect(84, 8, 33, 33),
                                   ToolPicture::TwoDocuments,
                                   QStringLiteral("Kopier til Klippebordet"), QString());
    Bevel2 = MakeBevel(Panel1, QStringLiteral("Bevel2"), QRect(128, 4, 81, 41));
    SpeedButton5 =
        new SpeedButton(Panel1, QStringLiteral("SpeedButton5"), QRect(132, 8, 33, 33),
                        ToolPicture::NewNumbers, QStringLiteral("Nye opgaver (Alt+O)"), QString());
    SpeedButton5->setShortcut(QKeySequence(Qt::ALT | Qt::Key_O));
    SpeedButton3 = new SpeedButton(Panel1, QStringLiteral("SpeedButton3"), QRect(168, 8, 33, 33),
                                   ToolPicture::TurnBack, QStringLiteral("Begynd forfra (Alt+B)"),
                                   QStringLiteral("  &B"));
    Bevel3 = MakeBevel(Panel1, QStringLiteral("Bevel3"), QRect(216, 4, 81, 41));
    SpeedButton10 = new SpeedButton(
        Panel1, QStringLiteral("SpeedButton10"), QRect(224, 8, 32, 32), ToolPicture::ArrowLeft,
        QStringLiteral("Foregående opgavetype (Alt+F)"), QStringLiteral("  &F"));
    SpeedButton6 = new SpeedButton(
        Panel1, QStringLiteral("SpeedButton6"), QRect(260, 8, 32, 32), ToolPicture::ArrowRight,
        QStringLiteral("Næste opgavetype (Alt+N)"), QStringLiteral("  &N"));

    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont(21));
    Label1->move(464, 12);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameStyle(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The paint area takes the visible width and at least the fixed extent's height, so
    // the scroll bar appears exactly when the visible part is lower than the extent.
    ScrollBox1->setWidgetResizable(true);
    // Clicks on the sheet and Tab leave the focus in the answer box.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    PaintBox1 = new SheetView(canvas_, nullptr);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setAccessibleName(QStringLiteral("Opgaveark"));
    PaintBox1->setMinimumHeight(ScrollExtent);
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->viewport()->setAutoFillBackground(false);

    Edit1 = new QLineEdit(PaintBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(0, 0, 57, 26);
    Edit1->setMaxLength(AnswerBoxLength);
    // Typed characters pass the key rule below; an input method would bypass it.
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Edit1->setInputMethodHints(Qt::ImhDigitsOnly);
    Edit1->installEventFilter(this);
    Edit1->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(ScrollBox1, 1);

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm2::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm2::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm2::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm2::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm2::SpeedButton6Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm2::SpeedButton10Click);

    // Nothing can be printed or copied before a series has finished.
    SpeedButton1->setEnabled(false);
    SpeedButton4->setEnabled(false);
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm2::FormShow() {
    for (QToolButton* button : {SpeedButton1, SpeedButton2, SpeedButton4, SpeedButton5,
                                SpeedButton3, SpeedButton10, SpeedButton6}) {
        static_cast<SpeedButton*>(button)->DrawPicture();
    }
    FitToMainWindow();
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PaintBox1->update();
}

void TForm2::FitToMainWindow() {
    if (!isVisible() || !parentWidget()) {
        return;
    }
    const QSize client = parentWidget()->size();
    setGeometry(0, 0, client.width() - x(), client.height());
    // The layouts follow at once, so the paint area has its new size below.
    layout()->activate();
    FitSheet(canvas_, PaintBox1->width(), PaintBox1->height());
    PaintBox1->update();
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
    qx5::NewSeries(state_, random_, canvas_);
    Label1->setText(ToQString(state_.RangeLabel));
    Label1->adjustSize();
    UpdateTypeButtons();
    // A finished 9-step sheet with its score line can be taller than the fixed extent.
    PaintBox1->setMinimumHeight(std::max(ScrollExtent, SheetHeightNeeded(canvas_, state_)));
    PaintBox1->setAccessibleDescription(QString());
    seriesFinished_ = false;
    ShowAnswerBox();
    SetPrintingEnabled(false);
    PaintBox1->update();
}

void TForm2::ShowAnswerBox() {
    Edit1->setMaxLength(AnswerBoxLength);
    Edit1->clear();
    // In sheet coordinates: the box scrolls with the sheet, over its answer's place.
    Edit1->move(state_.AnswerColumnX, RowY(canvas_, state_.StepIndex));
    DescribeAnswerBox();
    Edit1->show();
    Edit1->setFocus(Qt::OtherFocusReason);
    ScrollBox1->ensureWidgetVisible(Edit1, 0, 20);
}

void TForm2::HideAnswerBox() {
    Edit1->hide();
}

void TForm2::DescribeAnswerBox() {
    // A pupil who cannot see the sheet hears the step and the instruction from a screen
    // reader, and the number the instruction applies to.
    Edit1->setAccessibleName(QStringLiteral("Trin %1 af %2: %3")
                                 .arg(state_.StepIndex)
                                 .arg(state_.StepsPerSeries)
                                 .arg(ToQString(state_.InstructionText)));
    Edit1->setAccessibleDescription(
        QStringLiteral("Dit tal er %1. Skriv det nye tal, og tryk Enter.")
            .arg(state_.CurrentNumber));
}

void TForm2::UpdateTypeButtons() {
    SpeedButton6->setEnabled(state_.ExerciseType < LastExerciseType);
    SpeedButton10->setEnabled(state_.ExerciseType > FirstExerciseType);
}

void TForm2::SubmitAnswer(const QString& typed) {
    // After the last answer the series is closed; another answer would be recorded twice.
    if (seriesFinished_) {
        return;
    }
    const AnswerResult result = qx5::SubmitAnswer(state_, random_, canvas_, typed.toStdString());
    switch (result.Outcome) {
    case AnswerOutcome::Ignored:
        return;
    case AnswerOutcome::TooLarge: {
        QMessageBox message(QMessageBox::NoIcon, QString::fromUtf8(TooLargeCaption),
                            QString::fromUtf8(TooLargeMessage), QMessageBox::Ok, this);
        message.exec();
        // The pupil corrects the number where it stands, even where no window manager
        // hands the focus back.
        Edit1->activateWindow();
        Edit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    case AnswerOutcome::AcceptedNextStep:
        HideAnswerBox();
        ShowAnswerBox();
        break;
    case AnswerOutcome::AcceptedFinished:
        HideAnswerBox();
        seriesFinished_ = true;
        PaintBox1->setAccessibleDescription(QStringLiteral("%1 rigtige af %2.")
                                                .arg(state_.CorrectCount)
                                                .arg(state_.StepsPerSeries));
        SetPrintingEnabled(true);
        break;
    }
    PaintBox1->update();
}

void TForm2::SetPrintingEnabled(bool enabled) {
    SpeedButton1->setEnabled(enabled);
    SpeedButton4->setEnabled(enabled);
    emit PrintingEnabled(enabled);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1) {
        if (event->type() == QEvent::KeyPress) {
            return Edit1KeyPress(static_cast<const QKeyEvent&>(*event));
        }
        if (event->type() == QEvent::KeyRelease) {
            return Edit1KeyUp(static_cast<const QKeyEvent&>(*event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm2::Edit1KeyPress(const QKeyEvent& key) {
    const QString typed = key.text();
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter) {
        // Byte-wise "greater than a single blank": any non-empty text of digits.
        if (Edit1->text().toStdString() > std::string(" ")) {
            SubmitAnswer(Edit1->text());
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
    return !std::all_of(typed.begin(), typed.end(), IsDigit);
}

bool TForm2::Edit1KeyUp(const QKeyEvent& key) {
    if (key.key() == Qt::Key_F1 && !key.isAutoRepeat()) {
        emit HelpRequested();
        // Handled here; the main window must not open the help a second time.
        return true;
    }
    return false;
}

void TForm2::SpeedButton1Click() {
    emit PrintClicked();
}

void TForm2::SpeedButton2Click() {
    emit HeadingClicked();
}

void TForm2::SpeedButton4Click() {
    emit CopyClicked();
}

void TForm2::SpeedButton5Click() {
    state_.RestartRequested = false;
    NewSeries();
}

void TForm2::SpeedButton3Click() {
    state_.RestartRequested = true;
    NewSeries();
}

void TForm2::SpeedButton10Click() {
    if (state_.ExerciseType > FirstExerciseType) {
        state_.RestartRequested = false;
        --state_.ExerciseType;
        NewSeries();
    }
    UpdateTypeButtons();
}

void TForm2::SpeedButton6Click() {
    if (state_.ExerciseType < LastExerciseType) {
        state_.RestartRequested = false;
        ++state_.ExerciseType;
        NewSeries();
    }
    UpdateTypeButtons();
}

} // namespace qx5
