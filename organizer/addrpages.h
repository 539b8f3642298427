#pragma once
// The pages of the address printouts, laid out by the address book itself:
// a ruled table of at most four fields per page (report style), or planner
// cards on which the businesses run on (card style). Every length is in
// printer pixels; one drawing routine paints the preview and the printer,
// dividing by the zoom only as it draws.
#include "addrprintsettings.h"
#include "records/common/bizaddr.h"

#include <QDateTime>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <functional>
#include <vector>

class QFontMetrics;
class QPainter;

enum class TAddrStyle { Report = 1, Card = 2 };

// The businesses of the range, by name; the current name and the category
// are bound values.
std::vector<TBizAddr> ReadAddressRows(TAddrRange range, qint32 bizId, qint32 categoryId);

// "Printed by Hearth on Monday, December 7, 2026 at 02:05 pm."
QString AddressFooterText(const QDateTime& printed);

// The text of a report cell: one line, or two.
QStringList ReportCellLines(const TBizAddr& row, const QString& caption);

// One entry of a business on a card; entries with an empty value are neither
// drawn nor given room, but keep their number.
struct TCardLine {
    enum class Kind { Heading, Labelled, Continuation };
    Kind kind = Kind::Labelled;
    QString label;
    QString value;

    QString Text() const;
};
std::vector<TCardLine> CardLines(const TBizAddr& row);

// As much of the text as is narrower than the width: whole words, and
// " ..." when some are left out; a first word alone is never cut.
QString FittedLine(const QFontMetrics& metrics, int width, const QString& text);
// Draws the fitted text in the rectangle (canvas units), clipped to it.
void FitLine(QPainter& painter, const QRect& rect, const QString& text);

struct TAddrRun {
    TAddrStyle style = TAddrStyle::Report;
    int printerPPI = 0;
    // From the printable origin; width and height each less one pixel.
    QRect content;
    QFont headingFont;
    QFont bodyFont;
    QStringList fields;            // report style: the chosen captions
    bool newPagePerBusiness = false;   // card style
    QDateTime printed;
};

struct TReportLayout {
    int columnGroups = 0;
    int headingLineHeight = 0;
    int columnWidth = 0;
    int bodyLineHeight = 0;
    int footerLineHeight = 0;
    int rowsPerPage = 0;
    int rowHeight = 0;
    int tableLeft = 0;
    int tableTop = 0;
    int tableRight = 0;
    int tableBottom = 0;
    int g = 0;
    int gInner = 0;
};

struct TCardLayout {
    bool newPage = false;
    int headingLineHeight = 0;
    int bodyLineHeight = 0;
    int footerLineHeight = 0;
    int cardLeft = 0;
    int cardTop = 0;
    int cardRight = 0;
    int bodyBottom = 0;
    int usableHeight = 0;
    int g = 0;
    int g2 = 0;

    int HeadingStep() const { return headingLineHeight + g; }
    int BodyStep() const { return bodyLineHeight + g2; }
};

// Where a report page's rows and fields begin, and how many it holds.
struct TReportPageSpan {
    int firstRow = 0;
    int rowCount = 0;
    int firstField = 0;
    int fieldCount = 0;
};

// Where a card page begins: the business and its first entry on the page.
struct TCardPageStart {
    int record = 0;
    int line = 0;
    friend bool operator==(const TCardPageStart&, const TCardPageStart&) = default;
};

// An entry drawn on a card page, with the top of its band.
struct TCardDrawn {
    int record = 0;
    int line = 0;
    int top = 0;
    int step = 0;
    bool atCardTop = false;
};

class TAddressPages {
public:
    TAddressPages(const TAddrRun& run, std::vector<TBizAddr> rows);

    // False when not even one row (or card entry) fits on a page.
    bool Fits() const { return fits_; }
    // The index of the last page; -1 when there is nothing to print.
    int PageCount() const { return pageCount_; }
    const TReportLayout& ReportLayout() const { return report_; }
    const TCardLayout& CardLayout() const { return card_; }

    TReportPageSpan ReportPage(int page) const;
    const std::vector<TCardPageStart>& CardPageStarts() const { return cardStarts_; }
    std::vector<TCardDrawn> CardPage(int page) const;

    // Raises a progress meter by a part of the page's share as drawing goes on.
    using TAdvance = std::function<void(int points)>;

    // Paints the page on the canvas; lengths are divided by the zoom. The
    // parts handed to Advance add up to the share: a report page in thirds,
    // a card page in quarters.
    void DrawPage(QPainter& painter, double zoom, int page, int share = 100, const TAdvance& advance = {}) const;

private:
    void LayOutReport();
    void LayOutCards();
    void DrawReportPage(QPainter& painter, double zoom, int page, int share, const TAdvance& advance) const;
    void DrawCardPage(QPainter& painter, double zoom, int page, int share, const TAdvance& advance) const;
    void DrawFooter(QPainter& painter, double zoom, double left, double top, double right, double bottom) const;

    TAddrRun run_;
    std::vector<TBizAddr> rows_;
    std::vector<std::vector<TCardLine>> cardLines_;
    TReportLayout report_;
    TCardLayout card_;
    std::vector<TCardPageStart> cardStarts_;
    bool fits_ = false;
    int pageCount_ = -1;
};

// Lengths measured on the screen and scaled to the printer.
int ScaledLineHeight(const QFont& font, int printerPPI);
int ScreenPPI();
QFont AddressFooterFont();
