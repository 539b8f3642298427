#include "immureptform.h"

#include "immundata.h"
#include "reportlayout.h"

#include "context/context.h"
#include "context/navigation.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"

namespace {

// Half an inch all round leaves the 540 points of the band on Letter paper.
constexpr double kMarginPoints = 36;
constexpr double kBandPoints = 540;
// The ruled columns: vaccine with its dose number, date given, the doctor's
// two lines, the next dose's date.
constexpr std::array<double, 5> kRules = {0, 230, 310, 450, kBandPoints};
constexpr double kRowPoints = 30;
constexpr double kHeadPoints = 34;

TReport& ImmuReportOver(TReport& report, TQuery& query)
{
    LaidOutOverScratchTable(report, query, kMarginPoints, QStringLiteral("Immunization Report"));
    report.SetPrintIfEmpty(false);
    return report;
}

// A box as high as the band with a line at every inner rule.
TRpBand& Ruled(TRpBand& band, double height)
{
    TRpShape& box = Place<TRpShape>(band, 0, 0, kBandPoints, height);
    box.SetShape(TRpShapeType::rpsRectangle);
    for (size_t n = 1; n + 1 < kRules.size(); ++n)
        Place<TRpShape>(band, kRules[n], 0, 1, height).SetShape(TRpShapeType::rpsVertLine);
    return band;
}

TRpBand& ColumnHeads(TRpBand& band)
{
    const std::array<std::pair<const char*, const char*>, 4> heads = {
        std::pair{"VACCINE", ""}, {"DATE", "GIVEN"}, {"DOCTOR OFFICE", " OR CLINIC"}, {"DATE NEXT", "DOSE DUE"}};
    for (size_t n = 0; n < heads.size(); ++n) {
        const double width = kRules[n + 1] - kRules[n] - 8;
        AddLabel(band, kRules[n] + 4, 3, width, 10, true, QString::fromLatin1(heads[n].first));
        AddLabel(band, kRules[n] + 4, 17, width, 10, true, QString::fromLatin1(heads[n].second));
    }
    return band;
}

std::array<TRpDBText*, 6> Texts(TRpBand& detail, TQuery& query)
{
    struct TPlace {
        const char* field;
        double left;
        double top;
        double width;
    };
    const std::array<TPlace, 6> places = {{{"Column1", 4, 3, 196},
                                           {"Category", 204, 3, 22},
                                           {"Column2", 234, 3, 72},
                                           {"Column3", 314, 3, 132},
                                           {"Column4", 314, 15, 132},
                                           {"Column5", 454, 3, 82}}};
    std::array<TRpDBText*, 6> texts{};
    for (size_t n = 0; n < places.size(); ++n)
        texts[n] = &AddDBText(detail, query, QString::fromLatin1(places[n].field), places[n].left, places[n].top,
                              places[n].width, 14, 10);
    return texts;
}

}  // namespace

TImmuReptForm::TImmuReptForm(const QString& dataFolder)
    : Query1(dataFolder),
      RpBand5(AddBandOf(ImmuReportOver(Report1, Query1), TRpBandType::rbTitle, 100)),
      RpLabel1(AddLabel(RpBand5, 0, 0, kBandPoints, 16, true, QStringLiteral("Immunization Record"))),
      RpLbName(AddLabel(RpBand5, 0, 32, kBandPoints, 10, false, QStringLiteral("Name: "))),
      RpLbSex(AddLabel(RpBand5, 0, 50, kBandPoints, 10, false, QStringLiteral("Gender:"))),
      RpLbDOB(AddLabel(RpBand5, 0, 68, kBandPoints, 10, false, QStringLiteral("Birthdate: "))),
      RpBand1(ColumnHeads(Ruled(AddBandOf(Report1, TRpBandType::rbColumnHeader, kHeadPoints), kHeadPoints))),
      RpBand3(Ruled(AddBandOf(Report1, TRpBandType::rbDetail, kRowPoints), kRowPoints)),
      Texts(::Texts(RpBand3, Query1)),
      RpBand4(AddBandOf(Report1, TRpBandType::rbPageFooter, 32)),
      RpSysData1(PrintedOnText(RpBand4, kBandPoints)),
      RpSysData2(PageNumberText(RpBand4, kBandPoints))
{
}

void TImmuReptForm::Preview()
{
    Report1.SetMessageHook(AppMessageHook);
    Report1.Preview();
}

void PrintImmuRecord(qint32 memberId)
{
    std::unique_ptr<TImmuReptForm> form;
    {
        HourglassCursor wait;
        FillImmuReport(memberId);
        const TScheduleMember member = ReadScheduleMember(memberId);
        form = std::make_unique<TImmuReptForm>(DataFolder);
        form->RpLbName.SetCaption(ImmuReportName(member));
        form->RpLbSex.SetCaption(ImmuReportGender(member));
        form->RpLbDOB.SetCaption(QStringLiteral("Birthdate: ") + (member.dob == 0.0 ? QString() : DateToStr(member.dob)));
    }
    form->Preview();
}
