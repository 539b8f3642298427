#pragma once
// What the health records' report forms share: Letter-paper reports over the
// scratch table, laid out in points.
#include "platform/dataset.h"
#include "reports/rplabel.h"
#include "reports/rpreport.h"

#include <QFont>

// A length in points as the report's unit (inches).
double Pt(double points);
QFont ReportFont(const TReport& report, int pointSize, bool bold);

// Opens the query over the scratch table and lays the report over it:
// Letter, portrait, one column, the same margin all round, a first-page
// header and a last-page footer.
TReport& LaidOutOverScratchTable(TReport& report, TQuery& query, double marginPoints, const QString& title);

TRpBand& AddBandOf(TReport& report, TRpBandType type, double heightPoints);

template <class T>
T& Place(TRpBasePanel& band, double left, double top, double width, double height)
{
    T& printable = band.Add<T>();
    printable.MoveTo(Pt(left), Pt(top));
    printable.Size().SetWidth(Pt(width));
    printable.Size().SetHeight(Pt(height));
    return printable;
}

// A label of the band in the report's font at that size.
TRpLabel& AddLabel(TRpBand& band, double left, double top, double width, int pointSize, bool bold,
                   const QString& caption = {});
// The query's field in the band, in the report's font at that size.
TRpDBText& AddDBText(TRpBand& band, TQuery& query, const QString& field, double left, double top, double width,
                     double height, int pointSize);

// The printing date (left) or the page number (right) in a page footer as
// wide as the band.
TRpSysData& FooterText(TRpBand& footer, double bandPoints, TRpSysDataType data, const QString& text,
                       TRpAlignment alignment);
// The footer the health printouts share: "Printed by CarePortfolio on" and
// the date at the left, the page number at the right.
TRpSysData& PrintedOnText(TRpBand& footer, double bandPoints);
TRpSysData& PageNumberText(TRpBand& footer, double bandPoints);
