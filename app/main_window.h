// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window: white and maximised, with the main menu, the splash picture, and the
// exercise window inside it.
#pragma once

#include "engine/engine_state.h"
#include "engine/random_source.h"
#include "output/print_session.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrintDialog;
class QStackedWidget;
class QTimer;

namespace qx5 {

class HelpViewer;
class TAboutBox;
class TForm2;
class TOverskrif;
class TranscriptMemo;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Creates, in this order, the main window, the exercise window inside it, the about box
    // and the heading dialog. The generator has been seeded already: the state does not
    // wait for an activation that may never come.
    TForm1(EngineState& state, MersenneRandomSource& random, std::vector<std::string>& transcript,
           QWidget* parent = nullptr);
    ~TForm1() override;

    TForm2* ExerciseWindow() const { return Form2; }
    TAboutBox* AboutBox() const { return aboutBox_; }
    HelpViewer& Help() const { return *help_; }
    // Opens the help file at its contents.
    void ShowHelpContents();

    // Prints the finished series on the printer chosen in the print dialog. Reached by the
    // print command, which is enabled only while the series is finished.
    void PrintTranscript();
    // Puts the finished series on the clipboard, as plain and as rich text; reached by the
    // copy command, enabled as print is.
    void CopyTranscript();
    // The print dialog and its printer are made at the first print, from the printing
    // module loaded then; null when the module cannot be loaded.
    QPrintDialog* PrintDialog();
    // The hidden box that carries the transcript to the clipboard; null before the first
    // copy.
    TranscriptMemo* Memo() const { return Memo1; }

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void Timer1Timer();
    void Afslut1Click() { close(); }
    void Vejledning1Click() { ShowHelpContents(); }
    void Omprogrammet1Click();
    void Udskriv1Click() { PrintTranscript(); }

private:
    void FormShow();
    void FillWorkArea();
    void FormActivate();
    // fromWindowSystem: the size came from the window system, not from the program.
    void FormResize(bool fromWindowSystem);
    void KeepFloorAndCorner();
    void FollowCompositor(bool fromCompositor);
    void BuildMenu();
    void BuildFileMenu(QMenu* file);
    void BuildTypeMenu(QMenu* types);
    void BuildHelpMenu(QMenu* help);
    void BuildClientArea();
    void PlaceSplash();
    PrintSession* Printing();

    EngineState& state_;
    MersenneRandomSource& random_;
    // The transcript's lines, rebuilt for every print and copy.
    std::vector<std::string>& transcript_;
    // Qt shows and activates a window again after every modal dialog; the start-up steps
    // run once.
    bool shown_ = false;
    bool activated_ = false;
    // On Wayland, the outer size the compositor gave the maximised window; empty before.
    QSize freeArea_;

    // The white page, with the splash picture, or the exercise window over all of it.
    QStackedWidget* clientArea_;
    QWidget* whitePage_;
    QLabel* Image1;
    QTimer* Timer1;
    // The exercise window's print command, in the menu.
    QAction* Udskriv1 = nullptr;
    std::unique_ptr<HelpViewer> help_;
    TForm2* Form2;
    TAboutBox* aboutBox_;
    TOverskrif* Overskrif;
    TranscriptMemo* Memo1 = nullptr;
    // The print dialog, its printer and the PDF folder, from the first print on.
    std::unique_ptr<PrintSession> printing_;
};

} // namespace qx5
