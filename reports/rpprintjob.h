#pragma once
// One printed document on the output device. The report printer reaches the
// device only through this, so tests can watch what a print run does.
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class QPagedPaintDevice;
class QPrinter;
class TRpPdfFile;

// What the user reads when a print could not begin, or its file was not
// written whole.
extern const QString kPrintFailedText;

class ERpPrintFailed : public std::runtime_error {
public:
    ERpPrintFailed();
};

// A print whose page range held none of the report's pages: nothing was
// printed, and no file was touched.
class ERpNothingInRange : public std::runtime_error {
public:
    explicit ERpNothingInRange(int pageCount);
    // What the user reads.
    QString Text() const { return QString::fromUtf8(what()); }
};

// A printer set up as the given one, for one document: the PDF writer of a
// printer that once met a full disk writes nothing again.
std::unique_ptr<QPrinter> PrinterLike(const QPrinter& printer);

class TRpPrintJob {
public:
    virtual ~TRpPrintJob() = default;

    // Where the document goes; false when the user declined (no document).
    virtual bool Prepare(const QString& title) = 0;
    // Starts the document on its first page.
    virtual bool Begin(const QString& title) = 0;
    virtual void NewPage() = 0;
    // False when the document was not written whole; a file it was to take
    // the place of stays as it was.
    virtual bool End() = 0;
    // Discards the document: nothing of it is printed.
    virtual void Abort() = 0;

    virtual QPainter& Painter() = 0;
    // The printable page in device pixels, and the device's resolution.
    virtual QSize PageSize() const = 0;
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
};

// A job on a Qt printer. With no printer installed the document goes to a PDF
// file the user chooses.
class TRpQPrinterJob : public TRpPrintJob {
public:
    explicit TRpQPrinterJob(QPrinter& printer);
    ~TRpQPrinterJob() override;

    bool Prepare(const QString& title) override;
    bool Begin(const QString& title) override;
    void NewPage() override;
    bool End() override;
    void Abort() override;
    QPainter& Painter() override { return painter_; }
    QSize PageSize() const override;
    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;

    // For a caller that paints the document with a painter of its own: Open
    // readies the device (false when it cannot be), and Close, once painted,
    // tells whether the document was written whole.
    bool Open(const QString& title);
    QPagedPaintDevice& Device();
    bool Close();

private:
    bool WritesPdfFile() const;

    QPrinter& printer_;
    std::unique_ptr<TRpPdfFile> pdf_;
    QPainter painter_;   // after the file, so that it ends before the file goes
};

namespace RpPdfOutput {
// Asks for the PDF file that stands in for a missing printer; empty: declined.
using Chooser = std::function<QString(const QString& title)>;
QString Choose(const QString& title);
// The name of the file first offered for a title.
QString FileNameFor(const QString& title);
// Another answerer in place of the file dialog; an empty chooser puts it back.
void InstallChooser(Chooser chooser);
}  // namespace RpPdfOutput
