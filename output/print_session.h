// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing lives in a module of its own (qx5-printing), loaded at the first print: Qt's
// print support and the print server's library with all it pulls in would otherwise be
// mapped, and take memory, from the program's start. Only this interface is seen by the
// program; nothing here needs Qt's print support.
#pragma once

#include "transcript/transcript.h"

#include <QtGlobal>

#include <string_view>

class QFont;
class QPrintDialog;
class QWidget;

namespace qx5 {

class PrintSession {
public:
    virtual ~PrintSession() = default;

    // The print dialog, a child of the window, and its printer, which keeps the confirmed
    // choice for the run; both are made at the first call.
    virtual QPrintDialog& Dialog() = 0;
    // Shows the dialog for the transcript and prints what the pupil confirms there; what
    // went wrong is told in a message over the window.
    virtual void Print(const QFont& font, const Transcript& transcript, std::string_view heading,
                       int exerciseType) = 0;
};

// The module's one entry point: a new session printing for that window. Its name carries the
// version: a module of another version is refused, not called with a wrong signature.
using MakePrintSessionFunction = PrintSession* (*)(QWidget* window);
inline constexpr const char* MakePrintSessionSymbol = QT_STRINGIFY(QX5_PRINT_ENTRY);

} // namespace qx5
