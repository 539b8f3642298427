#include "chkschedule.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/datemath.h"
#include "records/common/recordtext.h"
#include "records/common/todorows.h"

#include <algorithm>
#include <map>

namespace {

constexpr qint32 MasterCheckup = 3;
constexpr qint32 MemberCheckup = 4;
constexpr qint32 BothSexes = 2;
constexpr qsizetype ItemNameLimit = 50;
constexpr int NoteWrap = 50;

quint16 Steps(qint32 count)
{
    return static_cast<quint16>(std::clamp(count, 0, 0xFFFF));
}

QString OrderLine(TChkOrder order)
{
    switch (order) {
    case TChkOrder::NameDesc: return QStringLiteral("ORDER BY ItemStr1 DESC, TemplID");
    case TChkOrder::Interval: return QStringLiteral("ORDER BY Interval ASC, TemplID");
    case TChkOrder::IntervalDesc: return QStringLiteral("ORDER BY Interval DESC, TemplID");
    case TChkOrder::Name: break;
    }
    return QStringLiteral("ORDER BY ItemStr1 ASC, TemplID");
}

std::vector<TChkSchedRec> ReadItems(qint32 memberId, TChkOrder order)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID, ItemStr1, ItemStr2, AgeLow, AgeHigh, Interval, ToDoID FROM MEDTEMPL")
                << QStringLiteral("WHERE TemplType = :TemplType AND MemberID = :MemberID") << OrderLine(order);
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberCheckup);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    std::vector<TChkSchedRec> items;
    for (; !query.Eof(); query.Next()) {
        TChkSchedRec item;
        item.templId = query.FieldByName(QStringLiteral("TemplID")).AsInteger();
        item.itemStr1 = query.FieldByName(QStringLiteral("ItemStr1")).AsString().left(ItemNameLimit);
        item.itemStr2 = query.FieldByName(QStringLiteral("ItemStr2")).AsString().left(ItemNameLimit);
        item.ageLow = query.FieldByName(QStringLiteral("AgeLow")).AsInteger();
        item.ageHigh = query.FieldByName(QStringLiteral("AgeHigh")).AsInteger();
        item.interval = query.FieldByName(QStringLiteral("Interval")).AsInteger();
        item.toDoId = query.FieldByName(QStringLiteral("ToDoID")).AsInteger();
        item.lastDone = NeverDoneDate();
        items.push_back(item);
    }
    return items;
}

void CopyMasterCheckups(qint32 memberId, qint32 sex)
{
    TQuery copy(DataFolder);
    copy.SQL() << QStringLiteral("INSERT INTO MEDTEMPL (TemplType, MemberID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh,")
               << QStringLiteral("  Interval, DefaultInterval, Note)")
               << QStringLiteral("SELECT :MemberCheckup, :MemberID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh,")
               << QStringLiteral("  Interval, Interval, Note FROM MEDTEMPL")
               << QStringLiteral("WHERE TemplType = :MasterCheckup AND (Sex = :Both OR Sex = :Sex) ORDER BY TemplID");
    copy.ParamByName(QStringLiteral("MemberCheckup")).SetAsInteger(MemberCheckup);
    copy.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    copy.ParamByName(QStringLiteral("MasterCheckup")).SetAsInteger(MasterCheckup);
    copy.ParamByName(QStringLiteral("Both")).SetAsInteger(BothSexes);
    copy.ParamByName(QStringLiteral("Sex")).SetAsInteger(sex);
    copy.ExecSQL();
}

// The latest done date of each of the member's items that has a record.
std::map<qint32, TDateTime> LatestDoneDates(qint32 memberId)
{
    TQuery query(DataFolder);
    // The records no later record of their item follows.
    query.SQL() << QStringLiteral("SELECT c.TemplID, c.DateDone FROM MEDCHEK c")
                << QStringLiteral("WHERE c.DateDone IS NOT NULL AND c.TemplID IN (SELECT TemplID FROM MEDTEMPL")
                << QStringLiteral("  WHERE TemplType = :TemplType AND MemberID = :MemberID)")
                << QStringLiteral("AND NOT EXISTS (SELECT 1 FROM MEDCHEK d WHERE d.TemplID = c.TemplID")
                << QStringLiteral("  AND d.DateDone > c.DateDone)");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberCheckup);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    std::map<qint32, TDateTime> dates;
    for (; !query.Eof(); query.Next())
        dates[query.FieldByName(QStringLiteral("TemplID")).AsInteger()] =
            query.FieldByName(QStringLiteral("DateDone")).AsDateTime();
    return dates;
}

void AppendNeverDone(qint32 memberId, qint32 templId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("INSERT INTO MEDCHEK (MemberID, TemplID, DateDone)")
                << QStringLiteral("VALUES (:MemberID, :TemplID, :DateDone)");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.ParamByName(QStringLiteral("DateDone")).SetAsDate(NeverDoneDate());
    query.ExecSQL();
}

QString ReminderStart(const TScheduleMember& member, const QString& item)
{
    return member.firstName + QStringLiteral(", please schedule your ") + item + QStringLiteral(" checkup");
}

QString LogOrderLine(TChkLogOrder order)
{
    switch (order) {
    case TChkLogOrder::Date: return QStringLiteral("ORDER BY c.DateDone, c.CheckupID");
    case TChkLogOrder::DateDesc: return QStringLiteral("ORDER BY c.DateDone DESC, c.CheckupID");
    case TChkLogOrder::Doctor: return QStringLiteral("ORDER BY c.Doctor, c.CheckupID");
    case TChkLogOrder::DoctorDesc: return QStringLiteral("ORDER BY c.Doctor DESC, c.CheckupID");
    case TChkLogOrder::None: break;
    }
    return QStringLiteral("ORDER BY c.CheckupID");
}

}  // namespace

TDateTime NeverDoneDate()
{
    static const TDateTime never = EncodeDate(1800, 1, 1);
    return never;
}

int AgeOn(TDateTime dob, TDateTime day)
{
    const DateParts birth = DecodeDate(dob);
    const DateParts on = DecodeDate(day);
    int age = on.year - birth.year;
    if (on.month < birth.month || (on.month == birth.month && on.day < birth.day))
        --age;
    return age;
}

bool TChkSchedRec::Performed() const
{
    return lastDone > NeverDoneDate();
}

std::optional<std::vector<TChkSchedRec>> LoadChkSchedule(qint32 memberId, qint32 sex, TChkOrder order)
{
    TTransaction transaction(DataFolder);
    std::vector<TChkSchedRec> items = ReadItems(memberId, order);
    if (items.empty()) {
        CopyMasterCheckups(memberId, sex);
        items = ReadItems(memberId, order);
    }
    if (items.empty())
        return std::nullopt;
    const std::map<qint32, TDateTime> latest = LatestDoneDates(memberId);
    for (TChkSchedRec& item : items) {
        const auto found = latest.find(item.templId);
        if (found != latest.end())
            item.lastDone = found->second;
        else
            AppendNeverDone(memberId, item.templId);
    }
    transaction.Commit();
    return items;
}

TDateTime LastPerformed(qint32 memberId, qint32 templId)
{
    if (templId == 0)
        return NeverDoneDate();
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT DateDone FROM MEDCHEK WHERE TemplID = :TemplID")
                << QStringLiteral("ORDER BY DateDone DESC LIMIT 1");
    query.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    query.Open();
    if (!query.Eof())
        return query.FieldByName(QStringLiteral("DateDone")).AsDateTime();
    AppendNeverDone(memberId, templId);
    return NeverDoneDate();
}

bool ItemShown(const TChkSchedRec& item, int age)
{
    return age >= item.ageLow;
}

QString LastPerformedText(const TChkSchedRec& item)
{
    return item.Performed() ? DateToStr(item.lastDone) : QStringLiteral("Not available");
}

QString DueDateText(const TChkSchedRec& item)
{
    return item.Performed() ? DateToStr(IncMonths(Steps(item.interval), item.lastDone))
                            : QStringLiteral("Not available");
}

QString FrequencyText(qint32 interval)
{
    if (interval % 12 == 0)
        return QString::number(interval / 12) + QStringLiteral(" year(s)");
    return QString::number(interval) + QStringLiteral(" month(s)");
}

std::optional<TChkOrder> TChkSortClicks::ScheduleClick(int column)
{
    if (column != 0 && column != 3)
        return std::nullopt;
    ++clicks_;
    const bool ascending = clicks_ % 2 == 1;
    if (column == 0)
        return ascending ? TChkOrder::Name : TChkOrder::NameDesc;
    return ascending ? TChkOrder::Interval : TChkOrder::IntervalDesc;
}

std::optional<TChkLogOrder> TChkSortClicks::LogClick(int column)
{
    if (column != 1 && column != 2)
        return std::nullopt;
    const bool ascending = clicks_ % 2 == 0;
    ++clicks_;
    if (column == 1)
        return ascending ? TLogOrder::Date : TLogOrder::DateDesc;
    return ascending ? TLogOrder::Doctor : TLogOrder::DoctorDesc;
}

std::vector<TChkLogRow> ReadChkLog(qint32 memberId, TChkLogOrder order)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT c.CheckupID, c.TemplID, c.DateDone, c.Doctor, c.Note, t.ItemStr1")
                << QStringLiteral("FROM MEDCHEK c JOIN MEDTEMPL t ON t.TemplID = c.TemplID")
                << QStringLiteral("WHERE c.MemberID = :MemberID AND c.TemplID <> 0 AND c.DateDone <> :NeverDone")
                << LogOrderLine(order);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("NeverDone")).SetAsDate(NeverDoneDate());
    query.Open();
    std::vector<TChkLogRow> rows;
    for (; !query.Eof(); query.Next()) {
        TChkLogRow row;
        row.checkupId = query.FieldByName(QStringLiteral("CheckupID")).AsInteger();
        row.templId = query.FieldByName(QStringLiteral("TemplID")).AsInteger();
        row.item = query.FieldByName(QStringLiteral("ItemStr1")).AsString();
        row.dateDone = query.FieldByName(QStringLiteral("DateDone")).AsDateTime();
        row.doctor = query.FieldByName(QStringLiteral("Doctor")).AsString();
        row.note = WrapWordsOnOneLine(query.FieldByName(QStringLiteral("Note")).AsLines(), NoteWrap);
        rows.push_back(row);
    }
    return rows;
}

std::optional<TChkReminder> ChkReminderOf(const TChkSchedRec& item, const TScheduleMember& member, int age,
                                          bool logChanged, TDateTime today)
{
    if (!item.Performed())
        return std::nullopt;
    if (logChanged)
        return TChkReminder{ReminderStart(member, item.itemStr1), IncMonths(Steps(item.interval), item.lastDone)};
    if (!ItemShown(item, age))
        return std::nullopt;
    TDateTime due = std::max(IncMonths(Steps(item.interval), item.lastDone), today);
    if (YearsBetween(member.dob, due) < item.ageLow)
        due = IncYears(Steps(item.ageLow), member.dob);
    const QString end = today >= due ? QStringLiteral(".") : QStringLiteral(" by ") + DateToStr(due) + QLatin1Char('.');
    return TChkReminder{ReminderStart(member, item.itemStr1) + end, due};
}

void WriteChkReminders(std::vector<TChkSchedRec>& items, const TScheduleMember& member, int age, bool logChanged,
                       TDateTime today, const std::function<void(int)>& progress)
{
    TTransaction transaction(DataFolder);
    for (size_t n = 0; n < items.size(); ++n) {
        if (progress)
            progress(static_cast<int>(n * 100 / items.size()));
        TChkSchedRec& item = items[n];
        const qint32 stored = item.toDoId;
        if (const auto reminder = ChkReminderOf(item, member, age, logChanged, today))
            SaveToDo(item.toDoId, ScheduleReminderCategory, reminder->text, reminder->due);
        else if (item.toDoId != 0) {
            DeleteToDo(item.toDoId);
            item.toDoId = 0;
        }
        if (item.toDoId != stored)
            StoreReminderId(item.templId, item.toDoId);
    }
    transaction.Commit();
    if (progress)
        progress(100);
}

void DeleteChkItem(qint32 templId)
{
    TTransaction transaction(DataFolder);
    TQuery item(DataFolder);
    item.SQL() << QStringLiteral("SELECT MemberID, ToDoID FROM MEDTEMPL WHERE TemplID = :TemplID");
    item.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    item.Open();
    if (item.Eof())
        return;
    const qint32 memberId = item.FieldByName(QStringLiteral("MemberID")).AsInteger();
    DeleteToDo(item.FieldByName(QStringLiteral("ToDoID")).AsInteger());
    item.Close();
    TQuery dropItem(DataFolder);
    dropItem.SQL() << QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplID = :TemplID");
    dropItem.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    dropItem.ExecSQL();
    TQuery dropRecords(DataFolder);
    dropRecords.SQL() << QStringLiteral("DELETE FROM MEDCHEK WHERE TemplID = :TemplID AND MemberID = :MemberID");
    dropRecords.ParamByName(QStringLiteral("TemplID")).SetAsInteger(templId);
    dropRecords.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    dropRecords.ExecSQL();
    transaction.Commit();
}

std::vector<std::pair<qint32, QString>> ReadChkItemNames(qint32 memberId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID, ItemStr1 FROM MEDTEMPL")
                << QStringLiteral("WHERE TemplType = :TemplType AND MemberID = :MemberID ORDER BY ItemStr1, TemplID");
    query.ParamByName(QStringLiteral("TemplType")).SetAsInteger(MemberCheckup);
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    std::vector<std::pair<qint32, QString>> items;
    for (; !query.Eof(); query.Next())
        items.emplace_back(query.Fields(0).AsInteger(), query.Fields(1).AsString());
    return items;
}

QString DeleteChkQuestion(const QString& name)
{
    return QStringLiteral("Would you like to remove records related to \"") + name + QStringLiteral("\" ?");
}
