// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Fixed texts of the application shell.
#pragma once

namespace qx5 {

inline constexpr const char* VersionText = "Version 270405";
inline constexpr const char* CaptionPrefix = "   QX5:  Zurevodi    ";
inline constexpr const char* MakerText = "Et regneprogram fra QX5-holdet";

} // namespace qx5
