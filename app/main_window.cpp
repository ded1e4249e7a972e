// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "about_box.h"
#include "access_keys.h"
#include "app_texts.h"
#include "exercise_window.h"
#include "heading_dialog.h"
#include "help_viewer.h"
#include "pictures.h"
#include "qt_text.h"
#include "transcript.h"
#include "transcript_memo.h"
#include "transcript_printing.h"
#include "type_settings.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

namespace qx5 {

namespace {

inline constexpr int SplashTime = 3000; // ms
inline constexpr int MinimumWidth = 640;
inline constexpr int MinimumHeight = 480;

inline constexpr const char* PrintCaption = "Udskriv";
inline constexpr const char* NoPageMessage =
    "Det valgte sideinterval indeholder ingen sider, så der er ikke udskrevet noget.";
inline constexpr const char* PrintFailedMessage = "Udskrivningen kunne ikke gennemføres.";

// Each size is loaded when the desktop first asks for it.
QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : ProgramIconSizes) {
        icon.addFile(ProgramIconResource(size), QSize(size, size));
    }
    return icon;
}

} // namespace

TForm1::TForm1(EngineState& state, MersenneRandomSource& random,
               std::vector<std::string>& transcript, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , state_(state)
    , random_(random)
    , transcript_(transcript) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(CaptionPrefix) + QString::fromUtf8(VersionText));
    setWindowIcon(ProgramIcon());
    setMinimumSize(MinimumWidth, MinimumHeight);
    resize(493, 372);

    // The menu first: it keeps the desktop's font, and is never laid out in the window's.
    BuildMenu();
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(10);
    setFont(font);

    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    QPalette white = clientArea_->palette();
    white.setColor(QPalette::Window, Qt::white);
    clientArea_->setPalette(white);
    clientArea_->setAutoFillBackground(true);
    setCentralWidget(clientArea_);

    Image1 = new QLabel(clientArea_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->resize(273, 225);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap(SplashResource()));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(SplashTime);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    help_ = std::make_unique<HelpViewer>(this);

    Form2 = new TForm2(state_, random_, clientArea_);
    connect(Form2, &TForm2::PrintingEnabled, Udskriv1, &QAction::setEnabled);
    connect(Form2, &TForm2::HelpRequested, this, &TForm1::ShowHelpContents);
    connect(Form2, &TForm2::PrintClicked, this, &TForm1::PrintTranscript);
    connect(Form2, &TForm2::CopyClicked, this, &TForm1::CopyTranscript);
    aboutBox_ = new TAboutBox(this);
    Overskrif = new TOverskrif(this);
    connect(Form2, &TForm2::HeadingClicked, Overskrif, &QDialog::exec);
}

TForm1::~TForm1() = default;

void TForm1::BuildMenu() {
    QMenuBar* bar = menuBar();
    // The menu keeps the desktop's font; the window's font is the transcript's.
    QFont desktopFont = QApplication::font(bar);
    desktopFont.setResolveMask(QFont::AllPropertiesResolved);
    bar->setFont(desktopFont);
    // The exercise window's buttons own Alt+B, Alt+F, Alt+N and Alt+O.
    QString usedInBar = QStringLiteral("BFNO");
    const auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(WithAccessKey(caption, usedInBar));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    QString used;
    const auto addItem = [&](QMenu* menu, const char* name, const QString& caption) {
        QAction* item = menu->addAction(WithAccessKey(caption, used));
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };

    QMenu* file = addMenu("Filer1", QStringLiteral("Filer"));
    Udskriv1 = addItem(file, "Udskriv1", QStringLiteral("Udskriv"));
    Udskriv1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // Nothing to print before a series has finished.
    Udskriv1->setEnabled(false);
    connect(Udskriv1, &QAction::triggered, this, &TForm1::Udskriv1Click);
    QAction* afslut = addItem(file, "Afslut1", QStringLiteral("Afslut"));
    // The desktop's quit key; Ctrl+Q also where the platform names none.
    const QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    afslut->setShortcuts(quitKeys.isEmpty() ? QList{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quitKeys);
    connect(afslut, &QAction::triggered, this, &TForm1::Afslut1Click);

    used.clear();
    QMenu* types = addMenu("K1", QStringLiteral("Vælg opgavetype"));
    static constexpr const char* TypeItemNames[] = {
        "M11",
        "M12",
        "M13",
        "M14",
        "N1Smtalenkleopgaver1",
        "N2Strretalenkleopgaver1",
        "N3Endnustrretalenkleopgaver1",
        "N4Smtalkombinationsopgaver1",
        "N5Strretalkombinationsopgaver1",
        "N6Endnustrretalkombinationsopgaver1",
        "N7Smtalenkleopgaver1",
        "N8Strretalenkleopgaver1",
        "N9Endnustrretalenkleopgaver1",
        "N10Smtalkombinationsopgaver1",
        "N11Strretalkombinationsopgaver1",
        "N12Endnustrretalkombinationsopgaver1",
    };
    for (int type = FirstExerciseType; type <= LastExerciseType; ++type) {
        if (type == 5 || type == 11) {
            types->addSeparator();
            const bool even = type == 5;
            QAction* label =
                addItem(types, even ? "Divisionergrop1" : "Veddivisionsmidesrestenvk1",
                        ToQString(even ? EvenDivisionGroupLabel : IntegerDivisionGroupLabel));
            connect(label, &QAction::triggered, this, &TForm1::GroupLabelClick);
        }
        QAction* item = addItem(types, TypeItemNames[type - 1], ToQString(TypeMenuCaptions[type]));
        connect(item, &QAction::triggered, this, [this, type] { TypeItemClick(type); });
    }

    used.clear();
    QMenu* help = addMenu("Oplysninger1", QStringLiteral("Hjælp"));
    connect(addItem(help, "Vejledning1", QStringLiteral("Vejledning")), &QAction::triggered, this,
            &TForm1::Vejledning1Click);
    help->addSeparator();
    connect(addItem(help, "Omprogrammet1", QStringLiteral("Om programmet")), &QAction::triggered,
            this, &TForm1::Omprogrammet1Click);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

bool TForm1::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        FormActivate();
    }
    return handled;
}

void TForm1::FormShow() {
    // Fills the work area even where no window manager maximises the window.
    if (const QScreen* where = screen()) {
        setGeometry(where->availableGeometry());
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    PlaceSplash();
    Timer1->start();
}

void TForm1::FormActivate() {
    setWindowTitle(QString::fromUtf8(CaptionPrefix) + aboutBox_->VersionText());
    Udskriv1->setEnabled(false);
    random_.ReseedFromClock();
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    Image1->hide();
}

void TForm1::PlaceSplash() {
    const QSize outer = frameGeometry().size();
    Image1->move(outer.width() / 2 - 140, outer.height() / 2 - 120);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize() {
    // Without a window manager (kiosk and exam machines) the X server takes any geometry a
    // client asks for, nothing keeps setMinimumSize, and Qt still believes the window
    // maximised; so unless the window really fills the work area it keeps its outer size
    // and its place itself.
    const auto unmaximisedOn = [this]() -> const QScreen* {
        const QScreen* where = screen();
        const bool maximised = where &&
                               (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) &&
                               frameGeometry() == where->availableGeometry();
        return maximised ? nullptr : where;
    };
    if (unmaximisedOn()) {
        // The minimum is the outer size's; the frame is known once the window shows.
        setMinimumSize(QSize(MinimumWidth, MinimumHeight) - (frameGeometry().size() - size()));
        const QSize outer = frameGeometry().size();
        const QSize lacking = outer.expandedTo(QSize(MinimumWidth, MinimumHeight)) - outer;
        if (!lacking.isNull()) {
            resize(size() + lacking);
        }
    }
    // Qt learns a new position after the new size; move once both have come in.
    QMetaObject::invokeMethod(
        this,
        [this, unmaximisedOn] {
            const QScreen* where = unmaximisedOn();
            if (where && pos() != where->availableGeometry().topLeft()) {
                move(where->availableGeometry().topLeft());
            }
        },
        Qt::QueuedConnection);
    PlaceSplash();
    Form2->FitToMainWindow();
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        ShowHelpContents();
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void TForm1::ShowHelpContents() {
    help_->ShowHelp(QString::fromLatin1(HelpFileName), HelpContents);
}

void TForm1::TypeItemClick(int exerciseType) {
    state_.ExerciseType = exerciseType;
    Form2->ShowExerciseType();
}

void TForm1::GroupLabelClick() {
    Form2->hide();
}

void TForm1::Afslut1Click() {
    close();
}

void TForm1::Vejledning1Click() {
    ShowHelpContents();
}

void TForm1::Omprogrammet1Click() {
    aboutBox_->exec();
}

void TForm1::Udskriv1Click() {
    PrintTranscript();
}

QPrintDialog& TForm1::PrintDialog() {
    if (!PrintDialog1) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The job's name in the print queue and the PDF's title.
        printer_->setDocName(QStringLiteral("QX5"));
        PrintDialog1 = std::make_unique<QPrintDialog>(printer_.get(), this);
        PrintDialog1->setObjectName(QStringLiteral("PrintDialog1"));
    }
    return *PrintDialog1;
}

void TForm1::PrintTranscript() {
    // Only a finished series has a transcript.
    if (!Form2->SeriesFinished()) {
        return;
    }
    BuildTranscript(state_, Overskrif->PrintHeading(), transcript_);
    QPrintDialog& dialog = PrintDialog();
    const int lineCount = static_cast<int>(transcript_.size());
    PreparePrintDialog(dialog, MeasurePrintMetrics(*printer_, font(), lineCount));
    const PrinterChoice before(*printer_);
    if (dialog.exec() != QDialog::Accepted) {
        before.RestoreTo(*printer_);
        return;
    }
    switch (PrintTranscriptPages(*printer_, font(), transcript_)) {
    case PrintOutcome::Printed:
        break;
    case PrintOutcome::NoPageSelected:
        QMessageBox::information(this, QString::fromUtf8(PrintCaption),
                                 QString::fromUtf8(NoPageMessage));
        break;
    case PrintOutcome::PrinterFailed:
        QMessageBox::warning(this, QString::fromUtf8(PrintCaption),
                             QString::fromUtf8(PrintFailedMessage));
        break;
    }
}

void TForm1::CopyTranscript() {
    if (!Form2->SeriesFinished()) {
        return;
    }
    BuildTranscript(state_, Overskrif->PrintHeading(), transcript_);
    if (!Memo1) {
        // Hidden; it takes the window's font, which is the transcript's.
        Memo1 = new TranscriptMemo(this);
    }
    Memo1->CopyLines(transcript_);
}

} // namespace qx5
