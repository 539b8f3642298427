#include "chkreptform.h"

#include "reportlayout.h"
#include "schedulemember.h"

#include "context/context.h"
#include "context/navigation.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"

namespace {

constexpr double kMarginPoints = 36;
constexpr double kBandPoints = 540;
constexpr double kRowPoints = 16;

struct TColumn {
    double left;
    double width;
};
// Number, item, then the three other columns; the log gives its doctor and
// note more room than the schedule's dates need.
constexpr std::array<TColumn, 5> kScheduleColumns = {{{0, 24}, {26, 200}, {232, 96}, {332, 96}, {432, 108}}};
constexpr std::array<TColumn, 5> kLogColumns = {{{0, 24}, {26, 200}, {232, 70}, {306, 130}, {440, 100}}};

TReport& CheckupReportOver(TReport& report, TQuery& query)
{
    LaidOutOverScratchTable(report, query, kMarginPoints, QStringLiteral("Personal Medical Checkup Record"));
    report.SetPrintIfEmpty(false);
    return report;
}

std::array<TRpLabel*, 4> ColumnHeads(TRpBand& band)
{
    const std::array<const char*, 4> heads = {"Checkup Item", "Last Done", "Due Date", "Frequency"};
    std::array<TRpLabel*, 4> labels{};
    for (size_t n = 0; n < heads.size(); ++n) {
        const TColumn& column = kScheduleColumns[n + 1];
        labels[n] = &AddLabel(band, column.left, 4, column.width, 12, true, QString::fromLatin1(heads[n]));
    }
    return labels;
}

std::array<TRpDBText*, 5> Texts(TRpBand& detail, TQuery& query)
{
    const std::array<const char*, 5> fields = {"Category", "Column1", "Column2", "Column3", "Column4"};
    std::array<TRpDBText*, 5> texts{};
    for (size_t n = 0; n < fields.size(); ++n) {
        TRpDBText& text = Place<TRpDBText>(detail, kScheduleColumns[n].left, 1, kScheduleColumns[n].width, 14);
        text.SetDataSet(&query);
        text.SetDataField(QString::fromLatin1(fields[n]));
        text.SetFont(ReportFont(detail.Report(), 10, false));
        texts[n] = &text;
    }
    return texts;
}

void MoveTo(TRpPrintable& printable, const TColumn& column)
{
    printable.Size().SetLeft(Pt(column.left));
    printable.Size().SetWidth(Pt(column.width));
}

}  // namespace

void FillChkReport(const std::vector<TChkListRow>& rows)
{
    TTransaction transaction(DataFolder);
    TTable scratch(DataFolder, QStringLiteral("CpRept.DB"));
    scratch.EmptyTable();
    scratch.Open();
    for (size_t n = 0; n < rows.size(); ++n) {
        scratch.Append();
        scratch.FieldByName(QStringLiteral("Category")).SetAsString(QString::number(n + 1) + QLatin1Char('.'));
        for (size_t column = 0; column < rows[n].size(); ++column)
            scratch.FieldByName(QStringLiteral("Column%1").arg(column + 1)).SetAsString(rows[n][column]);
        scratch.Post();
    }
    scratch.Close();
    transaction.Commit();
}

TMedReptForm::TMedReptForm(const QString& dataFolder)
    : Query1(dataFolder),
      RpBand1(AddBandOf(CheckupReportOver(Report1, Query1), TRpBandType::rbPageHeader, 80)),
      RpLabel5(AddLabel(RpBand1, 0, 0, kBandPoints, 18, true, QStringLiteral("Personal Medical Checkup Record"))),
      RplbName(AddLabel(RpBand1, 0, 36, kBandPoints, 10, false)),
      RplbDOB(AddLabel(RpBand1, 0, 54, kBandPoints, 10, false)),
      RpBand2(AddBandOf(Report1, TRpBandType::rbColumnHeader, 26)),
      Heads(ColumnHeads(RpBand2)),
      RpBand3(AddBandOf(Report1, TRpBandType::rbDetail, kRowPoints)),
      Texts(::Texts(RpBand3, Query1)),
      RpBand4(AddBandOf(Report1, TRpBandType::rbPageFooter, 32)),
      RpSysData1(PrintedOnText(RpBand4, kBandPoints)),
      RpSysData2(PageNumberText(RpBand4, kBandPoints))
{
}

void TMedReptForm::ShowAsLog()
{
    Heads[2]->SetCaption(QStringLiteral("Doctor/Hospital"));
    Heads[3]->SetCaption(QStringLiteral("Note"));
    for (size_t n = 0; n < Heads.size(); ++n)
        MoveTo(*Heads[n], kLogColumns[n + 1]);
    for (size_t n = 0; n < Texts.size(); ++n)
        MoveTo(*Texts[n], kLogColumns[n]);
}

void TMedReptForm::Preview()
{
    Report1.SetMessageHook(AppMessageHook);
    Report1.Preview();
}

void PrintCheckupList(TChkListKind kind, qint32 memberId, const std::vector<TChkListRow>& rows)
{
    std::unique_ptr<TMedReptForm> form;
    {
        HourglassCursor wait;
        FillChkReport(rows);
        const TScheduleMember member = ReadScheduleMember(memberId);
        form = std::make_unique<TMedReptForm>(DataFolder);
        form->RpLabel5.SetCaption(kind == TChkListKind::Schedule ? QStringLiteral("Personal Medical Checkup Schedule")
                                                                 : QStringLiteral("Personal Medical Checkup Log"));
        if (kind == TChkListKind::Log)
            form->ShowAsLog();
        form->RplbName.SetCaption(member.firstName + QLatin1Char(' ') + member.middleName + QLatin1Char(' ') +
                                  member.lastName);
        form->RplbDOB.SetCaption(QStringLiteral("Date of birth: ") +
                                 (member.dob == 0.0 ? QString() : DateToStr(member.dob)));
    }
    form->Preview();
}
