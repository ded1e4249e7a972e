// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Access keys for menu items whose captions carry none: each item of a menu gets a letter
// or digit of its own, marked for Qt without changing the text shown.
#pragma once

#include <QString>

namespace qx5 {

// Marks the first free character of caption as its access key: the first characters of
// its words first, then any letter or digit. used collects the keys taken in the same
// menu (upper case). A caption with no free character gets none. Any "&" of the caption
// itself is kept as text.
QString WithAccessKey(const QString& caption, QString& used);

} // namespace qx5
