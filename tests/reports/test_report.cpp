// The report run: bands in order with groups, page and column breaks by the
// space left, header and footer options, empty data, landscape pages,
// forced breaks, sub-details, child bands and the run's events.
#include "pagesupport.h"
#include "reportforms.h"

#include "reports/rpprinter.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

QStringList Names(int from, int to)
{
    QStringList names;
    for (int n = from; n <= to; ++n)
        names.append(QStringLiteral("Row %1").arg(n));
    return names;
}

TEST(ReportRun, PrintsTitleGroupsDetailsFootersAndSummaryInOrder)
{
    ReportForm form;
    form.Label(form.Band(TRpBandType::rbPageHeader, 100), QStringLiteral("Header"));
    form.Label(form.Band(TRpBandType::rbTitle, 100), QStringLiteral("Title"));
    TRpGroup& outer = form.Group(QStringLiteral("Category"));
    form.Expression(outer, QStringLiteral("'H:'+Category"));
    TRpGroup& inner = form.Group(QStringLiteral("[Sub]"));
    form.Expression(inner, QStringLiteral("'h:'+Sub"));
    form.Field(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("Name"));
    // Footers show the last record of the group they close.
    form.Expression(form.GroupFooter(inner), QStringLiteral("'f:'+Sub+' last '+Name"));
    form.Expression(form.GroupFooter(outer), QStringLiteral("'F:'+Category+' last '+Name"));
    form.Label(form.Band(TRpBandType::rbSummary, 100), QStringLiteral("Summary"));
    form.PageNumber(form.Band(TRpBandType::rbPageFooter, 100));

    const ExportRun run = Export(form.report);

    EXPECT_EQ(run.Texts(), QStringList({"Header", "Title", "H:A", "h:A1", "Ann", "Bob", "f:A1 last Bob", "h:A2",
                                        "Cid", "f:A2 last Cid", "F:A last Cid", "H:B", "h:B1", "Dee", "Eve",
                                        "f:B1 last Eve", "F:B last Eve", "Summary", "Page 1"}));
    EXPECT_EQ(run.pages, 1);
    EXPECT_EQ(run.starts, 1);
    EXPECT_EQ(run.endedPages, 1);
    EXPECT_EQ(run.finishes, 1);
    EXPECT_TRUE(form.report.Available());
    EXPECT_EQ(form.report.Units(), TRpUnit::Native);
}

TEST(ReportRun, BreaksPagesWhereTheNextBandNoLongerFits)
{
    ReportForm form(ReportForm::NumberedRows(60));
    form.ListForm();

    const ExportRun run = Export(form.report);

    // A4: 2970 long; 100 margins, header and footer leave 200..2670 for rows of 100.
    ASSERT_EQ(run.pages, 3);
    EXPECT_EQ(run.Texts(1), QStringList({"Header"}) + Names(1, 25) + QStringList({"Page 1"}));
    EXPECT_EQ(run.Texts(2), QStringList({"Header"}) + Names(26, 50) + QStringList({"Page 2"}));
    EXPECT_EQ(run.Texts(3), QStringList({"Header"}) + Names(51, 60) + QStringList({"Page 3"}));
    EXPECT_DOUBLE_EQ(run.Find("Row 25")->y, 2600);
    EXPECT_DOUBLE_EQ(run.Find("Page 1")->y, 2770);   // the footer sits on the bottom margin
}

TEST(ReportRun, ABandExactlyAsTallAsTheSpaceLeftGoesToTheNextPage)
{
    ReportForm form(ReportForm::NumberedRows(4));
    form.CustomPage(2000, 1000);
    form.report.Page().SetTopMargin(0);
    form.report.Page().SetBottomMargin(0);
    form.Field(form.Band(TRpBandType::rbDetail, 250), QStringLiteral("Name"));

    const ExportRun run = Export(form.report);

    EXPECT_EQ(run.Texts(1), Names(1, 3));
    EXPECT_EQ(run.Texts(2), Names(4, 4));
}

TEST(ReportRun, FirstPageHeaderAndLastPageFooterOptions)
{
    ReportForm form(ReportForm::NumberedRows(30));
    form.ListForm();
    form.report.Options().firstPageHeader = false;
    form.report.Options().lastPageFooter = false;

    const ExportRun run = Export(form.report);

    ASSERT_EQ(run.pages, 2);
    EXPECT_FALSE(run.Texts(1).contains("Header"));
    EXPECT_TRUE(run.Texts(1).contains("Page 1"));
    EXPECT_TRUE(run.Texts(2).contains("Header"));
    EXPECT_FALSE(run.Texts(2).contains("Page 2"));
    // Without the first page's header the rows start at the top margin.
    EXPECT_DOUBLE_EQ(run.Find("Row 1")->y, 100);
}

TEST(ReportRun, AnEmptyDataSetStillGivesTheFirstPage)
{
    ReportForm form(ReportForm::NoRows());
    form.ListForm();
    form.Label(form.Band(TRpBandType::rbTitle, 100), QStringLiteral("Title"));
    form.Label(form.Band(TRpBandType::rbSummary, 100), QStringLiteral("Summary"));

    const ExportRun run = Export(form.report);
    EXPECT_EQ(run.pages, 1);
    EXPECT_EQ(run.Texts(), QStringList({"Header", "Page 1"}));
    EXPECT_EQ(PreviewPages(form.report).size(), 1u);

    form.report.SetPrintIfEmpty(true);
    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Header", "Title", "Summary", "Page 1"}));
}

TEST(ReportRun, WithoutDataOnlyPrintIfEmptyPrintsTitleAndSummary)
{
    ReportForm form;
    form.report.SetDataSet(nullptr);
    form.Label(form.Band(TRpBandType::rbTitle, 100), QStringLiteral("Title"));
    form.Label(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("Detail"));
    form.Label(form.Band(TRpBandType::rbSummary, 100), QStringLiteral("Summary"));

    EXPECT_EQ(Export(form.report).Texts(), QStringList());
    form.report.SetPrintIfEmpty(true);
    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Title", "Summary"}));
}

TEST(ReportRun, LandscapePagesUseTheOrientedPageLength)
{
    ReportForm form(ReportForm::NumberedRows(40));
    form.report.Page().SetPaperSize(TRpPaperSize::Letter);
    form.report.Page().SetOrientation(QPageLayout::Landscape);
    form.ListForm();
    TRpCustomBand& bottom = form.Band(TRpBandType::rbSummary, 100);
    bottom.SetAlignToBottom(true);
    form.Label(bottom, QStringLiteral("Bottom"));

    const ExportRun run = Export(form.report);

    EXPECT_EQ(run.paper, QSize(2794, 2159));
    // Letter across: 2159 long, so rows of 100 stand from 200 to 1800.
    ASSERT_EQ(run.pages, 3);
    EXPECT_EQ(run.Texts(1), QStringList({"Header"}) + Names(1, 17) + QStringList({"Page 1"}));
    for (const ExportedText& text : run.texts)
        EXPECT_LE(text.y + 100, 2159 - 100) << text.text.toStdString();
    EXPECT_DOUBLE_EQ(run.Find("Page 3")->y, 1959);
    EXPECT_DOUBLE_EQ(run.Find("Bottom")->y, 1859);
}

TEST(ReportRun, TheFirstForcedNewPageOnPageOneDoesNotBreak)
{
    ReportForm form;
    form.ListForm();
    TRpGroup& group = form.Group(QStringLiteral("Category"));
    group.SetForceNewPage(true);
    form.Expression(group, QStringLiteral("Category"));

    const ExportRun run = Export(form.report);

    ASSERT_EQ(run.pages, 2);
    EXPECT_EQ(run.Texts(1), QStringList({"Header", "A", "Ann", "Bob", "Cid", "Page 1"}));
    EXPECT_EQ(run.Texts(2), QStringList({"Header", "B", "Dee", "Eve", "Page 2"}));
}

TEST(ReportRun, ColumnsFillSideBySideBeforeTheNextPage)
{
    ReportForm form(ReportForm::NumberedRows(7));
    form.CustomPage(2100, 600);
    form.report.Page().SetColumns(2);
    form.report.Page().SetColumnSpace(100);
    form.Label(form.Band(TRpBandType::rbColumnHeader, 100), QStringLiteral("Names"));
    form.Field(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("Name"));

    const ExportRun run = Export(form.report);

    // 300 of space below the column header: two rows a column.
    EXPECT_EQ(run.Texts(1), QStringList({"Names", "Row 1", "Row 2", "Names", "Row 3", "Row 4"}));
    EXPECT_EQ(run.Texts(2), QStringList({"Names", "Row 5", "Row 6", "Names", "Row 7"}));
    EXPECT_DOUBLE_EQ(run.Find("Row 1")->x, 100);
    EXPECT_DOUBLE_EQ(run.Find("Row 3")->x, 100 + 900 + 100);   // column width (2100 - 200 - 100) / 2
    EXPECT_DOUBLE_EQ(run.Find("Row 3")->y, 200);
}

TEST(ReportRun, SubDetailsRunBeforeOrAfterEachMasterRecord)
{
    ReportForm form({{"A", "A1", "Ann", 1.0, 1, 0.0}, {"B", "B1", "Bob", 2.0, 2, 0.0}});
    MemoryDataSet notes(QStringLiteral("Notes"), {{QStringLiteral("Note"), TFieldType::String}},
                        {{"n1"}, {"n2"}});
    form.Field(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("Name"));
    TRpSubDetail& sub = form.report.AddSubDetail();
    sub.Size().SetHeight(100);
    sub.Controller().SetDataSet(&notes);
    TRpDBText& note = form.Place<TRpDBText>(sub);
    note.SetDataSet(&notes);
    note.SetDataField(QStringLiteral("Note"));
    TRpCustomBand& subHeader = form.Band(TRpBandType::rbDetail, 100);
    sub.SetHeaderBand(&subHeader);
    form.Label(subHeader, QStringLiteral("Notes of"));

    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Ann", "Notes of", "n1", "n2", "Bob", "Notes of", "n1", "n2"}));

    sub.Controller().SetPrintBefore(true);
    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Notes of", "n1", "n2", "Ann", "Notes of", "n1", "n2", "Bob"}));
}

TEST(ReportRun, AControllerCannotBecomeItsOwnMaster)
{
    TReport report;
    TRpSubDetail& first = report.AddSubDetail();
    TRpSubDetail& second = report.AddSubDetail();
    EXPECT_TRUE(second.SetMaster(&first));
    EXPECT_FALSE(first.SetMaster(&second));
    EXPECT_EQ(first.Master(), &report);
    EXPECT_FALSE(first.SetMaster(&first));
}

TEST(ReportRun, OnNeedDataSuppliesRecordsWithoutADataSet)
{
    ReportForm form;
    form.report.SetDataSet(nullptr);
    TRpLabel& line = form.Label(form.Band(TRpBandType::rbDetail, 100), QString());
    int supplied = 0;
    form.report.OnNeedData = [&](TRpControllerHost&, bool& more) {
        more = supplied < 3;
        line.SetCaption(QStringLiteral("Record %1").arg(++supplied));
    };

    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Record 1", "Record 2", "Record 3"}));
}

TEST(ReportRun, ChildBandsFollowTheirParentAndCountInThePageFooter)
{
    ReportForm form(ReportForm::NumberedRows(2));
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 100);
    form.Field(detail, QStringLiteral("Name"));
    detail.SetHasChild(true);
    form.Label(*detail.ChildBand(), QStringLiteral("child"));
    detail.ChildBand()->Size().SetHeight(100);
    TRpCustomBand& footer = form.Band(TRpBandType::rbPageFooter, 100);
    form.PageNumber(footer);
    footer.SetHasChild(true);
    footer.ChildBand()->Size().SetHeight(100);
    form.Label(*footer.ChildBand(), QStringLiteral("footer child"));

    const ExportRun run = Export(form.report);

    EXPECT_EQ(run.Texts(), QStringList({"Row 1", "child", "Row 2", "child", "Page 1", "footer child"}));
    EXPECT_DOUBLE_EQ(run.Find("Page 1")->y, 2970 - 100 - 200);
    EXPECT_DOUBLE_EQ(run.Find("footer child")->y, 2970 - 100 - 100);
    EXPECT_EQ(detail.ChildBand()->BandType(), TRpBandType::rbChild);

    detail.SetHasChild(false);
    EXPECT_EQ(detail.ChildBand(), nullptr);
    EXPECT_EQ(Export(form.report).Texts(), QStringList({"Row 1", "Row 2", "Page 1", "footer child"}));
}

TEST(ReportRun, BandsCanBeSkippedSwitchedOffAndResizedBetweenRuns)
{
    ReportForm form;
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 100);
    TRpDBText& name = form.Field(detail, QStringLiteral("Name"));
    TRpLabel& extra = form.Label(detail, QStringLiteral("extra"));
    QStringList afterPrint;
    detail.BeforePrint = [&form](TRpCustomBand&, bool& printIt) {
        printIt = form.data.FieldByName(QStringLiteral("Name")).AsString() != "Bob";
    };
    detail.AfterPrint = [&](TRpCustomBand&, bool printed) {
        afterPrint.append(form.data.FieldByName(QStringLiteral("Name")).AsString() + (printed ? "+" : "-"));
    };
    extra.SetEnabled(false);
    detail.Size().SetHeight(300);
    name.MoveTo(200, 50);

    const ExportRun run = Export(form.report);

    EXPECT_EQ(run.Texts(), QStringList({"Ann", "Cid", "Dee", "Eve"}));
    EXPECT_EQ(afterPrint, QStringList({"Ann+", "Bob-", "Cid+", "Dee+", "Eve+"}));
    EXPECT_DOUBLE_EQ(run.Find("Cid")->y, 100 + 300 + 50);
    EXPECT_DOUBLE_EQ(run.Find("Cid")->x, 100 + 200);
}

TEST(ReportRun, BeforePrintMayCancelTheWholeRun)
{
    ReportForm form;
    form.ListForm();
    form.report.BeforePrint = [](TReport&, bool& printReport) { printReport = false; };
    const ExportRun run = Export(form.report);
    EXPECT_EQ(run.starts, 0);
    EXPECT_TRUE(run.texts.empty());
}

TEST(ReportRun, StartAndEndOfEachPageAreRaised)
{
    ReportForm form(ReportForm::NumberedRows(30));
    form.ListForm();
    QStringList events;
    form.report.OnStartPage = [&](TReport& r) { events.append(QStringLiteral("start %1").arg(r.PageNumber())); };
    form.report.OnEndPage = [&](TReport& r) { events.append(QStringLiteral("end %1").arg(r.PageNumber())); };
    Export(form.report);
    EXPECT_EQ(events, QStringList({"start 1", "end 1", "start 2", "end 2"}));
}

TEST(ReportRun, AFailingRunLeavesTheReportReadyInItsOwnUnits)
{
    ReportForm form;
    form.report.SetUnits(TRpUnit::MM);
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 10);
    detail.BeforePrint = [](TRpCustomBand&, bool&) { throw std::runtime_error("broken"); };
    RecordingFilter filter;
    EXPECT_THROW(form.report.ExportToFilter(filter), std::runtime_error);
    EXPECT_EQ(filter.run.starts, 1);
    EXPECT_TRUE(form.report.Available());
    EXPECT_EQ(form.report.Units(), TRpUnit::MM);
    EXPECT_DOUBLE_EQ(detail.Size().Height(), 10);
    EXPECT_TRUE(form.report.ReportDataSets().empty());
}

TEST(ReportRun, ARunInProgressIgnoresFurtherRequests)
{
    ReportForm form;
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 100);
    form.Field(detail, QStringLiteral("Name"));
    int nestedStarts = 0;
    detail.BeforePrint = [&](TRpCustomBand&, bool&) {
        RecordingFilter nested;
        form.report.ExportToFilter(nested);
        form.report.Preview();
        nestedStarts += nested.run.starts;
    };
    EXPECT_EQ(Export(form.report).Texts().size(), 5);
    EXPECT_EQ(nestedStarts, 0);
}

TEST(ReportRun, PreviewReportsProgressAndFinishedPages)
{
    ReportForm form(ReportForm::NumberedRows(40));
    form.ListForm();
    PrinterMessages catcher;
    const auto pages = PreviewPages(form.report, &catcher);

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(PageTexts(*pages[1]), QStringList({"Header"}) + Names(26, 40) + QStringList({"Page 2"}));
    ASSERT_FALSE(catcher.progress.isEmpty());
    EXPECT_EQ(catcher.progress.first(), 2);   // 1 of 40 records
    EXPECT_EQ(catcher.progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(catcher.progress.begin(), catcher.progress.end()));
    EXPECT_EQ(catcher.pages, QList<int>({1, 2}));
}

TEST(ReportRun, WithoutItsOwnDataSetNoProgressIsSent)
{
    ReportForm form;
    form.report.SetDataSet(nullptr);
    form.Label(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("line"));
    int supplied = 0;
    form.report.OnNeedData = [&](TRpControllerHost&, bool& more) { more = ++supplied <= 2; };
    PrinterMessages catcher;
    EXPECT_EQ(PreviewPages(form.report, &catcher).size(), 1u);
    EXPECT_TRUE(catcher.progress.isEmpty());
}

TEST(ReportRun, StandardBandsBySwitchAndByNumber)
{
    TReport report;
    report.Bands().SetHasTitle(true);
    report.Bands().SetHasDetail(true);
    report.Bands().SetHasPageFooter(true);
    EXPECT_EQ(report.BandList().size(), 3u);
    EXPECT_EQ(report.Bands().Band(1)->BandType(), TRpBandType::rbTitle);
    EXPECT_EQ(report.Bands().Band(4)->BandType(), TRpBandType::rbDetail);
    EXPECT_EQ(report.Bands().Band(5), nullptr);
    EXPECT_EQ(report.Bands().Band(6)->BandType(), TRpBandType::rbPageFooter);
    EXPECT_EQ(report.Bands().Band(7), nullptr);
    report.Bands().SetHasTitle(false);
    EXPECT_FALSE(report.Bands().HasTitle());
    EXPECT_EQ(report.BandList().size(), 2u);
}

TEST(ReportRun, ZoomIsTakenOnlyFromOneToThreeHundred)
{
    TReport report;
    report.SetZoom(150);
    report.SetZoom(0);
    report.SetZoom(301);
    EXPECT_EQ(report.Zoom(), 150);
    EXPECT_EQ(report.Page().Zoom(), 150);
}

}  // namespace
