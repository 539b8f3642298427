#include "pagetestenv.h"

#include "context/context.h"
#include "platform/dataset.h"

void PageTest::SetUp()
{
    DataFolder = folder_.Path();
    Clock::SetFixed(QDateTime(QDate(kThisYear, 6, 15), QTime(10, 0)));
    savedFormats_ = ProcessFormats();
    FormatSettings& formats = ProcessFormats();
    formats.shortDateFormat = QStringLiteral("m/d/yyyy");
    formats.dateSeparator = QLatin1Char('/');
    formats.currencyString = QStringLiteral("$");
    formats.decimalSeparator = QLatin1Char('.');
    formats.thousandSeparator = QLatin1Char(',');
    MemberAdded = InsuranceSaved = FSASaved = false;
    MemberFirstName.clear();
}

void PageTest::TearDown()
{
    for (TDialogID id : fakes_)
        Launcher::Unregister(id);
    ProcessFormats() = savedFormats_;
    Clock::SetFixed(QDateTime());
    DataFolder.clear();
}

qint32 PageTest::Append(const QString& table, const std::function<void(TDataSet&)>& fill, const QString& keyField) const
{
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM ") + table;
    q.Open();
    q.Append();
    fill(q);
    q.Post();
    return keyField.isEmpty() ? 0 : q.FieldByName(keyField).AsInteger();
}

qint32 PageTest::AddMember(const QString& firstName, qint32 sex, TDateTime dateOfBirth, const QString& lastName)
{
    return Append(QStringLiteral("MEDPROF"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
        row.FieldByName(QStringLiteral("LastName")).SetAsString(lastName);
        row.FieldByName(QStringLiteral("Sex")).SetAsInteger(sex);
        row.FieldByName(QStringLiteral("DOB")).SetAsDateTime(dateOfBirth);
        row.FieldByName(QStringLiteral("Display")).SetAsInteger(0);
    }, QStringLiteral("MemberID"));
}

qint32 PageTest::AddAccount(qint32 accountType, const QString& name)
{
    return Append(QStringLiteral("MEDINS"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("AccountType")).SetAsInteger(accountType);
        row.FieldByName(QStringLiteral("AccountName")).SetAsString(name);
        row.FieldByName(QStringLiteral("Display")).SetAsInteger(0);
    }, QStringLiteral("AccountID"));
}

void PageTest::AddElectedAmount(qint32 accountID, int year, double amount)
{
    Append(QStringLiteral("MEDYEAR"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
        row.FieldByName(QStringLiteral("ForYear")).SetAsInteger(year);
        row.FieldByName(QStringLiteral("Amount")).SetAsFloat(amount);
    });
}

qint32 PageTest::AddExpense(qint32 memberID, TDateTime serviceDate, double total, double outOfPocket)
{
    return Append(QStringLiteral("MEDEXP"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ExpType")).SetAsInteger(0);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
        row.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(serviceDate);
        row.FieldByName(QStringLiteral("TotalExpense")).SetAsFloat(total);
        row.FieldByName(QStringLiteral("OutofPocket")).SetAsFloat(outOfPocket);
    }, QStringLiteral("ExpID"));
}

void PageTest::AddSplit(qint32 expID, qint32 accountID, double amount)
{
    Append(QStringLiteral("MEDEXPSP"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expID);
        row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
        row.FieldByName(QStringLiteral("Amount")).SetAsFloat(amount);
    });
}

qint32 PageTest::AddToDo(const QString& description, TDateTime due, bool done)
{
    return Append(QStringLiteral("TODO01"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
        row.FieldByName(QStringLiteral("Description")).SetAsString(description);
        row.FieldByName(QStringLiteral("Due")).SetAsDateTime(due);
        row.FieldByName(QStringLiteral("Done")).SetAsBoolean(done);
    }, QStringLiteral("Todoid"));
}

void PageTest::AddScheduleRow(qint32 memberID, qint32 todoID)
{
    Append(QStringLiteral("MEDTEMPL"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(4);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Dental cleaning"));
        row.FieldByName(QStringLiteral("ToDoID")).SetAsInteger(todoID);
    });
}

int PageTest::Count(const QString& sql) const
{
    TQuery q(folder_.Path());
    q.SQL() << sql;
    q.Open();
    return q.RecordCount();
}

QStringList PageTest::Column(const QString& sql) const
{
    QStringList values;
    TQuery q(folder_.Path());
    q.SQL() << sql;
    for (q.Open(); !q.Eof(); q.Next())
        values.append(q.Fields(0).AsString());
    return values;
}

void PageTest::FakeDialog(TDialogID id, TDialogOpener opener)
{
    Launcher::Register(id, std::move(opener));
    fakes_.push_back(id);
}

int* PageTest::CountingDialog(TDialogID id)
{
    counters_.push_back(std::make_unique<int>(0));
    int* count = counters_.back().get();
    FakeDialog(id, [count](const TDialogRequest&) {
        ++*count;
        TDialogOutcome outcome;
        outcome.cancelled = true;
        return outcome;
    });
    return count;
}
