// The address printouts' pages: the page count and what each page holds in
// both styles, cards that break across pages, the margins and the case in
// which nothing fits.
#include "organizer/addrpages.h"
#include "organizer/addrprintsettings.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int kPPI = 600;

TBizAddr Business(const QString& name)
{
    TBizAddr row;
    row.businessName = name;
    return row;
}

std::vector<TBizAddr> Businesses(int count)
{
    std::vector<TBizAddr> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(Business(QStringLiteral("Business %1").arg(i, 2, 10, QLatin1Char('0'))));
    return rows;
}

TAddrRun ReportRun(const QStringList& fields, const QRect& content)
{
    TAddrRun run;
    run.style = TAddrStyle::Report;
    run.printerPPI = kPPI;
    run.content = content;
    run.headingFont = QFont("DejaVu Sans", 12, QFont::Bold);
    run.bodyFont = QFont("DejaVu Serif", 10);
    run.fields = fields;
    return run;
}

// A content box just high enough for the rows.
QRect ReportBoxFor(int rows, const QStringList& fields)
{
    const TAddressPages probe(ReportRun(fields, QRect(0, 0, 4000, 60000)), {});
    const TReportLayout& r = probe.ReportLayout();
    const int g = r.g;
    const int height = r.headingLineHeight + int(std::nearbyint(1.5 * g)) + r.footerLineHeight + 2 * r.gInner
                       + rows * r.rowHeight + r.rowHeight / 2 + 1;
    return {300, 300, 4000, height};
}

TAddrRun CardRun(int usableLines, bool newPage)
{
    TAddrRun run;
    run.style = TAddrStyle::Card;
    run.printerPPI = kPPI;
    run.headingFont = QFont("DejaVu Sans", 12, QFont::Bold);
    run.bodyFont = QFont("DejaVu Serif", 10);
    run.newPagePerBusiness = newPage;
    run.content = QRect(0, 0, 1800, 60000);
    const TAddressPages probe(run, {});
    const TCardLayout& c = probe.CardLayout();
    // A heading and the body lines asked for, and half a line to spare.
    const int usable = c.HeadingStep() + usableLines * c.BodyStep() + c.BodyStep() / 2;
    run.content.setHeight(usable + c.footerLineHeight + int(std::nearbyint(0.5 * c.g)) + 1);
    return run;
}

TBizAddr WithLines(const QString& name, int phones, const QStringList& notes = {})
{
    TBizAddr row = Business(name);
    QString* values[] = {&row.contacts, &row.phone1, &row.phone2, &row.mobile, &row.pager, &row.fax};
    for (int i = 0; i < phones && i < 6; ++i)
        *values[i] = QStringLiteral("555-01%1").arg(i);
    row.note = notes;
    return row;
}

}  // namespace

TEST(ReportPages, FiveFieldsOfTenBusinessesAtNineRowsAPageMakeFourPages)
{
    const QStringList fields{"Business Name", "Phone 1", "Fax", "Address", "Email"};
    const TAddressPages pages(ReportRun(fields, ReportBoxFor(9, fields)), Businesses(10));
    ASSERT_TRUE(pages.Fits());
    ASSERT_EQ(pages.ReportLayout().rowsPerPage, 9);
    EXPECT_EQ(pages.ReportLayout().columnGroups, 2);
    ASSERT_EQ(pages.PageCount(), 3);
    const auto span = [&pages](int page) {
        const TReportPageSpan s = pages.ReportPage(page);
        return std::array<int, 4>{s.firstRow, s.rowCount, s.firstField, s.fieldCount};
    };
    EXPECT_EQ(span(0), (std::array<int, 4>{0, 9, 0, 4}));
    EXPECT_EQ(span(1), (std::array<int, 4>{0, 9, 4, 1}));
    EXPECT_EQ(span(2), (std::array<int, 4>{9, 1, 0, 4}));
    EXPECT_EQ(span(3), (std::array<int, 4>{9, 1, 4, 1}));

    // Nine businesses fill one block exactly; none leaves nothing to print.
    EXPECT_EQ(TAddressPages(ReportRun(fields, ReportBoxFor(9, fields)), Businesses(9)).PageCount(), 1);
    EXPECT_EQ(TAddressPages(ReportRun(fields, ReportBoxFor(9, fields)), {}).PageCount(), -1);
}

TEST(ReportPages, NothingFitsWithALargeFontOrWideMargins)
{
    const QStringList fields{"Business Name"};
    TAddrRun run = ReportRun(fields, QRect(0, 0, 4000, 1500));
    run.bodyFont.setPointSize(90);
    const TAddressPages pages(run, Businesses(3));
    EXPECT_FALSE(pages.Fits());
    EXPECT_EQ(pages.PageCount(), -1);
    EXPECT_FALSE(TAddressPages(ReportRun(fields, QRect(0, 0, 4000, 200)), Businesses(3)).Fits());
    EXPECT_FALSE(TAddressPages(ReportRun(fields, QRect(0, 0, 180, 6000)), Businesses(3)).Fits());
    // A card shorter than three heading steps never takes a business.
    EXPECT_FALSE(TAddressPages(CardRun(0, false), {WithLines("A", 1)}).Fits());
}

TEST(ReportCells, TheAddressTakesTwoLinesOnlyWithACityLineAndAMemoAtMostTwo)
{
    TBizAddr row = Business("O'Neil \"Family\" Clinic");
    row.addr = "12 Elm St.";
    EXPECT_EQ(ReportCellLines(row, "Address"), QStringList({"12 Elm St."}));
    row.state = "OR";
    row.zip = "97301";
    EXPECT_EQ(ReportCellLines(row, "Address"), QStringList({"12 Elm St.", "OR 97301"}));
    row.city = "Salem";
    EXPECT_EQ(ReportCellLines(row, "Address"), QStringList({"12 Elm St.", "Salem, OR 97301"}));
    row.mapDirection = {"North on 5th", "Left at the mill", "Second door"};
    EXPECT_EQ(ReportCellLines(row, "Map Direction"), QStringList({"North on 5th", "Left at the mill"}));
    EXPECT_EQ(ReportCellLines(row, "Business Name"), QStringList({"O'Neil \"Family\" Clinic"}));
    EXPECT_EQ(ReportFieldCaptions().size(), 13);
}

TEST(CardLines, LabelsValuesAndMemoContinuations)
{
    TBizAddr row = Business("Mercy Hospital");
    row.addr = "1 Main St.";
    row.webURL = "http://mercy.example/";
    row.opHours = {"Mon-Fri 8-5", "Sat 9-12", "Sun closed"};
    const std::vector<TCardLine> lines = CardLines(row);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0].Text(), "Mercy Hospital");
    EXPECT_EQ(lines[8].Text(), "WebUrl: http://mercy.example/");
    EXPECT_EQ(lines[9].Text(), "Address: 1 Main St.");
    EXPECT_EQ(lines[10].Text(), "Hours of Operation: Mon-Fri 8-5");
    EXPECT_EQ(lines[11].Text(), "     Sat 9-12");
    EXPECT_EQ(lines[12].Text(), "     Sun closed");
    row.city = "Salem";
    row.zip = "97301";
    EXPECT_EQ(CardLines(row)[9].Text(), "Address: 1 Main St., Salem, 97301");
}

TEST(CardPages, ABusinessRunsOnToTheNextCardWithoutItsHeading)
{
    // A card holds a heading and five lines; the businesses have 3, 6 and 0.
    const std::vector<TBizAddr> rows{WithLines("Alpha", 3), WithLines("Beta", 6), WithLines("Gamma", 0)};
    const TAddressPages pages(CardRun(5, false), rows);
    ASSERT_TRUE(pages.Fits());
    const TCardLayout& c = pages.CardLayout();
    // Alpha: heading + 3 lines; Beta's heading needs three heading steps and
    // does not get them, so it starts card 2; its sixth line goes to card 3.
    ASSERT_EQ(pages.CardPageStarts(),
              (std::vector<TCardPageStart>{{0, 0}, {1, 0}, {1, 6}}));
    EXPECT_EQ(pages.PageCount(), 2);
    const std::vector<TCardDrawn> third = pages.CardPage(2);
    ASSERT_EQ(third.size(), 2u);
    EXPECT_EQ(third[0].record, 1);
    EXPECT_EQ(third[0].line, 6);   // Beta's sixth line, no heading again
    EXPECT_EQ(third[0].top, c.bodyBottom - c.usableHeight);
    EXPECT_EQ(third[1].record, 2);
    EXPECT_EQ(third[1].line, 0);
    EXPECT_FALSE(third[1].atCardTop);
    EXPECT_TRUE(pages.CardPage(1).front().atCardTop);

    // Paging back and forward draws the same cards.
    const std::vector<TCardDrawn> first = pages.CardPage(0);
    pages.CardPage(2);
    EXPECT_EQ(pages.CardPage(0).size(), first.size());
    EXPECT_EQ(first.back().line, 3);
}

TEST(CardPages, StartOnANewPageGivesEveryBusinessItsOwnCard)
{
    const std::vector<TBizAddr> rows{WithLines("Alpha", 1), WithLines("Beta", 1), WithLines("Gamma", 1)};
    const TAddressPages continuous(CardRun(40, false), rows);
    EXPECT_EQ(continuous.PageCount(), 0);
    const TAddressPages separate(CardRun(40, true), rows);
    EXPECT_EQ(separate.PageCount(), 2);
    EXPECT_EQ(separate.CardPageStarts(), (std::vector<TCardPageStart>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(separate.CardPage(1).size(), 2u);
    EXPECT_EQ(TAddressPages(CardRun(40, true), {}).PageCount(), -1);
}

TEST(FittedLine, WholeWordsAndAnEllipsis)
{
    const QFont font("DejaVu Sans", 10);
    const QFontMetrics metrics(font);
    const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    // Two words that do not fit whole, while the first with " ..." does.
    EXPECT_EQ(FittedLine(metrics, width("Cardiology ...") + 1, "Cardiology Associates"), "Cardiology ...");
    // The last word fits when no " ..." follows it.
    EXPECT_EQ(FittedLine(metrics, width("Mercy Hospital") + 1, "Mercy Hospital"), "Mercy Hospital");
    EXPECT_EQ(FittedLine(metrics, width("St. Mary's Hospital") + 1, "St. Mary's Hospital East"), "St. Mary's ...");
    // A single word wider than the room is cut by the clip alone.
    EXPECT_EQ(FittedLine(metrics, 10, "Otorhinolaryngology"), "Otorhinolaryngology");
    EXPECT_EQ(FittedLine(metrics, 10, ""), "");
}

TEST(PrintSettings, MarginsAreNumbersNotNegativeAndLeaveRoom)
{
    EXPECT_EQ(CheckMargins({"0.5", "0.5", "-0.25", "0.5"}).error, "The negative margine is invalid.");
    EXPECT_EQ(CheckMargins({"0.5", "1/2", "0.5", "0.5"}).error,
              "1/2 is not a valid number. Please check and enter again.");
    const TMarginCheck fine = CheckMargins({"0.75", "0.5", "1", "0.29"});
    ASSERT_TRUE(fine.error.isEmpty());
    EXPECT_DOUBLE_EQ(fine.inches[kLeftMargin], 1.0);

    // Letter paper at 600 pixels per inch with a quarter inch unprintable.
    TPrinterPage letter{600, 600, 150, 150, 4800, 6300};
    const TPrintoutSize& pocket = PrintoutSizes()[3];
    ASSERT_EQ(pocket.name, "Pocket (3X5)");
    EXPECT_EQ(CardMarginFit({0.5, 0.5, 4, 4}, pocket, letter),
              "Left/right Margins too wide.  Hearth Journal cannot fit the selected printout size into the "
              "pre-selected page size or page orientation.");
    EXPECT_TRUE(CardMarginFit({0.5, 0.5, 0.5, 0.5}, pocket, letter).isEmpty());
    EXPECT_EQ(ReportMarginFit({3, 3.5, 0.5, 0.5}, letter),
              "Top/bottom Margins too wide.  Please make it narrower.");
    EXPECT_EQ(ReportMarginFit({0.5, 0.5, 3, 2.6}, letter), "Left/right Margins too wide.  Please make it narrower.");
    // Margins far beyond any paper are refused, not carried past the pixel count's range.
    const TMarginCheck vast = CheckMargins({"0.5", "0.5", "10000000", "0.5"});
    ASSERT_TRUE(vast.error.isEmpty());
    EXPECT_EQ(ReportMarginFit(vast.inches, letter), "Left/right Margins too wide.  Please make it narrower.");
    EXPECT_EQ(CardMarginFit({1e9, 0.5, 0.5, 0.5}, pocket, letter),
              "Top/bottom Margins too wide.  Hearth Journal cannot fit the selected printout size into the "
              "pre-selected page size or page orientation.");
    EXPECT_EQ(ReportContentBox({0.5, 0.5, 1, 0.5}, letter), QRect(450, 150, 4800 - 2 - 450 - 150, 6300 - 2 - 150 - 150));
    EXPECT_EQ(CardContentBox({0.5, 0.5, 0.5, 0.5}, pocket, letter), QRect(150, 150, 1800, 3000));
    EXPECT_EQ(PrintoutSizes().size(), 16u);
}

TEST(AddressFooter, NamesTheDayAndTheTime)
{
    EXPECT_EQ(AddressFooterText(QDateTime(QDate(2024, 2, 29), QTime(0, 59))).toStdString(),
              "Printed by Hearth on Thursday, February 29, 2024 at 12:59 am .");
    EXPECT_EQ(AddressFooterText(QDateTime(QDate(2024, 2, 29), QTime(14, 5))).toStdString(),
              "Printed by Hearth on Thursday, February 29, 2024 at 02:05 pm .");
}

TEST(PageDrawing, TheProgressRisesByThirdsOnAReportPageAndByQuartersOnACard)
{
    QImage image(900, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    const QStringList fields{"Business Name", "Phone 1"};
    const TAddressPages report(ReportRun(fields, ReportBoxFor(9, fields)), Businesses(3));
    QList<int> steps;
    report.DrawPage(painter, 2.0, 0, 100, [&steps](int points) { steps << points; });
    EXPECT_EQ(steps, QList<int>({33, 33, 33}));
    steps.clear();
    const TAddressPages cards(CardRun(5, false), {WithLines("Alpha", 2)});
    cards.DrawPage(painter, 2.0, 0, 50, [&steps](int points) { steps << points; });
    EXPECT_EQ(steps, QList<int>({12, 12, 12, 14}));
    // A page beyond the last draws nothing.
    steps.clear();
    cards.DrawPage(painter, 2.0, 1, 100, [&steps](int points) { steps << points; });
    EXPECT_TRUE(steps.isEmpty());
}
