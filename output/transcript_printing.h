// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing a transcript: the metrics of a real printer, the print dialog's set-up, and the
// chosen pages drawn one transcript line a printed line.
#pragma once

#include "transcript/print_layout.h"
#include "transcript/transcript.h"

#include <QPageLayout>
#include <QPrinter>
#include <QString>

#include <string_view>

class QDateTime;
class QFont;
class QPagedPaintDevice;
class QPrintDialog;

namespace qx5 {

// The metrics of the printer (or PDF writer) as it is set up now, with the font set on it.
PrintMetrics MeasurePrintMetrics(QPagedPaintDevice& printer, const QFont& font, int lineCount);

// Page range on (print-to-file stays: without a print queue it is the only way to print),
// pages 1 to the page count, from page 1 to the preset page.
void PreparePrintDialog(QPrintDialog& dialog, const PrintMetrics& metrics);

// The file name the dialog proposes for a PDF of a series: the heading (when set), the
// type, the date and time, for instance "Ida Hansen - type 14 - 2026-12-09 10.15.pdf",
// with the characters that file names (also on a memory stick) cannot hold replaced.
QString ProposedPdfName(std::string_view heading, int exerciseType, const QDateTime& when);

// Puts a proposed file name into the dialog's field for printing to a file.
void ProposeFileName(QPrintDialog& dialog, const QString& path);

// The folder of the PDF proposals: the documents folder (the home folder where there is
// none) until the pupil confirms a PDF in another folder.
class PdfFolder {
public:
    QString Path() const;
    // After a confirmed dialog.
    void Remember(const QPrinter& printer);

private:
    QString chosen_;
};

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

enum class PrintOutcome {
    Printed, // also the server's answer where a queue takes jobs (a stopped queue holds them)
    NoPageSelected,
    PrinterFailed,
    // The print server's answers.
    QueueNotAccepting, // the queue refuses new jobs
    QueueUnknown,      // the server has no such queue
    ServerNoAnswer,    // nobody listens, or the server does not answer in time
    ServerRefused,     // the server answered the job with an error
    // Printing to a file.
    FolderMissing,
    FolderNotWritable,
    DiskFull,
    FileNotWritten,
};

// After a confirmed dialog: measures again, since another printer or paper may have been
// chosen, takes the dialog's choice of pages and prints them, the last first when the
// dialog asks for that. Nothing is begun when the choice holds no page. A queue is asked
// first whether it takes jobs, and the server's answer to the job is the outcome. A PDF
// is written to a temporary file beside the chosen one and put in place when complete:
// a failed write leaves no partial file and an earlier file of that name as it was.
PrintOutcome PrintTranscriptPages(QPrinter& printer, const QFont& font,
                                  const Transcript& transcript);

// Why a print failed, in plain words, for the second line of the message.
QString PrintFailureReason(PrintOutcome outcome, const QPrinter& printer);

} // namespace qx5
