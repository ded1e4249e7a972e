// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What a heading may hold: it is one transcript line, on paper and on the clipboard alike;
// and the name it gives a PDF of the series.
#pragma once

#include <string>
#include <string_view>

namespace qx5 {

// The heading as the transcript takes it from what the pupil typed or pasted (UTF-8). Every
// character that breaks a line or that Qt's text document reads as its own structure
// becomes a blank: control characters, the line and paragraph separators, the object
// replacement character and the noncharacters (frame markers among them). Bytes that are
// not UTF-8 become U+FFFD, as Qt would read them. Everything else is kept byte for byte.
std::string HeadingText(std::string_view typed);

// A minute of the calendar, in local time.
struct CalendarMinute {
    int Year = 0;
    int Month = 0; // 1-12
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
};

// The file name proposed for a PDF of a series: the heading (when set), the type, the date
// and time, for instance "Ida Hansen - type 14 - 2026-12-09 10.15.pdf". In the heading,
// what Windows and a memory stick forbid in a name becomes "_", blanks of every kind run
// together into one, blanks and dots at the ends go, and it is cut after 100 UTF-16 code
// units, or sooner so that the whole name takes at most 255 bytes (never inside a
// character). The desktop's print dialog and the browser edition's page title both
// propose it.
std::string ProposedPdfName(std::string_view heading, int exerciseType, const CalendarMinute& when);

} // namespace qx5
