// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing a transcript: the metrics of a real printer, the print dialog's set-up, and the
// chosen pages drawn one transcript line a printed line.
#pragma once

#include "print_layout.h"
#include "transcript.h"

#include <QPageLayout>
#include <QPrinter>
#include <QString>

class QFont;
class QPrintDialog;

namespace qx5 {

// The metrics of the printer as it is set up now, with the font set on it.
PrintMetrics MeasurePrintMetrics(QPrinter& printer, const QFont& font, int lineCount);

// Page range on (print-to-file stays: without a print queue it is the only way to print),
// pages 1 to the page count, from page 1 to the preset page.
void PreparePrintDialog(QPrintDialog& dialog, const PrintMetrics& metrics);

// What a print dialog may have changed on its printer before the pupil cancels it; a
// cancelled dialog leaves the printer as it was.
class PrinterChoice {
public:
    explicit PrinterChoice(const QPrinter& printer);
    void RestoreTo(QPrinter& printer) const;

private:
    QPrinter::OutputFormat format_;
    QString printerName_;
    QString fileName_;
    QPageLayout layout_;
};

enum class PrintOutcome { Printed, NoPageSelected, PrinterFailed };

// After a confirmed dialog: measures again, since another printer or paper may have been
// chosen, takes the dialog's choice of pages and prints them, the last first when the
// dialog asks for that. Nothing is begun when the choice holds no page.
PrintOutcome PrintTranscriptPages(QPrinter& printer, const QFont& font,
                                  const Transcript& transcript);

} // namespace qx5
