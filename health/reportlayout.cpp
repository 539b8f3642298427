#include "reportlayout.h"

double Pt(double points)
{
    return points / 72.0;
}

QFont ReportFont(const TReport& report, int pointSize, bool bold)
{
    QFont font = report.Font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

TReport& LaidOutOverScratchTable(TReport& report, TQuery& query, double marginPoints, const QString& title)
{
    query.SQL() << QStringLiteral("SELECT * FROM CPREPT");
    query.Open();
    report.SetUnits(TRpUnit::Inches);
    report.Page().SetPaperSize(TRpPaperSize::Letter);
    report.Page().SetOrientation(QPageLayout::Portrait);
    report.Page().SetColumns(1);
    for (auto set : {&TRpPage::SetLeftMargin, &TRpPage::SetRightMargin, &TRpPage::SetTopMargin,
                     &TRpPage::SetBottomMargin})
        (report.Page().*set)(Pt(marginPoints));
    report.Options().firstPageHeader = true;
    report.Options().lastPageFooter = true;
    report.SetReportTitle(title);
    report.SetDataSet(&query);
    return report;
}

TRpBand& AddBandOf(TReport& report, TRpBandType type, double heightPoints)
{
    TRpBand& band = report.AddBand(type);
    band.Size().SetHeight(Pt(heightPoints));
    return band;
}

TRpLabel& AddLabel(TRpBand& band, double left, double top, double width, int pointSize, bool bold,
                   const QString& caption)
{
    TRpLabel& label = Place<TRpLabel>(band, left, top, width, pointSize + 6);
    label.SetFont(ReportFont(band.Report(), pointSize, bold));
    label.SetCaption(caption);
    return label;
}

TRpDBText& AddDBText(TRpBand& band, TQuery& query, const QString& field, double left, double top, double width,
                     double height, int pointSize)
{
    TRpDBText& text = Place<TRpDBText>(band, left, top, width, height);
    text.SetDataSet(&query);
    text.SetDataField(field);
    text.SetFont(ReportFont(band.Report(), pointSize, false));
    return text;
}

TRpSysData& FooterText(TRpBand& footer, double bandPoints, TRpSysDataType data, const QString& text,
                       TRpAlignment alignment)
{
    const double width = bandPoints / 2;
    TRpSysData& sysData =
        Place<TRpSysData>(footer, alignment == TRpAlignment::Right ? bandPoints - width : 0, 8, width, 14);
    sysData.SetFont(ReportFont(footer.Report(), 9, false));
    sysData.SetData(data);
    sysData.SetText(text);
    sysData.SetAlignment(alignment);
    return sysData;
}

TRpSysData& PrintedOnText(TRpBand& footer, double bandPoints)
{
    return FooterText(footer, bandPoints, TRpSysDataType::rpsDate, QStringLiteral("Printed by CarePortfolio on "),
                      TRpAlignment::Left);
}

TRpSysData& PageNumberText(TRpBand& footer, double bandPoints)
{
    return FooterText(footer, bandPoints, TRpSysDataType::rpsPageNumber, QStringLiteral("Page "), TRpAlignment::Right);
}
