// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "heading_text.h"

#include <cstddef>
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

} // namespace qx5
