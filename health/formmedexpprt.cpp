#include "formmedexpprt.h"

#include "context/navigation.h"
#include "reportlayout.h"

namespace {

// A quarter inch all round leaves the 576 points of the band on Letter paper.
constexpr double kMarginPoints = 18;
constexpr double kBandPoints = 576;
constexpr double kTitleLeft = 237;
constexpr double kTitleLinesTop = 34;
constexpr double kTitleLineStep = 20;
constexpr std::array<double, 7> kHeadLefts = {12, 70, 133, 184, 277, 373, 478};
constexpr std::array<double, 7> kTextLefts = {6, 70, 126, 195, 288, 365, 496};
constexpr double kColumnGap = 4;

TReport& ExpenseReportOver(TReport& report, TQuery& query)
{
    LaidOutOverScratchTable(report, query, kMarginPoints, QStringLiteral("Medical Expense"));
    report.SetPrintIfEmpty(false);
    return report;
}

TRpLabel& TitleLine(TRpBand& header, int line)
{
    return AddLabel(header, kTitleLeft, kTitleLinesTop + line * kTitleLineStep, kBandPoints - kTitleLeft, 10, false);
}

template <size_t N>
double Width(const std::array<double, N>& lefts, size_t column)
{
    const double right = column + 1 < N ? lefts[column + 1] - kColumnGap : kBandPoints;
    return right - lefts[column];
}

std::array<TRpLabel*, 7> Heads(TRpBand& band)
{
    const std::array<const char*, 7> captions = {"Date",          "Patient",     "Total",           "Insurance/FSA",
                                                 "Out-of-pocket", "Description", "Service provider"};
    std::array<TRpLabel*, 7> heads{};
    for (size_t n = 0; n < heads.size(); ++n)
        heads[n] = &AddLabel(band, kHeadLefts[n], 8, Width(kHeadLefts, n), 10, true, QString::fromLatin1(captions[n]));
    return heads;
}

std::array<TRpDBText*, 7> Texts(TRpBand& detail, TQuery& query)
{
    std::array<TRpDBText*, 7> texts{};
    for (size_t n = 0; n < texts.size(); ++n) {
        TRpDBText& text = Place<TRpDBText>(detail, kTextLefts[n], 6, Width(kTextLefts, n), 16);
        text.SetDataSet(&query);
        text.SetDataField(n == 0 ? QStringLiteral("Category") : QStringLiteral("Column%1").arg(n));
        text.SetFont(ReportFont(detail.Report(), 10, false));
        // A long description or provider takes more lines rather than being cut off.
        text.SetWordWrap(true);
        text.SetAutoStretch(true);
        texts[n] = &text;
    }
    return texts;
}

}  // namespace

TFormMedExpPrt::TFormMedExpPrt(const QString& dataFolder)
    : Query1(dataFolder),
      RpBand1(AddBandOf(ExpenseReportOver(Report1, Query1), TRpBandType::rbPageHeader, 116)),
      RpLabel1(AddLabel(RpBand1, 233, 10, kBandPoints - 233, 16, true, QStringLiteral("Medical Expense"))),
      RpLbPatient(TitleLine(RpBand1, 0)),
      RpLbYear(TitleLine(RpBand1, 1)),
      RpLbTlExp(TitleLine(RpBand1, 2)),
      RpLbOOP(TitleLine(RpBand1, 3)),
      RpBand2(AddBandOf(Report1, TRpBandType::rbColumnHeader, 32)),
      Heads(::Heads(RpBand2)),
      RpBand4(AddBandOf(Report1, TRpBandType::rbDetail, 32)),
      Texts(::Texts(RpBand4, Query1)),
      RpBand6(AddBandOf(Report1, TRpBandType::rbPageFooter, 32)),
      RpSysData1(PrintedOnText(RpBand6, kBandPoints)),
      RpSysData2(PageNumberText(RpBand6, kBandPoints))
{
}

void TFormMedExpPrt::Preview()
{
    Report1.SetMessageHook(AppMessageHook);
    Report1.Preview();
}
