#include "rpprintjob.h"

#include "rpfiledialogs.h"

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

const QString kPrintFailedText =
    QStringLiteral("Error in printing. Please check if there is a printer correctly connected to your system");

ERpPrintFailed::ERpPrintFailed() : std::runtime_error(kPrintFailedText.toStdString()) {}

ERpNothingInRange::ERpNothingInRange(int pageCount)
    : std::runtime_error(QStringLiteral("The page range chosen holds none of the report's pages (%1 in all), "
                                        "so nothing was printed.")
                             .arg(pageCount)
                             .toStdString())
{
}

namespace {
// A save file that counts a write the disk took only in part as a failed
// one: the PDF writer goes on after it, and a disk full for a moment would
// leave a hole in the file.
class TWholeWritesFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 written = QSaveFile::writeData(data, length);
        if (written != length)
            cancelWriting();
        return written;
    }
};
}  // namespace

// The PDF file that stands in for a printer. As a saved report, it is written
// beside the file chosen and takes that file's place only once whole, so a
// print cancelled or cut short leaves the file that was there.
class TRpPdfFile {
public:
    explicit TRpPdfFile(const QPrinter& like) : file_(like.outputFileName()), writer_(&file_)
    {
        writer_.setResolution(like.resolution());
        writer_.setPageLayout(like.pageLayout());
        writer_.setTitle(like.docName());
        writer_.setCreator(like.creator());
    }
    bool Open() { return file_.open(QIODevice::WriteOnly); }
    QPdfWriter& Writer() { return writer_; }
    bool Commit() { return file_.flush() && file_.commit(); }

private:
    TWholeWritesFile file_;
    QPdfWriter writer_;
};

namespace RpPdfOutput {
namespace {
Chooser gChooser;
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

TRpQPrinterJob::~TRpQPrinterJob() = default;

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

bool TRpQPrinterJob::Open(const QString& title)
{
    printer_.setDocName(title);
    if (!WritesPdfFile())
        return true;
    pdf_ = std::make_unique<TRpPdfFile>(printer_);
    if (pdf_->Open())
        return true;
    pdf_.reset();
    return false;
}

QPagedPaintDevice& TRpQPrinterJob::Device()
{
    if (pdf_)
        return pdf_->Writer();
    return printer_;
}

bool TRpQPrinterJob::Close()
{
    const bool whole = !pdf_ || pdf_->Commit();
    pdf_.reset();
    return whole;
}

bool TRpQPrinterJob::Begin(const QString& title)
{
    return Open(title) && painter_.begin(&Device());
}

void TRpQPrinterJob::NewPage()
{
    Device().newPage();
}

bool TRpQPrinterJob::WritesPdfFile() const
{
    return printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
}

bool TRpQPrinterJob::End()
{
    if (painter_.end())
        return Close();
    pdf_.reset();
    return false;
}

// A PDF file is ended and let go: only its temporary file goes.
void TRpQPrinterJob::Abort()
{
    if (pdf_) {
        painter_.end();
        pdf_.reset();
        return;
    }
    if (!printer_.abort())
        painter_.end();   // engines that cannot abort are ended
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
