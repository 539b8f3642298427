#include "immundata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/datemath.h"
#include "records/common/todorows.h"

#include <algorithm>
#include <map>

namespace {

constexpr qint32 MasterPoint = 1;
constexpr qint32 MemberPoint = 2;

struct TPointRow {
    qint32 templId = 0;
    qint32 immuId = 0;
    QString name;
    qint32 interval = 0;
    qint32 doseMonths = 0;
    qint32 toDoId = 0;
};

std::vector<TPointRow> ReadMemberPoints(qint32 memberId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID, ImmuID, ItemStr1, Interval, AgeLow, ToDoID FROM MEDTEMPL")
                << QStringLiteral("WHERE TemplType = :TemplType AND MemberID = :MemberID")
                << QStringLiteral("ORDER BY ImmuID, TemplID");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberPoint);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    std::vector<TPointRow> rows;
    for (; !query.Eof(); query.Next()) {
        TPointRow row;
        row.templId = query.FieldByName(QStringLiteral("TemplID")).AsInteger();
        row.immuId = query.FieldByName(QStringLiteral("ImmuID")).AsInteger();
        row.name = query.FieldByName(QStringLiteral("ItemStr1")).AsString();
        row.interval = query.FieldByName(QStringLiteral("Interval")).AsInteger();
        row.doseMonths = DoseMonths(row.interval, query.FieldByName(QStringLiteral("AgeLow")).AsInteger());
        row.toDoId = query.FieldByName(QStringLiteral("ToDoID")).AsInteger();
        rows.push_back(row);
    }
    return rows;
}

void CopyMasterPoints(qint32 memberId)
{
    TTransaction transaction(DataFolder);
    TQuery copy(DataFolder);
    copy.SQL() << QStringLiteral("INSERT INTO MEDTEMPL (TemplType, ImmuID, MemberID, ItemStr1, ItemStr2, Sex, AgeLow,")
               << QStringLiteral("  AgeHigh, Interval, DefaultInterval, ToDoID, Note)")
               << QStringLiteral("SELECT :MemberPoint, ImmuID, :MemberID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh,")
               << QStringLiteral("  Interval, Interval, 0, Note FROM MEDTEMPL")
               << QStringLiteral("WHERE TemplType = :MasterPoint ORDER BY TemplID");
    copy.ParamByName(QStringLiteral("MemberPoint")).SetAsInteger(MemberPoint);
    copy.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    copy.ParamByName(QStringLiteral("MasterPoint")).SetAsInteger(MasterPoint);
    copy.ExecSQL();
    transaction.Commit();
}

// The first dose record of each point of the member: the one a cell shows.
std::map<qint32, qint32> FirstDoseRecords(qint32 memberId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID, MIN(CheckupID) AS CheckupID FROM MEDCHEK")
                << QStringLiteral("WHERE MemberID = :MemberID GROUP BY TemplID");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    std::map<qint32, qint32> records;
    for (; !query.Eof(); query.Next())
        records[query.FieldByName(QStringLiteral("TemplID")).AsInteger()] =
            query.FieldByName(QStringLiteral("CheckupID")).AsInteger();
    return records;
}

template <typename T>
std::optional<size_t> IndexOf(const std::vector<T>& items, const std::function<bool(const T&)>& matches)
{
    const auto found = std::find_if(items.begin(), items.end(), matches);
    if (found == items.end())
        return std::nullopt;
    return static_cast<size_t>(found - items.begin());
}

// Points of ImmuID 0 belong to no vaccine.
std::vector<TVaccine> VaccinesOf(const std::vector<TPointRow>& rows)
{
    std::vector<TVaccine> vaccines;
    for (const TPointRow& row : rows) {
        if (row.immuId != 0 && (vaccines.empty() || vaccines.back().immuId != row.immuId))
            vaccines.push_back({row.immuId, row.name});
    }
    return vaccines;
}

TImmuGrid BuildGrid(const std::vector<TPointRow>& rows, const std::map<qint32, qint32>& records)
{
    TImmuGrid grid;
    grid.vaccines = VaccinesOf(rows);
    for (const TPointRow& row : rows) {
        grid.largestImmuId = std::max(grid.largestImmuId, row.immuId);
        grid.doseAges.push_back(row.interval);
    }
    std::sort(grid.doseAges.begin(), grid.doseAges.end());
    grid.doseAges.erase(std::unique(grid.doseAges.begin(), grid.doseAges.end()), grid.doseAges.end());
    grid.cells.resize(grid.vaccines.size() * grid.doseAges.size());
    for (const TPointRow& row : rows) {
        const auto vaccine = IndexOf<TVaccine>(grid.vaccines, [&](const TVaccine& v) { return v.immuId == row.immuId; });
        const auto age = IndexOf<qint32>(grid.doseAges, [&](qint32 a) { return a == row.interval; });
        if (!vaccine || !age)
            continue;
        std::optional<TImmuCell>* cell = grid.Cell(static_cast<int>(*vaccine), static_cast<int>(*age));
        // A second point in one cell could never be reached: the first one stays.
        if (!cell || cell->has_value())
            continue;
        const auto record = records.find(row.templId);
        *cell = TImmuCell{row.templId, record == records.end() ? 0 : record->second, row.toDoId, row.doseMonths};
    }
    return grid;
}

void RemoveReminder(TImmuCell& cell)
{
    if (cell.toDoId == 0)
        return;
    DeleteToDo(cell.toDoId);
    cell.toDoId = 0;
    StoreReminderId(cell.templId, 0);
}

void ReconcileReminder(TImmuCell& cell, const TScheduleMember& member, const QString& vaccine, int ageMonths,
                       TDateTime today)
{
    if (cell.Done() || cell.doseMonths <= ageMonths) {
        RemoveReminder(cell);
        return;
    }
    if (cell.toDoId != 0)
        return;
    const TDateTime due = IncMonths(static_cast<quint16>(cell.doseMonths), member.dob);
    if (today > due)
        return;
    qint32 toDoId = 0;
    WriteToDo(toDoId, ScheduleReminderCategory, true, ImmuReminderText(member.firstName, vaccine, due), due);
    cell.toDoId = toDoId;
    StoreReminderId(cell.templId, toDoId);
}

struct TDoseRecord {
    TDateTime dateDone = 0.0;
    QString doctor;
};

std::optional<TDoseRecord> ReadFirstDoseRecord(qint32 memberId, qint32 templId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT DateDone, Doctor FROM MEDCHEK")
                << QStringLiteral("WHERE MemberID = :MemberID AND TemplID = :TemplID ORDER BY CheckupID");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TDoseRecord{query.FieldByName(QStringLiteral("DateDone")).AsDateTime(),
                       query.FieldByName(QStringLiteral("Doctor")).AsString()};
}

// The doctor's name in the two narrow columns of the printed record.
constexpr qsizetype DoctorColumnFits = 21;
constexpr qsizetype DoctorFirstPart = 19;

void SetReportRow(TTable& scratch, const TPointRow& point, int doseNumber, const TScheduleMember& member, qint32 memberId)
{
    scratch.Append();
    scratch.FieldByName(QStringLiteral("Column1")).SetAsString(point.name);
    scratch.FieldByName(QStringLiteral("Category")).SetAsString(QString::number(doseNumber));
    if (const auto record = ReadFirstDoseRecord(memberId, point.templId)) {
        scratch.FieldByName(QStringLiteral("Column2")).SetAsString(DateToStr(record->dateDone));
        const bool split = record->doctor.size() > DoctorColumnFits;
        scratch.FieldByName(QStringLiteral("Column3")).SetAsString(split ? record->doctor.left(DoctorFirstPart)
                                                                         : record->doctor);
        if (split)
            scratch.FieldByName(QStringLiteral("Column4")).SetAsString(record->doctor.mid(DoctorFirstPart));
    } else if (member.dob != 0.0) {
        scratch.FieldByName(QStringLiteral("Column5"))
            .SetAsString(DateToStr(IncMonths(static_cast<quint16>(point.doseMonths), member.dob)));
    }
    scratch.Post();
}

}  // namespace

qint32 DoseMonths(qint32 interval, qint32 ageLow)
{
    return interval == YearPointInterval && ageLow >= 1 ? ageLow * 12 : interval;
}

std::optional<TImmuCell>* TImmuGrid::Cell(int vaccine, int doseAge)
{
    if (vaccine < 0 || doseAge < 0 || static_cast<size_t>(vaccine) >= vaccines.size() ||
        static_cast<size_t>(doseAge) >= doseAges.size())
        return nullptr;
    return &cells[static_cast<size_t>(vaccine) * doseAges.size() + static_cast<size_t>(doseAge)];
}

std::vector<TVaccine> ReadMemberVaccines(qint32 memberId)
{
    return VaccinesOf(ReadMemberPoints(memberId));
}

QStringList DoseAgeHeading(qint32 doseAge)
{
    if (doseAge < 24)
        return {QString::number(doseAge) + QStringLiteral(" months"), QStringLiteral("old")};
    return {QStringLiteral("2 - 20"), QStringLiteral("years old")};
}

std::optional<TImmuGrid> LoadImmuGrid(qint32 memberId)
{
    std::vector<TPointRow> rows = ReadMemberPoints(memberId);
    if (rows.empty()) {
        CopyMasterPoints(memberId);
        rows = ReadMemberPoints(memberId);
    }
    TImmuGrid grid = BuildGrid(rows, FirstDoseRecords(memberId));
    if (grid.vaccines.empty())
        return std::nullopt;
    return grid;
}

void WriteImmuReminders(qint32 memberId, TImmuGrid& grid, TDateTime today, const std::function<void(int)>& progress)
{
    const TScheduleMember member = ReadScheduleMember(memberId);
    const int ageMonths = MonthsBetween(member.dob, today);
    TTransaction transaction(DataFolder);
    const size_t ages = grid.doseAges.size();
    for (size_t index = 0; index < grid.cells.size(); ++index) {
        if (progress)
            progress(static_cast<int>(index * 100 / grid.cells.size()));
        if (std::optional<TImmuCell>& cell = grid.cells[index])
            ReconcileReminder(*cell, member, grid.vaccines[index / ages].name, ageMonths, today);
    }
    transaction.Commit();
    if (progress)
        progress(100);
}

QString ImmuReminderText(const QString& firstName, const QString& vaccine, TDateTime due)
{
    return firstName + QStringLiteral(" is expected to receive immunization for ") + vaccine +
           QStringLiteral(" around ") + DateToStr(due) + QLatin1Char('.');
}

void FillImmuReport(qint32 memberId)
{
    const TScheduleMember member = ReadScheduleMember(memberId);
    std::vector<TPointRow> points = ReadMemberPoints(memberId);
    std::stable_sort(points.begin(), points.end(), [](const TPointRow& a, const TPointRow& b) {
        return std::tie(a.immuId, a.doseMonths) < std::tie(b.immuId, b.doseMonths);
    });
    TTransaction transaction(DataFolder);
    TTable scratch(DataFolder, QStringLiteral("CpRept.DB"));
    scratch.EmptyTable();
    scratch.Open();
    int doseNumber = 0;
    for (size_t n = 0; n < points.size(); ++n) {
        doseNumber = n > 0 && points[n - 1].immuId == points[n].immuId ? doseNumber + 1 : 1;
        SetReportRow(scratch, points[n], doseNumber, member, memberId);
    }
    scratch.Close();
    transaction.Commit();
}

QString ImmuReportName(const TScheduleMember& member)
{
    return QStringLiteral("Name: ") + member.firstName + QLatin1Char(' ') + member.middleName + QLatin1Char(' ') +
           member.lastName;
}

QString ImmuReportGender(const TScheduleMember& member)
{
    return member.sex == 0 ? QStringLiteral("Gender: Male") : QStringLiteral("Gender: Female");
}
