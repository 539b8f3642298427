#include "addrprintsettings.h"

#include <QtMath>
#include <algorithm>

namespace {

QFont MakeFont(const QString& family, int points, bool bold)
{
    QFont font(family, points);
    font.setBold(bold);
    return font;
}

TAddrPrintSettings DefaultSettings()
{
    TAddrPrintSettings settings;
    settings.headingFont = MakeFont(QStringLiteral("Arial"), 12, true);
    settings.bodyFont = MakeFont(QStringLiteral("Times New Roman"), 10, false);
    return settings;
}

// A margin typed in the millions of inches is still a length the checks can
// refuse: the count stops far beyond any paper, inside the range of an int.
int Pixels(double inches, int ppi)
{
    constexpr double kBeyondAnyPaper = 1e9;
    return qRound(std::clamp(inches * ppi, -kBeyondAnyPaper, kBeyondAnyPaper));
}

// One side of the card box: the card's length, cut to the printable length
// and to what the far margin leaves.
int CardLength(int cardLength, int nearEdge, int farMargin, int offset, int printable)
{
    int length = std::min(cardLength, printable - 2 - nearEdge);
    if (farMargin > offset && printable - (farMargin - offset) < nearEdge + length)
        length -= farMargin - offset;
    return length;
}

}  // namespace

QStringList ReportFieldCaptions()
{
    return {QStringLiteral("Business Name"), QStringLiteral("Contact Person"), QStringLiteral("Phone 1"),
            QStringLiteral("Phone 2"),       QStringLiteral("Mobile"),         QStringLiteral("Pager"),
            QStringLiteral("Fax"),           QStringLiteral("Email"),          QStringLiteral("Web URL"),
            QStringLiteral("Address"),       QStringLiteral("Hours of Operation"), QStringLiteral("Map Direction"),
            QStringLiteral("Notes")};
}

QStringList DefaultReportFields()
{
    return {QStringLiteral("Business Name"), QStringLiteral("Phone 1"), QStringLiteral("Fax"),
            QStringLiteral("Address")};
}

const std::vector<TPrintoutSize>& PrintoutSizes()
{
    static const std::vector<TPrintoutSize> sizes{
        {QStringLiteral("Letter (8.5X11)"), 8.5, 11, 1.5},
        {QStringLiteral("Letter Half (5.5X8.5)"), 5.5, 8.5, 0},
        {QStringLiteral("Bilfold (3.75X6.75)"), 3.75, 6.75, 0},
        {QStringLiteral("Pocket (3X5)"), 3, 5, 0},
        {QStringLiteral("At-A-Glance Passport (3.75X6.75)"), 3.75, 6.75, 0},
        {QStringLiteral("At-A-Glance Companion (5.5X8.5)"), 5.5, 8.5, 0},
        {QStringLiteral("At-A-Glance Folio (8.5X11)"), 8.5, 11, 1.5},
        {QStringLiteral("Day Runner Running Mate (3.75X6.75)"), 3.75, 6.75, 0},
        {QStringLiteral("Day Runner Classic (5.5X8.5)"), 5.5, 8.5, 0},
        {QStringLiteral("Day Runner EntrePreneur (8.5X11)"), 8.5, 11, 1.5},
        {QStringLiteral("Day-Timer Sr. Pocket (3.75X6.75)"), 3.75, 6.75, 0},
        {QStringLiteral("Day-Timer Sr. Desk (8.5X11)"), 8.5, 11, 1.5},
        {QStringLiteral("Day-Timer Jr. Pocket (3X5)"), 3, 5, 0},
        {QStringLiteral("Day-Timer Jr. Desk (5.5X8.5)"), 5.5, 8.5, 0},
        {QStringLiteral("Franklin Classic (5.5X8.5)"), 5.5, 8.5, 0},
        {QStringLiteral("Franklin Monarch (8.5X11)"), 8.5, 11, 1.5},
    };
    return sizes;
}

TAddrPrintSettings& ReportStyleSettings()
{
    static TAddrPrintSettings settings = DefaultSettings();
    return settings;
}

TAddrPrintSettings& CardStyleSettings()
{
    static TAddrPrintSettings settings = DefaultSettings();
    return settings;
}

QStringList& ReportChosenFields()
{
    static QStringList chosen = DefaultReportFields();
    return chosen;
}

TCardOptions& CardStyleOptions()
{
    static TCardOptions options;
    return options;
}

TMarginCheck CheckMargins(const std::array<QString, 4>& margins)
{
    TMarginCheck check;
    for (size_t side = 0; side < margins.size(); ++side) {
        bool number = false;
        const double inches = margins[side].trimmed().toDouble(&number);
        if (!number || !qIsFinite(inches)) {
            check.error = margins[side] + QStringLiteral(" is not a valid number. ") +
                          QStringLiteral("Please check and enter again.");
            return check;
        }
        if (inches < 0) {
            check.error = QStringLiteral("The negative margine is invalid.");
            return check;
        }
        check.inches[side] = inches;
    }
    return check;
}

QString ReportMarginFit(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    if (Pixels(3 + inches[kLeftMargin] + inches[kRightMargin], page.ppiX) > page.PhysicalWidth())
        return QStringLiteral("Left/right Margins too wide.  Please make it narrower.");
    if (Pixels(5 + inches[kTopMargin] + inches[kBottomMargin], page.ppiY) > page.PhysicalHeight())
        return QStringLiteral("Top/bottom Margins too wide.  Please make it narrower.");
    return {};
}

QString CardMarginFit(const std::array<double, 4>& inches, const TPrintoutSize& size, const TPrinterPage& page)
{
    const QString cannotFit = QStringLiteral(
        "Margins too wide.  Hearth Journal cannot fit the selected printout size into the pre-selected page size "
        "or page orientation.");
    if (Pixels(size.width + inches[kLeftMargin] + inches[kRightMargin], page.ppiX)
        > page.PhysicalWidth() + Pixels(size.allowance, page.ppiX))
        return QStringLiteral("Left/right ") + cannotFit;
    if (Pixels(size.height + inches[kTopMargin] + inches[kBottomMargin], page.ppiY)
        > page.PhysicalHeight() + Pixels(size.allowance, page.ppiY))
        return QStringLiteral("Top/bottom ") + cannotFit;
    return {};
}

QRect ReportContentBox(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    const int left = std::max(0, Pixels(inches[kLeftMargin], page.ppiX) - page.offsetX);
    const int top = std::max(0, Pixels(inches[kTopMargin], page.ppiY) - page.offsetY);
    const int width = page.printableWidth - 2 - left - (Pixels(inches[kRightMargin], page.ppiX) - page.offsetX);
    const int height = page.printableHeight - 2 - top - (Pixels(inches[kBottomMargin], page.ppiY) - page.offsetY);
    return {left, top, width, height};
}

QRect CardContentBox(const std::array<double, 4>& inches, const TPrintoutSize& size, const TPrinterPage& page)
{
    const int left = std::max(0, Pixels(inches[kLeftMargin], page.ppiX) - page.offsetX);
    const int top = std::max(0, Pixels(inches[kTopMargin], page.ppiY) - page.offsetY);
    const int width = CardLength(Pixels(size.width, page.ppiX), left, Pixels(inches[kRightMargin], page.ppiX),
                                 page.offsetX, page.printableWidth);
    const int height = CardLength(Pixels(size.height, page.ppiY), top, Pixels(inches[kBottomMargin], page.ppiY),
                                  page.offsetY, page.printableHeight);
    return {left, top, width, height};
}
