// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Finds and loads the printing module at the first print.
#pragma once

#include "output/print_session.h"

#include <QString>

#include <memory>

class QWidget;

namespace qx5 {

// Where the module is: installed, beside the program's library folder; in a build, in the
// same place relative to the program, or where the build put it for the tests.
QString PrintModuleFile();

// A session from the module in that file; null, with the reason in error, when the file
// cannot be loaded or is not the printing module. The module stays loaded for the run.
std::unique_ptr<PrintSession> LoadPrintSession(const QString& file, QWidget* window,
                                               QString& error);

} // namespace qx5
