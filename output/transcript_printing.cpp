// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transcript_printing.h"

#include "qt_text.h"

#include <QFontMetrics>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace qx5 {

namespace {

int PrintableHeight(const QPrinter& printer) {
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

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

PrintMetrics MeasurePrintMetrics(QPrinter& printer, const QFont& font, int lineCount) {
    // The font keeps its point size; its height in pixels follows the printer. The height
    // of a text is the font's line height (ascent and descent), whatever its letters.
    const QFontMetrics metrics(font, &printer);
    return ComputePrintMetrics(metrics.height(), printer.logicalDpiY(), PrintableHeight(printer),
                               lineCount);
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
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::PrinterFailed;
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(font, &printer).ascent();
    for (const int page : pages) {
        if (page != pages.front() && !printer.newPage()) {
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

} // namespace qx5
