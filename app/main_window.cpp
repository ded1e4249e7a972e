// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/main_window.h"

#include "app/about_box.h"
#include "app/access_keys.h"
#include "app/help_viewer.h"
#include "app/print_module.h"
#include "common/program_fonts.h"
#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "engine/type_settings.h"
#include "output/heading_dialog.h"
#include "output/transcript_memo.h"
#include "pictures/pictures.h"
#include "sheet/exercise_window.h"
#include "transcript/transcript.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include <initializer_list>
#include <string_view>

namespace qx5 {

namespace {

// The outer size the window keeps at least, where the free area holds it.
inline constexpr QSize Floor(640, 480);

// On Wayland the compositor places and sizes the windows: a client cannot move itself, and
// a size it asks for beyond what the compositor configured ends it with a protocol error.
bool CompositorPlaces() {
    static const bool wayland =
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return wayland;
}

bool FillsItsArea(Qt::WindowStates states) {
    return states & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

// Gives each item of one menu its access key as it is added.
class MenuFiller {
public:
    explicit MenuFiller(QMenu* menu)
        : menu_(menu) {}
    QAction* Add(const char* name, std::string_view caption) {
        QAction* item = menu_->addAction(WithAccessKey(ToQString(caption), used_));
        item->setObjectName(QLatin1String(name));
        return item;
    }
    // An item made elsewhere: it takes its caption and access key here.
    void Add(QAction* item, const char* name, std::string_view caption) {
        item->setText(WithAccessKey(ToQString(caption), used_));
        item->setObjectName(QLatin1String(name));
        menu_->addAction(item);
    }

private:
    QMenu* menu_;
    QString used_;
};

} // namespace

TForm1::TForm1(EngineState& state, MersenneRandomSource& random,
               std::vector<std::string>& transcript, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , state_(state)
    , random_(random)
    , transcript_(transcript) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ToQString(CaptionPrefix) + ToQString(VersionText));
    setWindowIcon(LoadProgramIcon());
    resize(493, 372);
    setFont(TranscriptFont());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(SplashMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    help_ = std::make_unique<HelpViewer>(this);

    BuildClientArea();
    // The menu shares the exercise window's print command.
    BuildMenu();
    connect(Form2->CopyAction(), &QAction::triggered, this, &TForm1::CopyTranscript);
    aboutBox_ = new TAboutBox(this);
    Overskrif = new TOverskrif(this);
    connect(Form2->HeadingAction(), &QAction::triggered, this, [this] {
        const QPointer<QWidget> focused = QApplication::focusWidget();
        Overskrif->exec();
        // Back to the answer box or the result, even where no window manager gives the
        // focus back.
        if (focused && focused->isVisible()) {
            focused->activateWindow();
            focused->setFocus(Qt::ActiveWindowFocusReason);
        }
    });
}

TForm1::~TForm1() {
    // The print dialog is a child of the window and refers to the session's printer.
    printing_.reset();
}

void TForm1::BuildClientArea() {
    clientArea_ = new QStackedWidget(this);
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    QPalette white = clientArea_->palette();
    white.setColor(QPalette::Window, Qt::white);
    clientArea_->setPalette(white);
    clientArea_->setAutoFillBackground(true);
    setCentralWidget(clientArea_);

    whitePage_ = new QWidget(clientArea_);
    clientArea_->addWidget(whitePage_);
    Image1 = new QLabel(whitePage_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->resize(273, 225);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(LoadSplashPicture()));

    // Hidden until a type is chosen: the white page stays in front.
    Form2 = new TForm2(state_, random_, clientArea_);
    clientArea_->addWidget(Form2);
}

void TForm1::BuildMenu() {
    QMenuBar* bar = menuBar();
    // In the window on every desktop, where the guide and the access keys place it. main()
    // says so for the whole program before any menu bar exists, which also spares the
    // D-Bus question a desktop-wide menu asks.
    bar->setNativeMenuBar(false);
    // The menu keeps the desktop's font; the window's font is the transcript's.
    QFont desktopFont = QApplication::font(bar);
    desktopFont.setResolveMask(QFont::AllPropertiesResolved);
    bar->setFont(desktopFont);
    // The exercise window's tool bar owns its letters with Alt.
    QString usedInBar = TForm2::ToolBarLetters();
    const auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(WithAccessKey(ToQString(caption), usedInBar));
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    BuildFileMenu(addMenu("Filer1", FileMenuCaption));
    BuildTypeMenu(addMenu("K1", TypeMenuCaption));
    BuildHelpMenu(addMenu("Oplysninger1", HelpMenuCaption));
}

void TForm1::BuildFileMenu(QMenu* file) {
    MenuFiller items(file);
    Udskriv1 = Form2->PrintAction();
    items.Add(Udskriv1, "Udskriv1", PrintCaption);
    Udskriv1->setShortcuts(QKeySequence::Print);
    connect(Udskriv1, &QAction::triggered, this, &TForm1::Udskriv1Click);
    QAction* afslut = items.Add("Afslut1", QuitCaption);
    // The desktop's quit key; Ctrl+Q also where the platform names none.
    const QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    afslut->setShortcuts(quitKeys.isEmpty() ? QList{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quitKeys);
    connect(afslut, &QAction::triggered, this, &TForm1::Afslut1Click);
}

void TForm1::BuildTypeMenu(QMenu* types) {
    MenuFiller items(types);
    std::int32_t group = 0;
    for (const ExerciseType& row : ExerciseTypes) {
        if (row.Group != group) {
            group = row.Group;
            types->addSeparator();
            const TypeGroup& label = TypeGroups[group];
            if (!label.Label.empty()) {
                // The white page again, as before a type was chosen.
                connect(items.Add(label.ObjectName, label.Label), &QAction::triggered, this,
                        [this] { clientArea_->setCurrentWidget(whitePage_); });
            }
        }
        connect(items.Add(row.ObjectName, row.Caption), &QAction::triggered, this,
                [this, type = row.Number] {
                    state_.ExerciseType = type;
                    clientArea_->setCurrentWidget(Form2);
                    Form2->ShowExerciseType();
                });
    }
}

void TForm1::BuildHelpMenu(QMenu* help) {
    MenuFiller items(help);
    connect(items.Add("Vejledning1", GuideCaption), &QAction::triggered, this,
            &TForm1::Vejledning1Click);
    // F1 whatever Shift, Ctrl and Alt are held with it, wherever the focus is in the window;
    // not shown in the menu.
    auto* helpKey = new QAction(this);
    QList<QKeySequence> helpKeys = QKeySequence::keyBindings(QKeySequence::HelpContents);
    for (const Qt::KeyboardModifiers held : std::initializer_list<Qt::KeyboardModifiers>{
             Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
             Qt::ShiftModifier | Qt::ControlModifier, Qt::ShiftModifier | Qt::AltModifier,
             Qt::ControlModifier | Qt::AltModifier,
             Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier}) {
        helpKeys << QKeySequence(QKeyCombination(held, Qt::Key_F1));
    }
    helpKey->setShortcuts(helpKeys);
    helpKey->setAutoRepeat(false);
    connect(helpKey, &QAction::triggered, this, &TForm1::ShowHelpContents);
    addAction(helpKey);
    help->addSeparator();
    connect(items.Add("Omprogrammet1", AboutItemCaption), &QAction::triggered, this,
            &TForm1::Omprogrammet1Click);
}

void TForm1::setVisible(bool visible) {
    // Given the work area before its first showing, the window is laid out once, at the size
    // it shows in; given it only in showEvent, it is laid out twice before it maps.
    if (visible && !shown_) {
        FillWorkArea();
    }
    QMainWindow::setVisible(visible);
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
    // The window has the work area already (setVisible).
    PlaceSplash();
    Timer1->start();
}

void TForm1::FillWorkArea() {
    // Even where no window manager maximises the window. A compositor gives the maximised
    // window its size itself, and Qt tells it only the whole output, panels included.
    if (const QScreen* where = screen(); where && !CompositorPlaces()) {
        // The window manager learns the floor at once; the frame is taken off once known.
        setMinimumSize(Floor.boundedTo(where->availableGeometry().size()));
        setGeometry(where->availableGeometry());
    }
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::FormActivate() {
    setWindowTitle(ToQString(CaptionPrefix) + aboutBox_->VersionText());
    Udskriv1->setEnabled(false);
    random_.ReseedFromClock();
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    Image1->hide();
}

void TForm1::PlaceSplash() {
    const QSize outer = frameGeometry().size();
    Image1->move(outer.width() / 2 - SplashOffsetX, outer.height() / 2 - SplashOffsetY);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize(event->spontaneous());
}

void TForm1::FormResize(bool fromWindowSystem) {
    if (CompositorPlaces()) {
        FollowCompositor(fromWindowSystem);
    } else {
        KeepFloorAndCorner();
    }
    PlaceSplash();
}

void TForm1::KeepFloorAndCorner() {
    // Without a window manager (kiosk and exam machines) the X server takes any geometry a
    // client asks for, nothing keeps setMinimumSize, and Qt still believes the window
    // maximised; so unless the window really fills the work area it keeps its outer size
    // and its place itself.
    const auto unmaximisedOn = [this]() -> const QScreen* {
        const QScreen* where = screen();
        const bool maximised =
            where && FillsItsArea(windowState()) && frameGeometry() == where->availableGeometry();
        return maximised ? nullptr : where;
    };
    if (const QScreen* where = unmaximisedOn()) {
        // The minimum is the outer size's; the frame is known once the window shows. A
        // screen smaller than the floor is the floor, and the sheet scrolls.
        const QSize floor = Floor.boundedTo(where->availableGeometry().size());
        setMinimumSize(floor - (frameGeometry().size() - size()));
        const QSize outer = frameGeometry().size();
        const QSize lacking = outer.expandedTo(floor) - outer;
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
}

void TForm1::FollowCompositor(bool fromCompositor) {
    // The free area is what the compositor gives the maximised window: Qt knows only the
    // output. A maximised window has no minimum, so that a smaller free area (a panel, a
    // turned screen) never meets one; restored, it keeps the floor inside the free area
    // last seen, and where it goes is the compositor's choice.
    if (FillsItsArea(windowState())) {
        if (fromCompositor) {
            freeArea_ = frameGeometry().size();
        }
        setMinimumSize(0, 0);
        return;
    }
    if (freeArea_.isEmpty()) {
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    setMinimumSize(Floor.boundedTo(freeArea_) - frame);
    const QSize inside = size().expandedTo(minimumSize()).boundedTo(freeArea_ - frame);
    if (inside != size()) {
        resize(inside);
    }
}

void TForm1::ShowHelpContents() {
    help_->ShowHelp(QString::fromLatin1(HelpFileName), HelpContents);
}

void TForm1::Omprogrammet1Click() {
    aboutBox_->exec();
}

PrintSession* TForm1::Printing() {
    if (!printing_) {
        QString error;
        printing_ = LoadPrintSession(PrintModuleFile(), this, error);
        if (!printing_) {
            QMessageBox::warning(this, ToQString(PrintCaption),
                                 ToQString(PrintFailedMessage) + QLatin1Char('\n') + error);
        }
    }
    return printing_.get();
}

QPrintDialog* TForm1::PrintDialog() {
    PrintSession* session = Printing();
    return session ? &session->Dialog() : nullptr;
}

void TForm1::PrintTranscript() {
    BuildTranscript(state_, Overskrif->PrintHeading(), transcript_);
    if (PrintSession* session = Printing()) {
        session->Print(font(), transcript_, Overskrif->PrintHeading(), state_.ExerciseType);
    }
}

void TForm1::CopyTranscript() {
    BuildTranscript(state_, Overskrif->PrintHeading(), transcript_);
    if (!Memo1) {
        // Hidden; it takes the window's font, which is the transcript's.
        Memo1 = new TranscriptMemo(this);
    }
    Memo1->CopyLines(transcript_);
}

} // namespace qx5
