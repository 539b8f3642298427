#include "rpprintjob.h"

#include "rpfiledialogs.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

const QString kPrintFailedText =
    QStringLiteral("Error in printing. Please check if there is a printer correctly connected to your system");

ERpPrintFailed::ERpPrintFailed() : std::runtime_error(kPrintFailedText.toStdString()) {}

namespace RpPdfOutput {
namespace {
Chooser gChooser;

// The writer ends the file with the offset of its cross-reference table,
// counted as it wrote: a file cut short (a full disk) has no end, and one
// that lost bytes before the table has it elsewhere.
bool IsWholePdf(const QByteArray& bytes)
{
    const qsizetype mark = bytes.lastIndexOf("startxref");
    if (mark < 0 || !bytes.trimmed().endsWith("%%EOF"))
        return false;
    bool known = false;
    const qint64 table = bytes.mid(mark + 9).split('\n').value(1).trimmed().toLongLong(&known);
    return known && table >= 0 && table < mark && bytes.mid(table, 4) == "xref";
}
}  // namespace

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

bool KeepIfWhole(const QString& fileName)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly) && IsWholePdf(file.readAll()))
        return true;
    file.close();
    QFile::remove(fileName);
    return false;
}
}  // namespace RpPdfOutput

std::unique_ptr<QPrinter> PrinterLike(const QPrinter& printer)
{
    auto like = std::make_unique<QPrinter>(QPrinter::HighResolution);
    like->setPrinterName(printer.printerName());
    like->setPageLayout(printer.pageLayout());
    like->setCopyCount(printer.copyCount());
    like->setPaperSource(printer.paperSource());
    like->setDuplex(printer.duplex());
    like->setColorMode(printer.colorMode());
    return like;
}

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

bool TRpQPrinterJob::WritesPdfFile() const
{
    return printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
}

// The PDF writer reports no failed write: its file is read back.
bool TRpQPrinterJob::End()
{
    const bool ended = painter_.end();
    return WritesPdfFile() ? RpPdfOutput::KeepIfWhole(printer_.outputFileName()) && ended : ended;
}

void TRpQPrinterJob::Abort()
{
    if (printer_.abort())
        return;
    // Engines that cannot abort (the PDF writer) are ended; a PDF file of a
    // cancelled print is removed.
    painter_.end();
    if (WritesPdfFile())
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
