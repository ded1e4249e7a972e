// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/transcript_printing.h"

#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "output/print_server.h"
#include "transcript/heading_text.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace qx5 {

namespace {

// The pages of the dialog's choice that exist. The dialog also takes a list such as
// "1,3"; only the listed pages are printed then.
std::vector<int> ChosenPages(const QPrinter& printer, const PrintMetrics& metrics) {
    const bool allPages = printer.printRange() != QPrinter::PageRange;
    const PageChoice range = ChoosePages(metrics, allPages, printer.fromPage(), printer.toPage());
    const QPageRanges listed = printer.pageRanges();
    std::vector<int> pages;
    for (int page = range.First; page <= range.Last; ++page) {
        if (allPages || listed.isEmpty() || listed.contains(page)) {
            pages.push_back(page);
        }
    }
    return pages;
}

} // namespace

PrintMetrics MeasurePrintMetrics(QPagedPaintDevice& printer, const QFont& font, int lineCount) {
    // The font keeps its point size; its height in pixels follows the printer. The height
    // of a text is the font's line height (ascent and descent), whatever its letters.
    const QFontMetrics metrics(font, &printer);
    const int dpi = printer.logicalDpiY();
    return ComputePrintMetrics(metrics.height(), dpi,
                               printer.pageLayout().paintRectPixels(dpi).height(), lineCount);
}

void PreparePrintDialog(QPrintDialog& dialog, const PrintMetrics& metrics) {
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    const int pages = std::max(metrics.PageCount, 1);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, std::clamp(PresetToPage(metrics), 1, pages));
}

QString ProposedPdfName(std::string_view heading, int exerciseType, const QDateTime& when) {
    // The rule is the transcript's, shared with the browser edition.
    const QDate date = when.date();
    const QTime time = when.time();
    return ToQString(
        qx5::ProposedPdfName(heading, exerciseType,
                             {date.year(), date.month(), date.day(), time.hour(), time.minute()}));
}

void ProposeFileName(QPrintDialog& dialog, const QString& path) {
    // Qt's dialog takes its file name from the printer only when it is made, and a printer
    // given a file name stops printing on its queue; the dialog's own field takes it.
    if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) {
        field->setText(QDir::toNativeSeparators(path));
    }
}

QString PdfFolder::Path() const {
    if (!chosen_.isEmpty()) {
        return chosen_;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void PdfFolder::Remember(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        chosen_ = QFileInfo(printer.outputFileName()).absolutePath();
    }
}

PrinterChoice::PrinterChoice(const QPrinter& printer)
    : format_(printer.outputFormat())
    , printerName_(printer.printerName())
    , fileName_(printer.outputFileName())
    , layout_(printer.pageLayout()) {}

void PrinterChoice::RestoreTo(QPrinter& printer) const {
    // Only what differs: choosing a printer again resets its paper to the printer's own.
    if (printer.outputFormat() != format_ || printer.printerName() != printerName_) {
        printer.setOutputFormat(format_);
        if (format_ == QPrinter::NativeFormat) {
            printer.setPrinterName(printerName_);
        }
    }
    if (printer.outputFileName() != fileName_) {
        printer.setOutputFileName(fileName_);
    }
    if (!printer.pageLayout().isEquivalentTo(layout_)) {
        printer.setPageLayout(layout_);
    }
}

namespace {

// Draws the chosen pages on the device: the printer itself, or a PDF writer set up like it.
PrintOutcome DrawChosenPages(QPagedPaintDevice& device, const std::vector<int>& pages,
                             const QFont& font, const Transcript& transcript) {
    const PrintMetrics m = MeasurePrintMetrics(device, font, static_cast<int>(transcript.size()));
    QPainter painter;
    if (!painter.begin(&device)) {
        return PrintOutcome::PrinterFailed;
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(font, &device).ascent();
    for (const int page : pages) {
        if (page != pages.front() && !device.newPage()) {
            painter.end();
            return PrintOutcome::PrinterFailed;
        }
        int i = FirstLineOfPage(m, page);
        int y = m.TopMargin;
        for (int slot = 0; slot < m.LinesPerPage; ++slot, ++i) {
            if (i >= 0 && i < m.LineCount) {
                painter.drawText(m.LeftMargin, y + ascent,
                                 ToQString(transcript[static_cast<std::size_t>(i)]));
            }
            y += m.LineHeight;
        }
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::PrinterFailed;
}

// Qt hands the job to the server when the painter ends, and keeps the answer to itself;
// libcups has it.
PrintOutcome PrintOnQueue(QPrinter& printer, const std::vector<int>& pages, const QFont& font,
                          const Transcript& transcript) {
    const PrintOutcome before = AskQueue(printer.printerName().toStdString());
    if (before != PrintOutcome::Printed) {
        return before;
    }
    const PrintOutcome drawn = DrawChosenPages(printer, pages, font, transcript);
    return drawn == PrintOutcome::Printed ? LastRequestAnswer() : drawn;
}

PrintOutcome WriteFileFailure(const QString& file) {
    const QFileInfo folder(QFileInfo(file).absolutePath());
    if (!folder.isDir()) {
        return PrintOutcome::FolderMissing;
    }
    if (!folder.isWritable()) {
        return PrintOutcome::FolderNotWritable;
    }
    // What a transcript's PDF needs, with room to spare.
    constexpr qint64 RoomForAPdf = 1024 * 1024;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < RoomForAPdf) {
        return PrintOutcome::DiskFull;
    }
    return PrintOutcome::FileNotWritten;
}

// Qt's PDF printer writes straight into the chosen file, and a write that fails leaves the
// file cut short. A save file commits by renaming only what is complete.
PrintOutcome PrintToPdf(const QPrinter& printer, const std::vector<int>& pages, const QFont& font,
                        const Transcript& transcript) {
    const QString name = printer.outputFileName();
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        return WriteFileFailure(name);
    }
    PrintOutcome drawn;
    {
        QPdfWriter writer(&file);
        writer.setPdfVersion(printer.pdfVersion());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        drawn = DrawChosenPages(writer, pages, font, transcript);
    }
    if (drawn != PrintOutcome::Printed) {
        file.cancelWriting();
        return drawn;
    }
    // The save file's commit overlooks a failure to write out its buffer: a full disk.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return WriteFileFailure(name);
    }
    return file.commit() ? PrintOutcome::Printed : WriteFileFailure(name);
}

} // namespace

PrintOutcome PrintTranscriptPages(QPrinter& printer, const QFont& font,
                                  const Transcript& transcript) {
    const PrintMetrics m = MeasurePrintMetrics(printer, font, static_cast<int>(transcript.size()));
    std::vector<int> pages = ChosenPages(printer, m);
    if (pages.empty()) {
        return PrintOutcome::NoPageSelected;
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) {
        std::reverse(pages.begin(), pages.end());
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return PrintToPdf(printer, pages, font, transcript);
    }
    return PrintOnQueue(printer, pages, font, transcript);
}

QString PrintFailureReason(PrintOutcome outcome, const QPrinter& printer) {
    const QString queue = printer.printerName();
    const QString file = QDir::toNativeSeparators(printer.outputFileName());
    const QString folder =
        QDir::toNativeSeparators(QFileInfo(printer.outputFileName()).absolutePath());
    switch (outcome) {
    case PrintOutcome::Printed:
    case PrintOutcome::NoPageSelected:
        break;
    case PrintOutcome::PrinterFailed:
        return ToQString(PrinterFailedReason);
    case PrintOutcome::QueueNotAccepting:
        return ToQString(QueueNotAcceptingReason).arg(queue);
    case PrintOutcome::QueueUnknown:
        return ToQString(QueueUnknownReason).arg(queue);
    case PrintOutcome::ServerNoAnswer:
        return ToQString(ServerNoAnswerReason);
    case PrintOutcome::ServerRefused:
        return ToQString(ServerRefusedReason);
    case PrintOutcome::FolderMissing:
        return ToQString(FolderMissingReason).arg(folder);
    case PrintOutcome::FolderNotWritable:
        return ToQString(FolderNotWritableReason).arg(folder);
    case PrintOutcome::DiskFull:
        return ToQString(DiskFullReason).arg(file);
    case PrintOutcome::FileNotWritten:
        return ToQString(FileNotWrittenReason).arg(file);
    }
    return {};
}

} // namespace qx5
