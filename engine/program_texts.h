// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's visible texts, in one place: the instructions, the sheet's and the
// transcript's words, captions, hints, messages and what a screen reader says; UTF-8, made
// QStrings at the Qt edge (ToQString). The exercise types' own texts (menu captions, group
// labels, titles, range labels) are rows of their table (type_settings.h). At the end, the
// numbers and letters both front ends go by: the page gets them with the texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace qx5 {

// An instruction: Before + operand + After, by operation code (+, -, ·, :).
struct Wording {
    std::string_view Before;
    std::string_view After;
};
using Vocabulary = std::array<Wording, 4>;
inline constexpr Vocabulary BasicWords{
    {{"(+) Læg ", " til"}, {"(-) Træk ", " fra"}, {"(·) Gang med ", ""}, {"(:) Del med ", ""}}};
inline constexpr Vocabulary PlainWords{
    {{"Læg ", " til"}, {"Træk ", " fra"}, {"Gang med ", ""}, {"Divider med ", ""}}};
inline constexpr Vocabulary SecondPartWords{
    {{" og læg ", " til"}, {" og træk ", " fra"}, {" og gang med ", ""}, {" og divider med ", ""}}};
// An addition near the top of the range, shown as a subtraction from the sum.
inline constexpr std::string_view ReversedAdditionWords = "Træk tallet fra ";

// The sheet: the header's "Type", the start line's label, the mark of a wrong answer.
inline constexpr std::string_view SheetTypeWord = " Type ";
inline constexpr std::string_view StartLineLabel = "Her er dit tal :  ";
inline constexpr std::string_view ErrorMark = "<-   Fejl";

// The transcript: its title, the type line's word, the start number's label, and what a
// wrong step should have been (Before + the right number + After).
inline constexpr const char* TranscriptTitle = "QX5:  Rurudovorir";
inline constexpr std::string_view TranscriptTypeWord = "Type ";
inline constexpr std::string_view StartNumberLabel = "Udgangstal:   ";
inline constexpr Wording ShouldHaveBeen{"     (det skulle være ", " )"};

// The main window and the about box.
inline constexpr const char* VersionText = "Version 270405";
inline constexpr const char* CaptionPrefix = "   QX5:  Zurevodi    ";
inline constexpr const char* MakerText = "Et regneprogram fra QX5-holdet";
inline constexpr const char* AboutCaption = "   Om programmet";
inline constexpr const char* ProductNameText = "Q X 5";
inline constexpr const char* ProductTitleText = "Rurudovorir";
inline constexpr const char* AboutOkCaption = "&OK";

// The main menu.
inline constexpr const char* FileMenuCaption = "Filer";
inline constexpr const char* PrintCaption = "Udskriv";
inline constexpr const char* QuitCaption = "Afslut";
inline constexpr const char* TypeMenuCaption = "Vælg opgavetype";
inline constexpr const char* HelpMenuCaption = "Hjælp";
inline constexpr const char* GuideCaption = "Vejledning";
inline constexpr const char* AboutItemCaption = "Om programmet";

// Printing.
inline constexpr const char* NoPageMessage =
    "Det valgte sideinterval indeholder ingen sider, så der er ikke udskrevet noget.";
inline constexpr const char* PrintFailedMessage = "Udskrivningen kunne ikke gennemføres.";
// Why, on the message's second line. %1 the printer, the folder or the file.
inline constexpr const char* PrinterFailedReason = "Printeren kunne ikke tage imod udskriften.";
inline constexpr const char* QueueNotAcceptingReason =
    "Printeren »%1« tager ikke imod udskrifter lige nu.";
inline constexpr const char* QueueUnknownReason = "Printeren »%1« findes ikke længere.";
inline constexpr const char* ServerNoAnswerReason = "Udskriftsserveren svarer ikke.";
inline constexpr const char* ServerRefusedReason = "Udskriftsserveren afviste udskriften.";
inline constexpr const char* FolderMissingReason = "Mappen »%1« findes ikke.";
inline constexpr const char* FolderNotWritableReason = "Der må ikke skrives i mappen »%1«.";
inline constexpr const char* DiskFullReason = "Der er ikke plads til filen »%1«.";
inline constexpr const char* FileNotWrittenReason = "Filen »%1« kunne ikke skrives.";
// The PDF's proposed name after the heading: %1 the type, %2 the date and time.
inline constexpr const char* PdfNameText = "type %1 - %2.pdf";

// The exercise window's tool bar hints and captions ("&" marks the Alt letter).
inline constexpr const char* PrintHint = "Udskriv";
inline constexpr const char* HeadingHint = "Navn eller overskrift til udskrifter";
inline constexpr const char* CopyHint = "Kopier til Klippebordet";
inline constexpr const char* NewSeriesHint = "Nye opgaver (Alt+O)";
inline constexpr const char* RestartHint = "Begynd forfra (Alt+B)";
inline constexpr const char* RestartCaption = "  &B";
inline constexpr const char* PreviousTypeHint = "Foregående opgavetype (Alt+F)";
inline constexpr const char* PreviousTypeCaption = "  &F";
inline constexpr const char* NextTypeHint = "Næste opgavetype (Alt+N)";
inline constexpr const char* NextTypeCaption = "  &N";

// The exercise window's message, and what a screen reader says about the sheet.
inline constexpr const char* TooLargeMessage = " Tallet er for stort. ";
inline constexpr const char* TooLargeCaption = " ";
inline constexpr const char* SheetName = "Opgaveark";
// %1 the step, %2 the steps of the series, %3 the instruction.
inline constexpr const char* AnswerBoxName = "Trin %1 af %2: %3";
// The browser edition's button beside the answer box, on a touch screen: what Enter does.
inline constexpr const char* HandInCaption = "Aflever";
// %1 the number the instruction applies to.
inline constexpr const char* AnswerBoxDescription =
    "Dit tal er %1. Skriv det nye tal, og tryk Enter.";
// %1 right answers, %2 the steps of the series: the score as the sheet, the transcript and
// a screen reader give it.
inline constexpr const char* ScoreDescription = "%1 rigtige af %2.";
// The finished series as text: the score and the wrong steps.
inline constexpr const char* ResultTextName = "Resultat";
// What a tool button's key is, in its accessible description. %1 the key.
inline constexpr const char* ButtonKeyDescription = "Genvejstast: %1";

// The heading dialog.
inline constexpr const char* HeadingCaption = "   Overskrift";
inline constexpr const char* HeadingLabelText = " Navn eller overskrift til udskrifter: ";
inline constexpr const char* HeadingOkCaption = "OK";
inline constexpr const char* HeadingCancelCaption = "&Fortryd";

// The browser edition's message when the browser will not let the page at the clipboard.
inline constexpr const char* CopyFailedMessage = "Kopieringen kunne ikke gennemføres.";
inline constexpr const char* CopyRefusedReason = "Browseren gav ikke adgang til Klippebordet.";
// Where the browser cannot load or compile the engine, so the page has none of its texts but
// what it was built with.
inline constexpr const char* LoadFailedMessage =
    "QX5 kan ikke starte i denne browser: programmet (WebAssembly) kunne ikke hentes eller "
    "oversættes. Prøv at hente siden igen, eller brug en nyere browser.";
// The web app's name and description on a home screen or in an app list.
inline constexpr const char* WebAppName = "QX5 – kæderegning";
inline constexpr const char* WebAppDescription =
    "Kæderegning for skoleelever: følg regneforskrifterne fra starttallet, og skriv hvert nyt tal.";

// The help window. %1 the help file's name.
inline constexpr const char* HelpWindowCaption = "QX5 – Vejledning";
inline constexpr const char* HelpMissingCaption = "QX5";
inline constexpr const char* HelpMissingMessage = "Hjælpefilen \"%1\" kunne ikke findes.";

// ScoreDescription filled in: "7 rigtige af 9.".
inline std::string ScoreText(std::int32_t correct, std::int32_t steps) {
    std::string text = ScoreDescription;
    text.replace(text.find("%2"), 2, std::to_string(steps));
    return text.replace(text.find("%1"), 2, std::to_string(correct));
}

// The answer box on the sheet's current row, and the most characters it takes.
inline constexpr int AnswerBoxWidth = 57;
inline constexpr int AnswerBoxHeight = 26;
inline constexpr int AnswerDigits = 3;
// The sheet's least height, its scrollable extent; a finished 9-step sheet may ask for more.
inline constexpr int SheetMinHeight = 410;
// The left edge of the tool bar's range label ("Tal: 1-40").
inline constexpr int RangeLabelLeft = 464;
// The splash picture's corner, left of and above the window's middle; how long it shows.
inline constexpr int SplashOffsetX = 140;
inline constexpr int SplashOffsetY = 120;
inline constexpr int SplashMilliseconds = 3000;

// The letter after a caption's "&", which Alt presses; 0 for none.
constexpr char AccessLetter(std::string_view caption) {
    const auto mark = caption.find('&');
    return mark < caption.size() - 1 ? caption[mark + 1] : '\0';
}

// The Alt letters of the tool buttons without a caption: letters no menu and no text box
// takes, from their hints (E of "eller", K of "Kopier", O of "opgaver").
inline constexpr char HeadingKeyLetter = 'E';
inline constexpr char CopyKeyLetter = 'K';
inline constexpr char NewSeriesKeyLetter = 'O';

// Every Alt letter of the exercise window and the heading dialog, by control.
inline constexpr std::pair<std::string_view, char> ControlKeys[] = {
    {"SpeedButton2", HeadingKeyLetter},
    {"SpeedButton4", CopyKeyLetter},
    {"SpeedButton5", NewSeriesKeyLetter},
    {"SpeedButton3", AccessLetter(RestartCaption)},
    {"SpeedButton10", AccessLetter(PreviousTypeCaption)},
    {"SpeedButton6", AccessLetter(NextTypeCaption)},
    {"HeadingCancel", AccessLetter(HeadingCancelCaption)}};

} // namespace qx5
