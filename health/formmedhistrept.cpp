#include "formmedhistrept.h"

#include "context/navigation.h"
#include "reportlayout.h"

namespace {

// Half an inch all round leaves the 540 points of the band on Letter paper.
constexpr double kMarginPoints = 36;
constexpr double kBandPoints = 540;
constexpr double kTitleLinesTop = 30;
constexpr double kTitleLineStep = 15;
// The left edges of Column1 to Column6, and the gap kept before the next.
constexpr std::array<double, 6> kColumnLefts = {12, 108, 178, 254, 324, 394};
constexpr double kColumnGap = 4;
constexpr double kNativePerPoint = 254.0 / 72;

TRpGroup& Group(TReport& report, double height)
{
    TRpGroup& group = report.AddGroup(QStringLiteral("Category"));
    group.Size().SetHeight(Pt(height));
    return group;
}

TRpLabel& Heading(TRpBand& title)
{
    TRpLabel& label = Place<TRpLabel>(title, 0, 0, kBandPoints, 26);
    label.SetFont(ReportFont(title.Report(), 18, true));
    label.SetCaption(QStringLiteral("Personal Medical Record"));
    return label;
}

TRpLabel& MemberLabel(TRpBand& title, int line)
{
    TRpLabel& label = Place<TRpLabel>(title, 0, kTitleLinesTop + line * kTitleLineStep, kBandPoints, 14);
    label.SetFont(ReportFont(title.Report(), 10, false));
    return label;
}

TRpDBText& Field(TRpBasePanel& band, TQuery& query, const QString& name, double left, double width,
                 double height)
{
    TRpDBText& text = Place<TRpDBText>(band, left, 0, width, height);
    text.SetDataSet(&query);
    text.SetDataField(name);
    return text;
}

TRpDBText& CategoryText(TRpGroup& group, TQuery& query)
{
    TRpDBText& text = Field(group, query, QStringLiteral("Category"), 0, kBandPoints, 20);
    text.SetFont(ReportFont(group.Report(), 12, true));
    return text;
}

double ColumnWidth(size_t column)
{
    const double right = column + 1 < kColumnLefts.size() ? kColumnLefts[column + 1] - kColumnGap : kBandPoints;
    return right - kColumnLefts[column];
}

std::array<TRpDBText*, 6> ColumnTexts(TRpBand& detail, TQuery& query)
{
    std::array<TRpDBText*, 6> columns{};
    for (size_t n = 0; n < columns.size(); ++n) {
        TRpDBText& text = Field(detail, query, QStringLiteral("Column%1").arg(n + 1), kColumnLefts[n],
                                ColumnWidth(n), 28);
        text.SetFont(ReportFont(detail.Report(), 10, false));
        text.SetWordWrap(true);
        // A long note or name takes more lines rather than being cut off.
        text.SetAutoStretch(true);
        // Column1 may run into Column2's room and must not blank it out.
        text.SetTransparent(true);
        columns[n] = &text;
    }
    return columns;
}

}  // namespace

TFormMedHistRept::TFormMedHistRept(const QString& dataFolder)
    : Query1(dataFolder),
      RpBand1(AddBandOf(LaidOutOverScratchTable(Report1, Query1, kMarginPoints, QStringLiteral("Personal Medical Record")),
                        TRpBandType::rbTitle, 141)),
      RpLabel1(Heading(RpBand1)),
      lblName(MemberLabel(RpBand1, 0)),
      lblDOB(MemberLabel(RpBand1, 1)),
      lblSex(MemberLabel(RpBand1, 2)),
      lblblood(MemberLabel(RpBand1, 3)),
      lblRH(MemberLabel(RpBand1, 4)),
      lblweight(MemberLabel(RpBand1, 5)),
      lblheight(MemberLabel(RpBand1, 6)),
      RpGroup1(Group(Report1, 30)),
      RpDBText8(CategoryText(RpGroup1, Query1)),
      RpBand2(AddBandOf(Report1, TRpBandType::rbDetail, 30)),
      Columns(ColumnTexts(RpBand2, Query1)),
      RpBand3(AddBandOf(Report1, TRpBandType::rbGroupFooter, 12)),
      RpBand4(AddBandOf(Report1, TRpBandType::rbPageFooter, 30)),
      RpSysData1(PrintedOnText(RpBand4, kBandPoints)),
      RpSysData2(PageNumberText(RpBand4, kBandPoints))
{
    RpGroup1.SetFooterBand(&RpBand3);
    RpGroup1.BeforePrint = [this](TRpCustomBand&, bool&) { KeepCategoryWithItsFirstRow(); };
    RpBand2.BeforePrint = [this](TRpCustomBand&, bool&) { WidenFirstColumnOverAnEmptySecond(); };
}

std::array<TRpLabel*, 7> TFormMedHistRept::MemberLabels() const
{
    return {&lblName, &lblDOB, &lblSex, &lblblood, &lblRH, &lblweight, &lblheight};
}

void TFormMedHistRept::SetMemberLines(const TMedHistTitleLines& lines)
{
    const std::array<const QString*, 7> texts = {&lines.name,  &lines.dob, &lines.sex,   &lines.blood,
                                                 &lines.rh,    &lines.weight, &lines.height};
    const std::array<TRpLabel*, 7> labels = MemberLabels();
    int printed = 0;
    for (size_t n = 0; n < labels.size(); ++n) {
        TRpLabel& label = *labels[n];
        label.SetCaption(*texts[n]);
        label.SetEnabled(!texts[n]->isEmpty());
        if (label.Enabled())
            label.MoveTo(0, Pt(kTitleLinesTop + printed++ * kTitleLineStep));
    }
}

// A category heading never stands alone at the foot of a page.
void TFormMedHistRept::KeepCategoryWithItsFirstRow()
{
    const double both = RpGroup1.Size().Height() + RpBand2.Size().Height();
    if (!Report1.AtColumnTop() && RpRound(both) >= Report1.AvailableSpace())
        Report1.NewColumn();
}

// Sections that leave Column2 empty give the first column's text its room.
// The report measures in native units while it runs.
void TFormMedHistRept::WidenFirstColumnOverAnEmptySecond()
{
    const bool secondEmpty = Query1.FieldByName(QStringLiteral("Column2")).AsString().isEmpty();
    const double points = secondEmpty ? kColumnLefts[2] - kColumnGap - kColumnLefts[0] : ColumnWidth(0);
    TRpPrintableSize& size = Columns[0]->Size();
    size.SetWidth(size.FromNative(points * kNativePerPoint, true));
}

void TFormMedHistRept::Preview()
{
    Report1.SetMessageHook(AppMessageHook);
    Report1.Preview();
}
