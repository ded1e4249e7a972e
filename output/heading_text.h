// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What a heading may hold: it is one transcript line, on paper and on the clipboard alike.
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

} // namespace qx5
