#pragma once
// What the two address print styles keep for as long as the program runs:
// the range, fonts and margins, the report's chosen fields and the card's
// printout size; and the checks that turn margins in inches into the box the
// pages are laid out in, in printer pixels.
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

enum class TAddrRange { CurrentName = 1, AllNames = 2, Category = 3 };

enum TMarginSide { kTopMargin, kBottomMargin, kLeftMargin, kRightMargin };

struct TAddrPrintSettings {
    TAddrRange range = TAddrRange::AllNames;
    QString fromLetter = QStringLiteral("A");
    QString toLetter = QStringLiteral("Z");
    qint32 categoryId = -1;   // -1: "All Categorys"
    QFont headingFont;
    QFont bodyFont;
    std::array<QString, 4> margins{QStringLiteral("0.5"), QStringLiteral("0.5"), QStringLiteral("0.5"),
                                   QStringLiteral("0.5")};
    qint32 bizId = 0;   // the business selected in the address book
};

// The report style's chosen fields, in their order.
QStringList ReportFieldCaptions();
QStringList DefaultReportFields();

struct TPrintoutSize {
    QString name;
    double width;       // inches
    double height;
    double allowance;   // inches the margin check allows beyond the paper
};
// In the order of the list.
const std::vector<TPrintoutSize>& PrintoutSizes();

struct TCardOptions {
    int sizeIndex = 0;
    bool newPagePerBusiness = false;
};

// Kept for the run of the program, one set per style.
TAddrPrintSettings& ReportStyleSettings();
TAddrPrintSettings& CardStyleSettings();
QStringList& ReportChosenFields();
TCardOptions& CardStyleOptions();

// The printer's page in its own pixels: the printable area and its offset
// from the paper's edge.
struct TPrinterPage {
    int ppiX = 0;
    int ppiY = 0;
    int offsetX = 0;
    int offsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;

    int PhysicalWidth() const { return printableWidth + 2 * offsetX; }
    int PhysicalHeight() const { return printableHeight + 2 * offsetY; }
};

// The margins in inches, or the message that refuses the first bad one.
struct TMarginCheck {
    std::array<double, 4> inches{};
    QString error;
};
TMarginCheck CheckMargins(const std::array<QString, 4>& margins);

// The message when the margins leave too little of the page; empty when they fit.
QString ReportMarginFit(const std::array<double, 4>& inches, const TPrinterPage& page);
QString CardMarginFit(const std::array<double, 4>& inches, const TPrintoutSize& size, const TPrinterPage& page);

// The box the pages are laid out in, from the printable origin.
QRect ReportContentBox(const std::array<double, 4>& inches, const TPrinterPage& page);
QRect CardContentBox(const std::array<double, 4>& inches, const TPrintoutSize& size, const TPrinterPage& page);
