#include "chkenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

CheckupEnv::CheckupEnv() : folder_(std::make_unique<FreshDataFolder>())
{
    DataFolder = folder_->Path();
    Clock::SetFixed(QDateTime(QDate(2025, 3, 31), QTime(10, 0)));
}

CheckupEnv::~CheckupEnv()
{
    Clock::SetFixed({});
}

qint32 CheckupEnv::AddMember(const QString& firstName, qint32 sex, TDateTime dob)
{
    return AppendRow(DataFolder, QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
        row.FieldByName(QStringLiteral("MiddleName")).SetAsString(QStringLiteral("Q"));
        row.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("O'Neil"));
        row.FieldByName(QStringLiteral("Sex")).SetAsInteger(sex);
        row.FieldByName(QStringLiteral("DOB")).SetAsDateTime(dob);
    });
}

qint32 CheckupEnv::Count(const QString& sql)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    query.Open();
    return query.Fields(0).AsInteger();
}

qint32 CheckupEnv::ItemOf(qint32 memberId, const QString& nameStart)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT TemplID FROM MEDTEMPL WHERE TemplType = 4 AND MemberID = :M AND ItemStr1 LIKE :N");
    query.ParamByName(QStringLiteral("M")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("N")).SetAsString(nameStart + QLatin1Char('%'));
    query.Open();
    return query.Eof() ? 0 : query.Fields(0).AsInteger();
}

qint32 CheckupEnv::AddRecord(qint32 memberId, qint32 templId, TDateTime date, const QString& doctor, qint32 expId)
{
    return AppendRow(DataFolder, QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(templId);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(date);
        row.FieldByName(QStringLiteral("Doctor")).SetAsString(doctor);
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
    });
}

qint32 CheckupEnv::AddExpenseWithSplits(qint32 memberId)
{
    const qint32 expId = AppendRow(DataFolder, QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(19.99);
        row.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(EncodeDate(2025, 1, 31));
    });
    for (const qint32 account : {1, 7})
        AppendRow(DataFolder, QStringLiteral("MEDEXPSP"), QString(), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
            row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(account);
            row.FieldByName(QStringLiteral("Amount")).SetAsFloat(0.29);
        });
    return expId;
}

std::vector<std::pair<QString, TDateTime>> CheckupEnv::Reminders()
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT Description, Due FROM TODO01 WHERE CategoryNo = 5 ORDER BY Due, Todoid");
    query.Open();
    std::vector<std::pair<QString, TDateTime>> rows;
    for (; !query.Eof(); query.Next())
        rows.emplace_back(query.Fields(0).AsString(), query.Fields(1).AsDateTime());
    return rows;
}

qint32 CheckupEnv::ToDoOf(qint32 templId)
{
    return Count(QStringLiteral("SELECT ToDoID FROM MEDTEMPL WHERE TemplID = %1").arg(templId));
}
