#include "checkrecords.h"

#include "expensedata.h"
#include "expensedelete.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {
// The expense type of a check-up or dose.
constexpr qint32 kCheckupExpense = 1;
}  // namespace

std::optional<TCheckRecordRow> ReadCheckRecord(qint32 checkupId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT MemberID, TemplID, DateDone, Doctor, DoctorID, ExpID, Note FROM MEDCHEK")
                << QStringLiteral("WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(checkupId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TCheckRecordRow row;
    row.checkupId = checkupId;
    row.memberId = query.FieldByName(QStringLiteral("MemberID")).AsInteger();
    row.templId = query.FieldByName(QStringLiteral("TemplID")).AsInteger();
    row.date = query.FieldByName(QStringLiteral("DateDone")).AsDateTime();
    row.doctor = query.FieldByName(QStringLiteral("Doctor")).AsString();
    row.doctorId = query.FieldByName(QStringLiteral("DoctorID")).AsInteger();
    row.expId = query.FieldByName(QStringLiteral("ExpID")).AsInteger();
    row.note = query.FieldByName(QStringLiteral("Note")).AsLines();
    return row;
}

void WriteCheckRecord(TCheckRecordRow& row, TDoctorKey doctorKey)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDCHEK WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(row.checkupId);
    query.Open();
    if (query.Eof()) {
        query.Append();
        query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(row.memberId);
        query.FieldByName(QStringLiteral("TemplID")).SetAsInteger(row.templId);
    } else {
        query.Edit();
    }
    query.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(row.date);
    query.FieldByName(QStringLiteral("Doctor")).SetAsString(row.doctor);
    if (doctorKey == TDoctorKey::Write)
        query.FieldByName(QStringLiteral("DoctorID")).SetAsInteger(row.doctorId);
    query.FieldByName(QStringLiteral("ExpID")).SetAsInteger(row.expId);
    query.FieldByName(QStringLiteral("Note")).SetAsLines(row.note);
    query.Post();
    row.checkupId = query.FieldByName(QStringLiteral("CheckupID")).AsInteger();
}

void DeleteCheckRecord(qint32 checkupId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM MEDCHEK WHERE CheckupID = :CheckupID");
    query.ParamByName(QStringLiteral("CheckupID")).SetAsInteger(checkupId);
    query.ExecSQL();
}

void LinkRecordExpense(const TCheckRecordRow& row, const QString& description)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXP WHERE ExpID = :ExpID");
    query.ParamByName(QStringLiteral("ExpID")).SetAsInteger(row.expId);
    query.Open();
    if (query.Eof())
        return;
    const bool moved = DateOf(query.FieldByName(QStringLiteral("ServiceDate")).AsDateTime()) != DateOf(row.date) ||
                       query.FieldByName(QStringLiteral("MemberID")).AsInteger() != row.memberId;
    query.Edit();
    query.FieldByName(QStringLiteral("ExpType")).SetAsInteger(kCheckupExpense);
    query.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(row.date);
    query.FieldByName(QStringLiteral("Description")).SetAsString(description);
    query.FieldByName(QStringLiteral("MemberID")).SetAsInteger(row.memberId);
    query.FieldByName(QStringLiteral("Doctor")).SetAsString(row.doctor);
    query.FieldByName(QStringLiteral("DocAddrID")).SetAsInteger(row.doctorId);
    query.FieldByName(QStringLiteral("CheckupID")).SetAsInteger(row.checkupId);
    query.Post();
    if (moved)
        RestateExpenseSums(row.expId);
}

std::optional<QString> MovedExpenseMisfit(const TCheckRecordRow& row)
{
    const std::optional<TExpenseDraft> stored = row.expId != 0 ? LoadExpense(row.expId) : std::nullopt;
    if (!stored || (DateOf(stored->serviceDate) == DateOf(row.date) && stored->memberId == row.memberId))
        return std::nullopt;
    TExpenseDraft moved = *stored;
    moved.serviceDate = row.date;
    moved.memberId = row.memberId;
    if (const std::optional<TExpenseRefusal> refusal = JudgeExpense(moved, stored).refusal)
        return refusal->message;
    return std::nullopt;
}

void DropExpenseWrittenThisOpening(qint32& expId, qint32 expIdAtOpening)
{
    if (expId == 0 || expId == expIdAtOpening)
        return;
    DeleteExpense(expId);
    expId = expIdAtOpening;
}
