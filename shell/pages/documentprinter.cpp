#include "documentprinter.h"

#include "reports/rpprintjob.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

void PrintDocument(QTextDocument& document, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        if (!TRpQPrinterJob(printer).Prepare(title))
            return;
    } else {
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    document.print(&printer);
    // The text document says nothing of a file it could not make or write whole.
    if (printer.outputFormat() == QPrinter::PdfFormat && !RpPdfOutput::KeepIfWhole(printer.outputFileName()))
        throw ERpPrintFailed();
}
