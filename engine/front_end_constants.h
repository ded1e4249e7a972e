// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The numbers and letters the desktop's windows and the browser's page both go by; the page
// gets them from the engine side with the texts, so neither front end writes its own.
#pragma once

#include "engine/program_texts.h"

#include <cstddef>
#include <string_view>

namespace qx5 {

// The answer box, laid on the sheet at the current step's answer column; it takes at most
// this many characters.
inline constexpr int AnswerBoxWidth = 57;
inline constexpr int AnswerBoxHeight = 26;
inline constexpr int AnswerDigits = 3;
// The sheet's least height, its scrollable extent; a finished 9-step sheet may ask for more.
inline constexpr int SheetMinHeight = 410;
// The left edge of the range label ("Tal: 1-40") on the tool bar.
inline constexpr int RangeLabelLeft = 464;
// The splash picture's top-left corner lies this far left of and above the window's middle,
// and the picture shows this long.
inline constexpr int SplashOffsetX = 140;
inline constexpr int SplashOffsetY = 120;
inline constexpr int SplashMilliseconds = 3000;

// The letter after a caption's "&", which Alt presses; 0 for a caption without one.
constexpr char AccessLetter(std::string_view caption) {
    const std::size_t mark = caption.find('&');
    return mark != std::string_view::npos && mark + 1 < caption.size() ? caption[mark + 1] : '\0';
}

// The Alt letters of the tool bar's buttons without a caption: each a letter no menu and no
// text box takes, from the button's hint (E of "eller", K of "Kopier", O of "opgaver").
inline constexpr char HeadingKeyLetter = 'E';
inline constexpr char CopyKeyLetter = 'K';
inline constexpr char NewSeriesKeyLetter = 'O';

// Every Alt letter of the exercise window and the heading dialog, by control name.
struct ControlKey {
    std::string_view Control;
    char Letter;
};
inline constexpr ControlKey ControlKeys[] = {
    {"SpeedButton2", HeadingKeyLetter},
    {"SpeedButton4", CopyKeyLetter},
    {"SpeedButton5", NewSeriesKeyLetter},
    {"SpeedButton3", AccessLetter(RestartCaption)},
    {"SpeedButton10", AccessLetter(PreviousTypeCaption)},
    {"SpeedButton6", AccessLetter(NextTypeCaption)},
    {"HeadingCancel", AccessLetter(HeadingCancelCaption)},
};

} // namespace qx5
