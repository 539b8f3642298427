#pragma once
// One printed document on the output device. The report printer reaches the
// device only through this, so tests can watch what a print run does.
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;

class TRpPrintJob {
public:
    virtual ~TRpPrintJob() = default;

    // Where the document goes; false when the user declined (no document).
    virtual bool Prepare(const QString& title) = 0;
    // Starts the document on its first page.
    virtual bool Begin(const QString& title) = 0;
    virtual void NewPage() = 0;
    virtual void End() = 0;
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

    bool Prepare(const QString& title) override;
    bool Begin(const QString& title) override;
    void NewPage() override;
    void End() override;
    void Abort() override;
    QPainter& Painter() override { return painter_; }
    QSize PageSize() const override;
    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;

private:
    QPrinter& printer_;
    QPainter painter_;
};

namespace RpPdfOutput {
// Asks for the PDF file that stands in for a missing printer; empty: declined.
using Chooser = std::function<QString(const QString& title)>;
QString Choose(const QString& title);
// Another answerer in place of the file dialog; an empty chooser puts it back.
void InstallChooser(Chooser chooser);
}  // namespace RpPdfOutput
