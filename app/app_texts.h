// Fixed texts of the application shell.
#pragma once

namespace qx5 {

inline constexpr const char* VersionText = "Version 270405";
inline constexpr const char* CaptionPrefix = "   QX5:  Zurevodi    ";

} // namespace qx5
