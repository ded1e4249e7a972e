// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine's UTF-8 text at the Qt edge.
#pragma once

#include <QString>

#include <string_view>

namespace qx5 {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qx5
