// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Text is UTF-8; rules that count the characters of a text count code points, not bytes.
#pragma once

#include <cstddef>
#include <string_view>

namespace qx5 {

// The number of characters in a UTF-8 text: every byte that is not a continuation byte.
constexpr std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
            ++count;
        }
    }
    return count;
}

} // namespace qx5
