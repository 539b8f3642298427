#include "expensetableenv.h"

#include "context/context.h"
#include "platform/dataset.h"


void ExpenseTableEnv::SetUp()
{
    DataFolder = folder_.Path();
    savedFormats_ = ProcessFormats();
    FormatSettings& formats = ProcessFormats();
    formats.shortDateFormat = QStringLiteral("m/d/yyyy");
    formats.dateSeparator = QLatin1Char('/');
    formats.currencyString = QStringLiteral("$");
    formats.decimalSeparator = QLatin1Char('.');
    formats.thousandSeparator = QLatin1Char(',');
    Clock::SetFixed(QDateTime(QDate(2024, 6, 14), QTime(10, 0)));
}

void ExpenseTableEnv::TearDown()
{
    ProcessFormats() = savedFormats_;
    Clock::SetFixed(QDateTime());
    DataFolder.clear();
}

qint32 ExpenseTableEnv::AddMember(const QString& firstName) const
{
    return AppendRow(folder_.Path(), QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
        row.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("Miller"));
    });
}

qint32 ExpenseTableEnv::AddExpense(qint32 memberId, TDateTime date, double total, double outOfPocket,
                              const QString& description, const QString& doctor) const
{
    return AppendRow(folder_.Path(), QStringLiteral("MEDEXP"), QStringLiteral("ExpID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ExpType")).SetAsInteger(0);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
        row.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(date);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(total);
        row.FieldByName(QStringLiteral("OutofPocket")).SetAsFloat(outOfPocket);
        row.FieldByName(QStringLiteral("InsFSAPaid")).SetAsFloat(total - outOfPocket);
        row.FieldByName(QStringLiteral("Description")).SetAsString(description);
        row.FieldByName(QStringLiteral("Doctor")).SetAsString(doctor);
        row.FieldByName(QStringLiteral("CheckupID")).SetAsInteger(0);
    });
}

void ExpenseTableEnv::AddSplit(qint32 expId, qint32 accountId, double amount) const
{
    AppendRow(folder_.Path(), QStringLiteral("MEDEXPSP"), {}, [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
        row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(accountId);
        row.FieldByName(QStringLiteral("Amount")).SetAsFloat(amount);
        row.FieldByName(QStringLiteral("Deductible")).SetAsFloat(0);
    });
}

qint32 ExpenseTableEnv::AddCheckup(qint32 memberId, qint32 expId) const
{
    return AppendRow(folder_.Path(), QStringLiteral("MEDCHEK"), QStringLiteral("CheckupID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
        row.FieldByName(QStringLiteral("TemplID")).SetAsInteger(7);
        row.FieldByName(QStringLiteral("DateDone")).SetAsDateTime(EncodeDate(2024, 2, 29));
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
    });
}

void ExpenseTableEnv::Execute(const QString& sql) const
{
    TQuery query(folder_.Path());
    query.SQL() << sql;
    query.ExecSQL();
}

QStringList ExpenseTableEnv::Dump(const QString& table, const QString& orderBy) const
{
    QStringList rows;
    TQuery query(folder_.Path());
    query.SQL() << QStringLiteral("SELECT * FROM ") + table << QStringLiteral("ORDER BY ") + orderBy;
    for (query.Open(); !query.Eof(); query.Next()) {
        QStringList cells;
        for (int n = 0; n < query.FieldCount(); ++n)
            cells << query.Fields(n).AsString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}
