// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transcript/heading_text.h"

#include "engine/program_texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace qx5 {

namespace {

inline constexpr char32_t NotUtf8 = 0xFFFFFFFF;
inline constexpr std::string_view Replacement = "\xEF\xBF\xBD";

// The code point at text[at] and its length in bytes; NotUtf8 and 1 for a byte that does
// not begin a well-formed sequence (overlong forms and surrogates included).
std::pair<char32_t, std::size_t> Decode(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1FU;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0FU;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07U;
        lowest = 0x10000;
    } else {
        return {NotUtf8, 1};
    }
    if (text.size() - at < length) {
        return {NotUtf8, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0U) != 0x80U) {
            return {NotUtf8, 1};
        }
        code = (code << 6U) | (byte(i) & 0x3FU);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {NotUtf8, 1};
    }
    return {code, length};
}

// Qt's text document turns these into paragraphs, line breaks, objects or frames, and a
// reader of the plain text may start a new line at any control character.
bool BreaksTheLine(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0xFFFC ||
           (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFEU) == 0xFFFEU;
}

// What Windows and memory sticks forbid in a file name, and control characters.
bool UnsafeInAName(char32_t c) {
    return c < 0x20 || c == 0x7F ||
           std::u32string_view(U"\\/:*?\"<>|").find(c) != std::u32string_view::npos;
}

// A blank of any kind, as Qt's QChar::isSpace has it: the ASCII ones, NEL, and the
// space, line and paragraph separators of Unicode.
bool IsSpace(char32_t c) {
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Neither blanks nor dots at the ends: a leading dot hides a file, a trailing one is
// dropped on a memory stick, and a blank that came before a dot may come to the end.
void TrimEnds(std::string& text) {
    const auto trimmed = [](char c) { return c == ' ' || c == '.'; };
    while (!text.empty() && trimmed(text.back())) {
        text.pop_back();
    }
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), trimmed));
}

} // namespace

std::string HeadingText(std::string_view typed) {
    std::string heading;
    heading.reserve(typed.size());
    for (std::size_t at = 0; at < typed.size();) {
        const auto [code, length] = Decode(typed, at);
        if (code == NotUtf8) {
            heading += Replacement;
        } else if (BreaksTheLine(code)) {
            heading += ' ';
        } else {
            heading += typed.substr(at, length);
        }
        at += length;
    }
    return heading;
}

std::string ProposedPdfName(std::string_view heading, int exerciseType,
                            const CalendarMinute& when) {
    // The characters, with the unsafe ones replaced and every run of blanks made one blank.
    std::string title;
    for (std::size_t at = 0; at < heading.size();) {
        const auto [code, length] = Decode(heading, at);
        if (code == NotUtf8) {
            title += Replacement;
        } else if (UnsafeInAName(code)) {
            title += '_';
        } else if (!IsSpace(code)) {
            title += heading.substr(at, length);
        } else if (!title.empty() && title.back() != ' ') {
            title += ' ';
        }
        at += length;
    }
    TrimEnds(title);
    char dateTime[32];
    std::snprintf(dateTime, sizeof dateTime, "%04d-%02d-%02d %02d.%02d", when.Year, when.Month,
                  when.Day, when.Hour, when.Minute);
    std::string rest = PdfNameText;
    rest.replace(rest.find("%1"), 2, std::to_string(exerciseType));
    rest.replace(rest.find("%2"), 2, dateTime);
    constexpr std::string_view Between = " - ";

    // A heading is cut at 100 UTF-16 units, and sooner where its characters take so many
    // bytes (three each for most of Asia's) that the name would not fit in a file name's
    // 255: the PDF could not be saved.
    constexpr std::size_t MaxUnits = 100;
    const std::size_t maxBytes = 255 - Between.size() - rest.size();
    std::size_t units = 0;
    std::size_t kept = 0;
    for (std::size_t length = 0; kept < title.size(); kept += length) {
        length = Decode(title, kept).second;
        units += length == 4 ? 2 : 1;
        if (units > MaxUnits || kept + length > maxBytes) {
            break;
        }
    }
    title.resize(kept);
    TrimEnds(title);
    return title.empty() ? rest : title + std::string(Between) + rest;
}

} // namespace qx5
