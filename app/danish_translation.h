// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's own dialogs and buttons (print dialog, message boxes) speak Danish like the rest.
#pragma once

class QCoreApplication;

namespace qx5 {

// Loads Qt's Danish translation from Qt's translations folder; returns whether it was
// found. Without it Qt's texts stay English and the program works on.
bool InstallDanishQtTranslation(QCoreApplication& application);

} // namespace qx5
