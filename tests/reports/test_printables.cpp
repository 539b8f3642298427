// Printable controls: data fields by their masks, expressions and totals,
// system data, word wrap, auto size and stretch, alignment, label events,
// and what labels and shapes draw on a page.
#include "pagesupport.h"
#include "reportforms.h"

#include "platform/formatsettings.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class Printables : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = ProcessFormats();
        ProcessFormats().shortDateFormat = QStringLiteral("m/d/yyyy");
        ProcessFormats().dateSeparator = QLatin1Char('/');
        ProcessFormats().shortTimeFormat = QStringLiteral("hh:mm tt");
        ProcessFormats().timeSeparator = QLatin1Char(':');
        ProcessFormats().timeAMString = QStringLiteral("AM");
        ProcessFormats().timePMString = QStringLiteral("PM");
        ProcessFormats().decimalSeparator = QLatin1Char('.');
        ProcessFormats().thousandSeparator = QLatin1Char(',');
    }
    void TearDown() override
    {
        ProcessFormats() = saved_;
        Clock::SetFixed(QDateTime());
    }

    // Text widths as the preview measures them, in native units.
    static double NativeWidth(const QFont& font, const QString& text)
    {
        static QImage device(1, 1, QImage::Format_ARGB32);
        const double unitsPerInch = ScreenPixelsPerInch();
        return QFontMetricsF(FontForUnits(font, unitsPerInch, device), &device).horizontalAdvance(text) * 254 /
               unitsPerInch;
    }

    ReportForm form;

private:
    FormatSettings saved_;
};

// Counts fills that land on a text drawn before them.
class OverpaintCanvas : public TextCanvas {
public:
    void FillRect(const QRect& rect) override
    {
        for (const QPoint& origin : origins)
            overpainted += rect.contains(origin) ? 1 : 0;
    }
    int overpainted = 0;
};

TEST_F(Printables, DataFieldsFollowTheirMasksByFieldKind)
{
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 400);
    form.Field(detail, QStringLiteral("Amount"), QStringLiteral("0.00"));
    form.Field(detail, QStringLiteral("Name"), QStringLiteral("0.00")).MoveTo(0, 100);
    form.Field(detail, QStringLiteral("Visits"), QStringLiteral("#,##0 'visits'")).MoveTo(0, 200);
    form.Field(detail, QStringLiteral("Born"), QStringLiteral("yyyy-mm-dd")).MoveTo(0, 300);
    form.Field(detail, QStringLiteral("Amount")).MoveTo(1600, 0);
    form.Field(detail, QStringLiteral("Missing")).MoveTo(1600, 100);
    form.data.First();
    form.data.FieldByName(QStringLiteral("Visits")).SetAsInteger(1234567);

    const QStringList texts = Export(form.report).Texts();

    // A field the data set does not have prints nothing.
    ASSERT_EQ(texts.size(), 5 * 5);
    EXPECT_EQ(texts.mid(0, 5), QStringList({"10.50", "Ann", "1,234,567 visits", "1970-01-02", "10.5"}));
    EXPECT_EQ(texts.mid(5, 5), QStringList({"20.00", "Bob", "1 visits", "1980-03-04", "20"}));
}

TEST_F(Printables, ANullFieldPrintsNothingWhateverItsMask)
{
    ReportForm empty({{"A", "A1", "Ann", QVariant(), QVariant(), QVariant()},
                      {"B", "B1", "Bob", 2.5, 1, EncodeDate(2000, 1, 2)}});
    TRpCustomBand& detail = empty.Band(TRpBandType::rbDetail, 300);
    empty.Field(detail, QStringLiteral("Amount"), QStringLiteral("0.00"));
    empty.Field(detail, QStringLiteral("Born"), QStringLiteral("yyyy-mm-dd")).MoveTo(0, 100);
    EXPECT_EQ(Export(empty.report).Texts(), QStringList({"2.50", "2000-01-02"}));
}

TEST_F(Printables, ExpressionsPrintValuesTotalsAndTheirOwnTextOnError)
{
    TRpGroup& group = form.Group(QStringLiteral("Category"));
    form.Expression(group, QStringLiteral("Category"));
    form.Field(form.Band(TRpBandType::rbDetail, 100), QStringLiteral("Name"));
    TRpExpr& groupTotal = form.Expression(form.GroupFooter(group), QStringLiteral("SUM(Amount)"), QStringLiteral("0.00"));
    groupTotal.SetResetAfterPrint(true);
    TRpCustomBand& summary = form.Band(TRpBandType::rbSummary, 500);
    form.Expression(summary, QStringLiteral("SUM(Amount)"), QStringLiteral("'Total '#,##0.00"));
    form.Expression(summary, QStringLiteral("COUNT")).MoveTo(0, 100);
    form.Expression(summary, QStringLiteral("1/0")).MoveTo(0, 200);
    form.Expression(summary, QStringLiteral("Visits > 2")).MoveTo(0, 300);
    form.Expression(summary, QStringLiteral("7/2")).MoveTo(0, 400);

    EXPECT_EQ(Export(form.report).Texts(), QStringList({"A", "Ann", "Bob", "Cid", "35.75", "B", "Dee", "Eve", "3.00",
                                                         "Total 38.75", "5", "1/0", "True", "3"}));
}

TEST_F(Printables, ExpressionsShowTheirTextWhileNotPrinting)
{
    TRpCustomBand& band = form.Band(TRpBandType::rbDetail, 100);
    TRpExpr& none = band.Add<TRpExpr>();
    EXPECT_EQ(none.CaptionText(), "(none)");
    TRpExpr& sum = form.Expression(band, QStringLiteral("SUM(Amount)"));
    EXPECT_EQ(sum.CaptionText(), "SUM(Amount)");
    Export(form.report);
    EXPECT_EQ(sum.CaptionText(), "SUM(Amount)");
    EXPECT_FALSE(sum.IsPrinting());
}

TEST_F(Printables, SystemDataGivesPageNumbersCountsTitleAndClock)
{
    Clock::SetFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 30)));
    form.report.SetReportTitle(QStringLiteral("Members"));
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 100);
    TRpSysData& number = form.Place<TRpSysData>(detail);
    number.SetData(TRpSysDataType::rpsDetailNo);
    number.SetText(QStringLiteral("#"));
    TRpCustomBand& summary = form.Band(TRpBandType::rbSummary, 600);
    const std::pair<TRpSysDataType, QString> kinds[] = {
        {TRpSysDataType::rpsDetailCount, "(Detail count)"}, {TRpSysDataType::rpsReportTitle, "(Report title)"},
        {TRpSysDataType::rpsDate, "(Date)"},                {TRpSysDataType::rpsTime, "(Time)"},
        {TRpSysDataType::rpsDateTime, "(Date/Time)"},       {TRpSysDataType::rpsPageNumber, "(Page#)"}};
    double top = 0;
    for (const auto& [kind, shown] : kinds) {
        TRpSysData& data = form.Place<TRpSysData>(summary);
        data.SetData(kind);
        data.MoveTo(0, top);
        top += 100;
        EXPECT_EQ(data.CaptionText(), shown);
    }

    EXPECT_EQ(Export(form.report).Texts(), QStringList({"#1", "#2", "#3", "#4", "#5", "5", "Members", "3/5/2024",
                                                         "02:30 PM", "3/5/2024 02:30 PM", "1"}));
    EXPECT_EQ(number.CaptionText(), "#(Detail no)");
}

TEST_F(Printables, OnPrintChangesTheTextOfThisPrintOnly)
{
    TRpLabel& label = form.Label(form.Band(TRpBandType::rbTitle, 100), QStringLiteral("Members"));
    label.OnPrint = [](TRpCustomLabel&, QString& value) { value = value.toUpper() + "!"; };
    EXPECT_EQ(Export(form.report).Texts(), QStringList({"MEMBERS!"}));
    EXPECT_EQ(label.Caption(), "Members");
}

TEST_F(Printables, WordWrapKeepsEveryLineWithinTheLabel)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 1000);
    TRpLabel& label = form.Place<TRpLabel>(title, 0, 600);
    label.SetWordWrap(true);
    label.Size().SetHeight(1000);
    const QString text = QStringLiteral("Annual check-ups are due for every member of the household\n\n"
                                        "Pneumonoultramicroscopicsilicovolcanoconiosis");
    label.SetCaption(text);

    const ExportRun run = Export(form.report);

    const QStringList lines = run.Texts();
    const qsizetype blank = lines.indexOf(QString());   // the empty source line stays
    ASSERT_GT(blank, 1);
    EXPECT_EQ(lines.mid(0, blank).join(' '), "Annual check-ups are due for every member of the household");
    // A word wider than the label breaks where it must.
    EXPECT_GT(lines.size() - blank - 1, 1);
    EXPECT_EQ(lines.mid(blank + 1).join(QString()), "Pneumonoultramicroscopicsilicovolcanoconiosis");
    for (const QString& line : lines)
        EXPECT_LE(NativeWidth(label.EffectiveFont(), line), 600) << line.toStdString();
    for (size_t i = 1; i < run.texts.size(); ++i)
        EXPECT_GT(run.texts[i].y, run.texts[i - 1].y);
}

TEST_F(Printables, AutoSizeTakesTheWidestLine)
{
    TRpLabel& label = form.Place<TRpLabel>(form.Band(TRpBandType::rbTitle, 100), 0, 10);
    label.SetAutoSize(true);
    label.SetCaption(QStringLiteral("short\na much longer line"));
    EXPECT_NEAR(label.Size().Width(), NativeWidth(label.EffectiveFont(), "a much longer line"), 0.5);
    label.SetCaption(QString());
    EXPECT_DOUBLE_EQ(label.Size().Width(), 0);
    EXPECT_GT(label.Size().Height(), 0);
}

TEST_F(Printables, AutoStretchGrowsTheBandForItsLines)
{
    TRpCustomBand& detail = form.Band(TRpBandType::rbDetail, 100);
    TRpLabel& label = form.Label(detail, QStringLiteral("one\ntwo\nthree\nfour"));
    label.SetAutoStretch(true);
    form.Label(form.Band(TRpBandType::rbSummary, 100), QStringLiteral("after"));
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);
    form.report.Bands().SetHasDetail(false);
    form.report.Bands().SetHasTitle(true);
    TRpCustomBand& title = *form.report.Bands().Band(1);
    title.Size().SetHeight(100);
    TRpLabel& stretching = form.Label(title, QStringLiteral("one\ntwo\nthree\nfour"));
    stretching.SetAutoStretch(true);

    const ExportRun run = Export(form.report);

    const double lineHeight = run.texts[1].y - run.texts[0].y;
    ASSERT_GT(lineHeight, 0);
    EXPECT_EQ(run.Texts(), QStringList({"one", "two", "three", "four", "after"}));
    EXPECT_NEAR(run.Find("after")->y, 100 + RpRound(4 * lineHeight), 1);
}

TEST_F(Printables, AStretchThatLeavesThePageMovesTheBandOn)
{
    form.CustomPage(2000, 600);
    form.Label(form.Band(TRpBandType::rbTitle, 300), QStringLiteral("title"));
    TRpCustomBand& summary = form.Band(TRpBandType::rbSummary, 100);
    QStringList many;
    for (int n = 1; n <= 6; ++n)
        many.append(QStringLiteral("line %1").arg(n));
    form.Label(summary, many.join("\n")).SetAutoStretch(true);
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);

    const ExportRun run = Export(form.report);

    ASSERT_EQ(run.pages, 2);
    EXPECT_EQ(run.Texts(1), QStringList({"title"}));
    EXPECT_EQ(run.Texts(2), many);
    EXPECT_DOUBLE_EQ(run.Find("line 1")->y, 100);
}

TEST_F(Printables, AlignedToTheBandByAlignment)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 300);
    TRpLabel& right = form.Place<TRpLabel>(title, 0, 400);
    right.SetCaption(QStringLiteral("right"));
    right.SetAlignment(TRpAlignment::Right);
    right.SetAlignToBand(true);
    TRpLabel& centre = form.Place<TRpLabel>(title, 0, 400);
    centre.SetCaption(QStringLiteral("centre"));
    centre.SetAlignment(TRpAlignment::Center);
    centre.SetAlignToBand(true);
    centre.MoveTo(0, 100);

    const ExportRun run = Export(form.report);

    // A4 is 2100 across; 100 margins leave the band 1900 wide.
    EXPECT_DOUBLE_EQ(run.Find("right")->x, 100 + 1900);
    EXPECT_EQ(run.Find("right")->alignment, TRpAlignment::Right);
    EXPECT_NEAR(run.Find("centre")->x, 100 + 950 - NativeWidth(centre.EffectiveFont(), "centre") / 2, 0.01);
}

TEST_F(Printables, ShapesDrawButExportNoText)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 300);
    const TRpShapeType shapes[] = {TRpShapeType::rpsRectangle, TRpShapeType::rpsCircle,
                                   TRpShapeType::rpsVertLine,  TRpShapeType::rpsHorLine,
                                   TRpShapeType::rpsTopAndBottom, TRpShapeType::rpsRightAndLeft};
    for (TRpShapeType kind : shapes)
        title.Add<TRpShape>().SetShape(kind);
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);

    EXPECT_TRUE(Export(form.report).texts.empty());
    const auto pages = PreviewPages(form.report);
    ASSERT_EQ(pages.size(), 1u);
    TextCanvas canvas;
    pages[0]->Play(canvas);
    EXPECT_EQ(canvas.shapes, 2);
    EXPECT_EQ(canvas.lines, 6);
}

TEST_F(Printables, AStretchingLabelLeavesWhatTheBandAlreadyDrewInPlace)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 100);
    form.Label(title, QStringLiteral("WWWW")).Size().SetWidth(500);
    TRpLabel& stretching = form.Label(title, QStringLiteral("one\ntwo\nthree"));
    stretching.MoveTo(1000, 0);
    stretching.Size().SetWidth(500);
    stretching.SetAutoStretch(true);
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);

    const auto pages = PreviewPages(form.report);
    ASSERT_EQ(pages.size(), 1u);
    OverpaintCanvas canvas;
    pages[0]->Play(canvas);
    EXPECT_EQ(canvas.texts, QStringList({"WWWW", "one", "two", "three"}));
    EXPECT_EQ(canvas.overpainted, 0);
}

TEST_F(Printables, ATransparentLabelLeavesTheBandColourVisible)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 300);
    title.SetColor(Qt::yellow);
    TRpLabel& opaque = form.Place<TRpLabel>(title, 0, 1000);
    opaque.SetCaption(QStringLiteral("x"));
    opaque.SetAlignment(TRpAlignment::Right);
    TRpLabel& clear = form.Place<TRpLabel>(title, 0, 1000);
    clear.MoveTo(0, 150);
    clear.SetCaption(QStringLiteral("x"));
    clear.SetAlignment(TRpAlignment::Right);
    clear.SetTransparent(true);
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);

    const auto pages = PreviewPages(form.report);
    ASSERT_EQ(pages.size(), 1u);
    const TRpMetafile& page = *pages[0];
    const QImage image = Render(page, page.Width(), page.Height());
    const double perNative = ScreenPixelsPerInch() / 254.0;
    const auto pixel = [&](double x, double y) { return image.pixelColor(RpRound(x * perNative), RpRound(y * perNative)); };
    EXPECT_EQ(pixel(150, 130), QColor(Qt::white));    // inside the opaque label
    EXPECT_EQ(pixel(150, 280), QColor(Qt::yellow));   // inside the transparent one
    EXPECT_EQ(pixel(1500, 130), QColor(Qt::yellow));  // the band beside them
}

TEST_F(Printables, FramesDrawTheirSides)
{
    TRpCustomBand& title = form.Band(TRpBandType::rbTitle, 300);
    TRpLabel& boxed = form.Label(title, QStringLiteral("boxed"));
    boxed.Frame().drawTop = boxed.Frame().drawBottom = true;
    title.Frame().drawLeft = true;
    form.report.SetDataSet(nullptr);
    form.report.SetPrintIfEmpty(true);

    const auto pages = PreviewPages(form.report);
    TextCanvas canvas;
    pages.at(0)->Play(canvas);
    EXPECT_EQ(canvas.lines, 3);
    EXPECT_EQ(canvas.texts, QStringList({"boxed"}));
}

}  // namespace
