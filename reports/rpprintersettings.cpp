#include "rpprintersettings.h"

#include "rpunits.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
int PixelsToNative(double pixels, int pixelsPerInch)
{
    return pixelsPerInch > 0 ? RpRound(pixels / pixelsPerInch * 254) : 0;
}

void MarkSupportedPapers(const QPrinter& printer, std::array<bool, kPaperSizeCount>& supported)
{
    const QPrinterInfo info(printer);
    if (printer.outputFormat() == QPrinter::PdfFormat || info.isNull()) {
        supported.fill(true);   // a PDF file takes any size
        return;
    }
    supported.fill(false);
    for (const QPageSize& size : info.supportedPageSizes()) {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        if (const auto paper = PaperSizeByMillimetres(mm.width(), mm.height()))
            supported[static_cast<size_t>(*paper)] = true;
    }
    supported[static_cast<size_t>(TRpPaperSize::Default)] = true;
}
}  // namespace

void TPrinterSettings::ReadFrom(const QPrinter& printer)
{
    device = printer.printerName();
    driver = printer.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("PDF") : printer.printerName();
    port = printer.outputFileName();
    pixelsPerX = printer.logicalDpiX();
    pixelsPerY = printer.logicalDpiY();
    copies = printer.copyCount();
    outputBin = BinByCode(static_cast<int>(printer.paperSource()) + 1);
    duplex = printer.duplex() != QPrinter::DuplexNone;
    orientation = printer.pageLayout().orientation();

    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    leftOffset = PixelsToNative(printable.left(), pixelsPerX);
    topOffset = PixelsToNative(printable.top(), pixelsPerY);

    const QSizeF portrait = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    paperSize = PaperSizeByMillimetres(portrait.width(), portrait.height()).value_or(TRpPaperSize::Default);
    paperWidth = RpRound(portrait.width() * 10);
    paperLength = RpRound(portrait.height() * 10);
    MarkSupportedPapers(printer, paperSupported);
}

void TPrinterSettings::WriteTo(QPrinter& printer) const
{
    if (paperSize == TRpPaperSize::Custom) {
        printer.setPageSize(QPageSize(QSizeF(paperWidth / 10.0, paperLength / 10.0), QPageSize::Millimeter,
                                      PaperSizeName(TRpPaperSize::Custom), QPageSize::ExactMatch));
    } else if (paperSize != TRpPaperSize::Default) {
        const TRpPaperInfo& paper = PaperInfo(paperSize);
        printer.setPageSize(QPageSize(QSizeF(paper.widthMM, paper.lengthMM), QPageSize::Millimeter));
    }
    printer.setCopyCount(copies);
    printer.setPaperSource(static_cast<QPrinter::PaperSource>(BinCode(outputBin) - 1));
    printer.setPageOrientation(orientation);
}
