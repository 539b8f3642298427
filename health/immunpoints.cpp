#include "immunpoints.h"

#include "immundata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/todorows.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr qint32 MemberPoint = 2;
constexpr int OldestYears = 20;
constexpr int MonthsOfYearPoints = 24;

QString Years(qint32 n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1String(n < 2 ? one : many);
}

std::optional<QString> YearPointRefusal(const std::vector<TVaccSched>& points, const TVaccSched& point)
{
    if (point.years == 0)
        return std::nullopt;
    const bool taken = std::any_of(points.begin(), points.end(), [](const TVaccSched& p) { return p.years > 0; });
    if (!taken)
        return std::nullopt;
    return QStringLiteral("This vaccine already has a dose given in years. Only one dose from 2 years old on can "
                          "be scheduled for a vaccine.");
}

void AppendPoint(const TVaccineEdit& vaccine, const TVaccSched& point)
{
    const TStoredPoint stored = StorePoint(point);
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, AgeLow,")
                << QStringLiteral("  AgeHigh, Interval, DefaultInterval, ToDoID, Note)")
                << QStringLiteral("VALUES (:TemplType, :MemberID, :ImmuID, :Name, '', :AgeLow, 0, :Interval,")
                << QStringLiteral("  :Interval, 0, :Note)");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberPoint);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(vaccine.memberId);
    query.ParamByName(QStringLiteral("ImmuID")).SetAsInteger(vaccine.immuId);
    query.ParamByName(QStringLiteral("Name")).SetAsString(vaccine.name);
    query.ParamByName(QStringLiteral("AgeLow")).SetAsInteger(stored.ageLow);
    query.ParamByName(QStringLiteral("Interval")).SetAsInteger(stored.interval);
    query.ParamByName(QStringLiteral("Note")).SetAsString(vaccine.description.join(QLatin1Char('\n')));
    query.ExecSQL();
}

std::vector<qint32> ValuesOf(const QString& select, const QString& param, qint32 value)
{
    TQuery query(DataFolder);
    query.SQL() << select;
    query.ParamByName(param).SetAsInteger(value);
    query.Open();
    std::vector<qint32> values;
    for (; !query.Eof(); query.Next())
        values.push_back(query.Fields(0).AsInteger());
    return values;
}

void Execute(const QString& statement, const QString& param, qint32 value)
{
    TQuery query(DataFolder);
    query.SQL() << statement;
    query.ParamByName(param).SetAsInteger(value);
    query.ExecSQL();
}

// One point with its reminder and its dose records. The expenses recorded
// with the doses stay: money spent counts in the year's totals whatever
// becomes of the schedule, as it does for a check-up item deleted.
void DeletePoint(qint32 templId)
{
    for (const qint32 toDoId :
         ValuesOf(QStringLiteral("SELECT ToDoID FROM MEDTEMPL WHERE TemplID = :TemplID"), QStringLiteral("TemplID"), templId))
        DeleteToDo(toDoId);
    Execute(QStringLiteral("DELETE FROM MEDCHEK WHERE TemplID = :TemplID"), QStringLiteral("TemplID"), templId);
    Execute(QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplID = :TemplID"), QStringLiteral("TemplID"), templId);
}

void UpdateKeptPoint(qint32 templId, const TVaccineEdit& vaccine, bool nameEdited, bool descriptionEdited)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplID = :TemplID");
    query.SetRequestLive(true);
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.Open();
    if (query.Eof())
        return;
    query.Edit();
    if (nameEdited)
        query.FieldByName(QStringLiteral("ItemStr1")).SetAsString(vaccine.name);
    if (descriptionEdited)
        query.FieldByName(QStringLiteral("Note")).SetAsLines(vaccine.description);
    query.Post();
}

}  // namespace

QString PointLabel(const TVaccSched& point)
{
    if (point.years > 0 && point.ageHigh > 0)
        return QStringLiteral("%1 - %2 years old").arg(point.years).arg(point.ageHigh);
    if (point.years > 0)
        return QStringLiteral("%1 years old").arg(point.years);
    if (point.months % 12 == 0 && point.months > 0)
        return Years(point.months / 12, " year old", " years old");
    return Years(point.months, " month old", " months old");
}

std::optional<QString> AddSchedulePoint(std::vector<TVaccSched>& points, TAgeUnit unit, int value)
{
    if (unit == TAgeUnit::None)
        return QStringLiteral("Please enter the age.");
    if (unit == TAgeUnit::Years && value > OldestYears)
        return QStringLiteral("Only tracks schedules for people who are younger than 20 years old.");
    if (unit == TAgeUnit::Months && value >= MonthsOfYearPoints) {
        if (value % 12 != 0)
            return QStringLiteral("From 24 months on a dose is scheduled in whole years. Please enter %1 months as "
                                  "Year(s), or an age below 24 months.")
                .arg(value);
        unit = TAgeUnit::Years;
        value /= 12;
    }
    TVaccSched point;
    point.months = unit == TAgeUnit::Years ? value * 12 : value;
    point.years = unit == TAgeUnit::Years && value >= 2 ? value : 0;
    const auto place = std::find_if(points.begin(), points.end(),
                                    [&](const TVaccSched& p) { return p.months >= point.months; });
    if (place != points.end() && place->months == point.months)
        return QStringLiteral("Same schedule added.");
    if (auto refusal = YearPointRefusal(points, point))
        return refusal;
    points.insert(place, point);
    return std::nullopt;
}

TStoredPoint StorePoint(const TVaccSched& point)
{
    return {point.years, point.months < MonthsOfYearPoints ? point.months : YearPointInterval};
}

TVaccSched LoadPoint(qint32 templId, qint32 ageLow, qint32 ageHigh, qint32 interval)
{
    return {templId, ageLow >= 1 ? ageLow * 12 : interval, ageLow, ageHigh};
}

TVaccineEdit ReadVaccine(qint32 memberId, qint32 immuId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID, ItemStr1, AgeLow, AgeHigh, Interval, Note FROM MEDTEMPL")
                << QStringLiteral("WHERE TemplType = :TemplType AND MemberID = :MemberID AND ImmuID = :ImmuID")
                << QStringLiteral("ORDER BY TemplID");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberPoint);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("ImmuID")).SetAsInteger(immuId);
    query.Open();
    TVaccineEdit vaccine{memberId, immuId, {}, {}, {}};
    for (; !query.Eof(); query.Next()) {
        if (vaccine.points.empty()) {
            vaccine.name = query.FieldByName(QStringLiteral("ItemStr1")).AsString();
            vaccine.description = query.FieldByName(QStringLiteral("Note")).AsLines();
        }
        vaccine.points.push_back(LoadPoint(query.FieldByName(QStringLiteral("TemplID")).AsInteger(),
                                           query.FieldByName(QStringLiteral("AgeLow")).AsInteger(),
                                           query.FieldByName(QStringLiteral("AgeHigh")).AsInteger(),
                                           query.FieldByName(QStringLiteral("Interval")).AsInteger()));
    }
    std::stable_sort(vaccine.points.begin(), vaccine.points.end(),
                     [](const TVaccSched& a, const TVaccSched& b) { return a.months < b.months; });
    return vaccine;
}

std::optional<QString> CheckVaccineName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter the name of the vaccine.");
    return std::nullopt;
}

void SaveNewVaccine(const TVaccineEdit& vaccine)
{
    TTransaction transaction(DataFolder);
    for (const TVaccSched& point : vaccine.points)
        AppendPoint(vaccine, point);
    transaction.Commit();
}

bool PointHasRecords(qint32 templId)
{
    return !ValuesOf(QStringLiteral("SELECT CheckupID FROM MEDCHEK WHERE TemplID = :TemplID LIMIT 1"),
                     QStringLiteral("TemplID"), templId)
                .empty();
}

QString RemovePointQuestion(const TVaccSched& point)
{
    return QStringLiteral("You have a record for the schedule of ") + PointLabel(point) +
           QStringLiteral(". Do you really want to delete the schedule and the record?");
}

std::vector<TVaccSched> KeepRecordedPoint(std::vector<TVaccSched>& points, const TVaccSched& kept)
{
    const qint32 doseAge = StorePoint(kept).interval;
    const auto taken = std::stable_partition(points.begin(), points.end(), [&](const TVaccSched& point) {
        return point.templId != 0 || StorePoint(point).interval != doseAge;
    });
    // One at the kept point's own age is not missed: that dose stays.
    std::vector<TVaccSched> dropped;
    std::copy_if(taken, points.end(), std::back_inserter(dropped),
                 [&](const TVaccSched& point) { return point.months != kept.months; });
    points.erase(taken, points.end());
    points.push_back(kept);
    return dropped;
}

QString PointNotAddedMessage(const TVaccSched& dropped, const TVaccSched& kept)
{
    return QStringLiteral("The schedule of ") + PointLabel(dropped) +
           QStringLiteral(" was not added. The schedule of ") + PointLabel(kept) +
           QStringLiteral(" stays in its place with its record.");
}

void SaveEditedVaccine(const TVaccineEdit& vaccine, const std::vector<TVaccSched>& removed, bool nameEdited,
                       bool descriptionEdited)
{
    TTransaction transaction(DataFolder);
    for (const TVaccSched& point : removed)
        DeletePoint(point.templId);
    for (const TVaccSched& point : vaccine.points) {
        if (point.templId == 0)
            AppendPoint(vaccine, point);
        else if (nameEdited || descriptionEdited)
            UpdateKeptPoint(point.templId, vaccine, nameEdited, descriptionEdited);
    }
    transaction.Commit();
}

void DeleteVaccine(qint32 memberId, qint32 immuId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID FROM MEDTEMPL")
                << QStringLiteral("WHERE TemplType = :TemplType AND MemberID = :MemberID AND ImmuID = :ImmuID");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberPoint);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("ImmuID")).SetAsInteger(immuId);
    query.Open();
    std::vector<qint32> points;
    for (; !query.Eof(); query.Next())
        points.push_back(query.Fields(0).AsInteger());
    query.Close();
    TTransaction transaction(DataFolder);
    for (const qint32 templId : points)
        DeletePoint(templId);
    transaction.Commit();
}

QString DeleteVaccineQuestion(const QString& name)
{
    return QStringLiteral("Would you like to remove records related to \"") + name + QStringLiteral("\" ?");
}
