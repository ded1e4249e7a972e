// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The printing module's session: the print dialog, the printer and the folder of PDF
// proposals, for the whole run.
#include "output/print_session.h"

#include "common/qt_text.h"
#include "engine/program_texts.h"
#include "output/transcript_printing.h"

#include <QDateTime>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace qx5 {

namespace {

class DialogPrintSession : public PrintSession {
public:
    explicit DialogPrintSession(QWidget* window)
        : window_(window) {}
    ~DialogPrintSession() override {
        // The dialog refers to the printer; it goes first, unless the window took it along.
        delete dialog_;
    }

    QPrintDialog& Dialog() override {
        if (!printer_) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            // The job's name in the print queue and the PDF's title, until a series names them.
            printer_->setDocName(QStringLiteral("QX5"));
        }
        if (!dialog_) {
            // Made anew after a cancel, Qt's dialog would put a printer that prints to a file on
            // a queue; the printer stays as it was confirmed.
            const PrinterChoice confirmed(*printer_);
            dialog_ = new QPrintDialog(printer_.get(), window_);
            confirmed.RestoreTo(*printer_);
            dialog_->setObjectName(QStringLiteral("PrintDialog1"));
        }
        return *dialog_;
    }

    void Print(const QFont& font, const Transcript& transcript, std::string_view heading,
               int exerciseType) override {
        QPrintDialog& dialog = Dialog();
        QPrinter& printer = *printer_;
        const int lineCount = static_cast<int>(transcript.size());
        PreparePrintDialog(dialog, MeasurePrintMetrics(printer, font, lineCount));
        const QString name = ProposedPdfName(heading, exerciseType, QDateTime::currentDateTime());
        ProposeFileName(dialog, QDir(pdfFolder_.Path()).filePath(name));
        const PrinterChoice before(printer);
        if (dialog.exec() != QDialog::Accepted) {
            before.RestoreTo(printer);
            // Qt's dialog keeps a cancelled choice in its widgets; the next one is made anew
            // from the printer as it was.
            delete dialog_;
            return;
        }
        pdfFolder_.Remember(printer);
        // The job's name in the print queue and the PDF's title name the pupil and the series.
        printer.setDocName(name.chopped(4));
        const PrintOutcome outcome = PrintTranscriptPages(printer, font, transcript);
        switch (outcome) {
        case PrintOutcome::Printed:
            break;
        case PrintOutcome::NoPageSelected:
            QMessageBox::information(window_, ToQString(PrintCaption), ToQString(NoPageMessage));
            break;
        default:
            QMessageBox::warning(window_, ToQString(PrintCaption),
                                 ToQString(PrintFailedMessage) + QLatin1Char('\n') +
                                     PrintFailureReason(outcome, printer));
            break;
        }
    }

private:
    QWidget* window_;
    std::unique_ptr<QPrinter> printer_;
    QPointer<QPrintDialog> dialog_;
    PdfFolder pdfFolder_;
};

} // namespace

} // namespace qx5

extern "C" Q_DECL_EXPORT qx5::PrintSession* QX5_PRINT_ENTRY(QWidget* window) {
    return new qx5::DialogPrintSession(window);
}
