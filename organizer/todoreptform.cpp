#include "todoreptform.h"

#include "context/context.h"
#include "context/navigation.h"
#include "health/reportlayout.h"
#include "platform/formatsettings.h"
#include "platform/ui/cursor.h"
#include "records/common/recordtext.h"

#include <array>

namespace {

constexpr double kMarginPoints = 36;
constexpr double kBandPoints = 540;
constexpr double kRowPoints = 32;
constexpr int kReportWrapWidth = 50;

struct TColumnPlace {
    const char* field;
    double left;
    double top;
    double width;
};
// Number, status, due date, the description's two lines, category.
constexpr std::array<TColumnPlace, 6> kColumns = {{{"Category", 0, 4, 22},
                                                   {"Column1", 24, 4, 80},
                                                   {"Column2", 106, 4, 62},
                                                   {"Column3", 170, 4, 250},
                                                   {"Column4", 170, 16, 250},
                                                   {"Column5", 422, 4, 118}}};

TReport& ToDoReportOver(TReport& report, TQuery& query)
{
    LaidOutOverScratchTable(report, query, kMarginPoints, QStringLiteral("To-do's printing"));
    report.SetPrintIfEmpty(false);
    return report;
}

TRpShape& Rule(TRpBand& band, double top)
{
    TRpShape& rule = Place<TRpShape>(band, 0, top, kBandPoints, 1);
    rule.SetShape(TRpShapeType::rpsHorLine);
    return rule;
}

TRpBand& TitleBand(TReport& report)
{
    TRpBand& band = AddBandOf(report, TRpBandType::rbTitle, 60);
    Rule(band, 24);
    // Each heading over its column of the detail band.
    const std::array<std::pair<size_t, const char*>, 4> heads = {
        std::pair{size_t{1}, "Status/Notes"}, {2, "Due Date"}, {3, "Description"}, {5, "Category"}};
    for (const auto& [column, caption] : heads)
        AddLabel(band, kColumns[column].left, 32, kColumns[column].width, 9, true, QString::fromLatin1(caption));
    Rule(band, 54);
    return band;
}

TRpBand& DetailBand(TReport& report, TQuery& query)
{
    TRpBand& band = AddBandOf(report, TRpBandType::rbDetail, kRowPoints);
    for (const TColumnPlace& column : kColumns)
        AddDBText(band, query, QString::fromLatin1(column.field), column.left, column.top, column.width, 14, 9);
    Rule(band, kRowPoints - 2);
    return band;
}

TRpBand& FooterBand(TReport& report)
{
    TRpBand& band = AddBandOf(report, TRpBandType::rbPageFooter, 32);
    FooterText(band, kBandPoints, TRpSysDataType::rpsDate, QStringLiteral("Printed on "), TRpAlignment::Left);
    FooterText(band, kBandPoints, TRpSysDataType::rpsPageNumber, QStringLiteral("Page "), TRpAlignment::Right);
    return band;
}

QString CategoryName(const TCategoryNames& names, qint32 categoryNo)
{
    const auto found = names.find(categoryNo);
    return found == names.end() ? QString() : found->second;
}

void SetReportRow(TTable& scratch, const TToDoRow& row, int number, TDateTime today, const TCategoryNames& names)
{
    scratch.Append();
    scratch.FieldByName(QStringLiteral("Category")).SetAsString(QString::number(number) + QLatin1Char('.'));
    QString line1;
    QString line2;
    WrapWords(row.description, kReportWrapWidth, line1, line2);
    scratch.FieldByName(QStringLiteral("Column3")).SetAsString(line1);
    if (!line2.isEmpty())
        scratch.FieldByName(QStringLiteral("Column4")).SetAsString(line2);
    QString status = row.done ? QStringLiteral("done") : QString();
    if (row.due != 0.0) {
        if (today > row.due && status.isEmpty())
            status = QStringLiteral("overdue");
        scratch.FieldByName(QStringLiteral("Column2")).SetAsString(DateToStr(row.due));
    }
    scratch.FieldByName(QStringLiteral("Column1")).SetAsString(status);
    scratch.FieldByName(QStringLiteral("Column5")).SetAsString(CategoryName(names, row.categoryNo));
    scratch.Post();
}

}  // namespace

TTodoReptForm::TTodoReptForm(const QString& dataFolder)
    : QueryTodo(dataFolder),
      RpBandTitle(TitleBand(ToDoReportOver(Report1, QueryTodo))),
      RpLbTime(AddLabel(RpBandTitle, 0, 0, kBandPoints, 10, false)),
      RpBandHeader(AddBandOf(Report1, TRpBandType::rbPageHeader, 28)),
      RpBandDetail(DetailBand(Report1, QueryTodo)),
      RpBandFooter(FooterBand(Report1))
{
    AddLabel(RpBandHeader, 0, 0, kBandPoints, 14, true, QStringLiteral("To-Do List"));
}

void TTodoReptForm::Preview()
{
    Report1.SetMessageHook(AppMessageHook);
    Report1.Preview();
}

void FillToDoReport(TDueFilter filter, qint32 categoryNo, TDateTime today, const TCategoryNames& names)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM TODO01")
                << QStringLiteral("WHERE (Due <= :PrintUntilDate OR Due IS NULL)");
    if (categoryNo > AllCategories)
        query.SQL() << QStringLiteral("AND CategoryNo = %1").arg(categoryNo);
    query.SQL() << QStringLiteral("ORDER BY DUE");
    query.ParamByName(QStringLiteral("PrintUntilDate")).SetAsDate(FilterEndDate(filter, today));
    query.Open();
    TTransaction transaction(DataFolder);
    TTable scratch(DataFolder, QStringLiteral("CpRept.DB"));
    scratch.EmptyTable();
    scratch.Open();
    int number = 0;
    for (; !query.Eof(); query.Next()) {
        const TToDoRow row = ToDoRowOf(query);
        SetReportRow(scratch, row, ++number, today, names);
    }
    scratch.Close();
    transaction.Commit();
}

QString ToDoReportTitle(TDueFilter filter, TDateTime today)
{
    if (filter == TDueFilter::All)
        return QStringLiteral("All items listing");
    return QStringLiteral("To-Do List due before or on ") + DateToStr(FilterEndDate(filter, today));
}

void PrintToDoList(TDueFilter filter, qint32 categoryNo, const TCategoryNames& names)
{
    std::unique_ptr<TTodoReptForm> form;
    {
        HourglassCursor wait;
        const TDateTime today = Date();
        FillToDoReport(filter, categoryNo, today, names);
        form = std::make_unique<TTodoReptForm>(DataFolder);
        form->RpLbTime.SetCaption(ToDoReportTitle(filter, today));
    }
    form->Preview();
}
