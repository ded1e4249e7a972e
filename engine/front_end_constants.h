// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The numbers and letters the desktop's windows and the browser's page both go by; the page
// gets them from the engine side with the texts.
#pragma once

#include "engine/program_texts.h"

#include <string_view>
#include <utility>

namespace qx5 {

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
    {"HeadingCancel", AccessLetter(HeadingCancelCaption)},
};

} // namespace qx5
