#pragma once
// The chosen printer's settings, read from and written to the Qt printer.
#include "rppaper.h"

#include <QPageLayout>
#include <array>

class QPrinter;

// What a report keeps of its printing choices.
struct TRpPrinterSettings {
    int copies = 1;
    bool duplex = false;
    TRpBin outputBin = TRpBin::First;
    int firstPage = 0;   // 0: no limit
    int lastPage = 0;    // 0: no limit
    int printerIndex = -1;   // -1: the system's default printer
};
using TReportPrinterSettings = TRpPrinterSettings;

struct TPrinterSettings {
    QString device;
    QString driver;
    QString port;
    int copies = 1;
    bool duplex = false;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    TRpBin outputBin = TRpBin::First;
    TRpPaperSize paperSize = TRpPaperSize::A4;
    std::array<bool, kPaperSizeCount> paperSupported{};
    // Portrait paper and the printable area's offset from the paper edge, in 0.1 mm.
    int paperWidth = 0;
    int paperLength = 0;
    int pixelsPerX = 0;
    int pixelsPerY = 0;
    int topOffset = 0;
    int leftOffset = 0;

    void ReadFrom(const QPrinter& printer);
    // Before printing: paper, copies, bin and orientation.
    void WriteTo(QPrinter& printer) const;
};
