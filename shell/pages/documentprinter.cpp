#include "documentprinter.h"

#include "reports/rpprintjob.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

// The text document prints with a painter of its own and says nothing of a
// device it could not begin on: the job readies the device first.
void PrintDocument(QTextDocument& document, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    TRpQPrinterJob job(printer);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        if (!job.Prepare(title))
            return;
    } else {
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    if (!job.Open(title))
        throw ERpPrintFailed();
    document.print(&job.Device());
    if (!job.Close())
        throw ERpPrintFailed();
}
