#include "rpprintjob.h"

#include "rpfiledialogs.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

namespace RpPdfOutput {
namespace {
Chooser gChooser;
}

QString Choose(const QString& title)
{
    if (gChooser)
        return gChooser(title);
    return RpFileDialogs::ShowSaveDialog(nullptr, QStringLiteral("Print to PDF File"),
                                         QDir::home().filePath(FileNameFor(title)), QStringLiteral("PDF file|*.pdf"))
        .fileName;
}

// A slash in the title would name a folder, and a full stop at its end
// give the file a second extension.
QString FileNameFor(const QString& title)
{
    QString name = title.trimmed().replace(QLatin1Char('/'), QLatin1Char('-'));
    while (!name.isEmpty() && (name.back() == QLatin1Char('.') || name.back().isSpace()))
        name.chop(1);
    return (name.isEmpty() ? QStringLiteral("Report") : name) + QStringLiteral(".pdf");
}

void InstallChooser(Chooser chooser)
{
    gChooser = std::move(chooser);
}
}  // namespace RpPdfOutput

TRpQPrinterJob::TRpQPrinterJob(QPrinter& printer) : printer_(printer) {}

bool TRpQPrinterJob::Prepare(const QString& title)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return true;
    const QString fileName = RpPdfOutput::Choose(title);
    if (fileName.isEmpty())
        return false;
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(fileName);
    return true;
}

bool TRpQPrinterJob::Begin(const QString& title)
{
    printer_.setDocName(title);
    return painter_.begin(&printer_);
}

void TRpQPrinterJob::NewPage()
{
    printer_.newPage();
}

void TRpQPrinterJob::End()
{
    painter_.end();
}

void TRpQPrinterJob::Abort()
{
    if (printer_.abort())
        return;
    // Engines that cannot abort (the PDF writer) are ended; a PDF file of a
    // cancelled print is removed.
    painter_.end();
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}

QSize TRpQPrinterJob::PageSize() const
{
    return printer_.pageRect(QPrinter::DevicePixel).toRect().size();
}

int TRpQPrinterJob::PixelsPerInchX() const
{
    return printer_.logicalDpiX();
}

int TRpQPrinterJob::PixelsPerInchY() const
{
    return printer_.logicalDpiY();
}
