#include "pagetestenv.h"

#include "platform/dataset.h"
#include "shell/context/context.h"

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

qint32 PageTest::Append(const QString& table, const std::vector<std::pair<QString, QVariant>>& values,
                        const QString& keyField) const
{
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM ") + table;
    q.Open();
    q.Append();
    for (const auto& [field, value] : values) {
        if (value.typeId() == QMetaType::Double)
            q.FieldByName(field).SetAsFloat(value.toDouble());
        else if (value.typeId() == QMetaType::Bool)
            q.FieldByName(field).SetAsBoolean(value.toBool());
        else if (value.typeId() == QMetaType::Int)
            q.FieldByName(field).SetAsInteger(value.toInt());
        else
            q.FieldByName(field).SetAsString(value.toString());
    }
    q.Post();
    return keyField.isEmpty() ? 0 : q.FieldByName(keyField).AsInteger();
}

qint32 PageTest::AddMember(const QString& firstName, qint32 sex, TDateTime dateOfBirth, const QString& lastName)
{
    const qint32 id = Append(QStringLiteral("MEDPROF"),
                             {{QStringLiteral("FirstName"), firstName},
                              {QStringLiteral("LastName"), lastName},
                              {QStringLiteral("Sex"), sex},
                              {QStringLiteral("Display"), 0}},
                             QStringLiteral("MemberID"));
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF WHERE MemberID = :MemberID");
    q.ParamByName(QStringLiteral("MemberID")).SetAsInteger(id);
    q.Open();
    q.Edit();
    q.FieldByName(QStringLiteral("DOB")).SetAsDateTime(dateOfBirth);
    q.Post();
    return id;
}

qint32 PageTest::AddAccount(qint32 accountType, const QString& name)
{
    return Append(QStringLiteral("MEDINS"),
                  {{QStringLiteral("AccountType"), accountType},
                   {QStringLiteral("AccountName"), name},
                   {QStringLiteral("Display"), 0}},
                  QStringLiteral("AccountID"));
}

void PageTest::AddElectedAmount(qint32 accountID, int year, double amount)
{
    Append(QStringLiteral("MEDYEAR"),
           {{QStringLiteral("AccountID"), accountID}, {QStringLiteral("ForYear"), year}, {QStringLiteral("Amount"), amount}},
           QString());
}

qint32 PageTest::AddExpense(qint32 memberID, TDateTime serviceDate, double total, double outOfPocket)
{
    const qint32 id = Append(QStringLiteral("MEDEXP"),
                             {{QStringLiteral("MemberID"), memberID},
                              {QStringLiteral("TotalExpense"), total},
                              {QStringLiteral("OutofPocket"), outOfPocket},
                              {QStringLiteral("ExpType"), 0}},
                             QStringLiteral("ExpID"));
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDEXP WHERE ExpID = :ExpID");
    q.ParamByName(QStringLiteral("ExpID")).SetAsInteger(id);
    q.Open();
    q.Edit();
    q.FieldByName(QStringLiteral("ServiceDate")).SetAsDateTime(serviceDate);
    q.Post();
    return id;
}

void PageTest::AddSplit(qint32 expID, qint32 accountID, double amount)
{
    Append(QStringLiteral("MEDEXPSP"),
           {{QStringLiteral("ExpID"), expID}, {QStringLiteral("AccountID"), accountID}, {QStringLiteral("Amount"), amount}},
           QString());
}

qint32 PageTest::AddToDo(const QString& description, TDateTime due, bool done)
{
    const qint32 id = Append(QStringLiteral("TODO01"),
                             {{QStringLiteral("CategoryNo"), 5},
                              {QStringLiteral("Description"), description},
                              {QStringLiteral("Done"), done}},
                             QStringLiteral("Todoid"));
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM TODO01 WHERE Todoid = :Todoid");
    q.ParamByName(QStringLiteral("Todoid")).SetAsInteger(id);
    q.Open();
    q.Edit();
    q.FieldByName(QStringLiteral("Due")).SetAsDateTime(due);
    q.Post();
    return id;
}

void PageTest::AddScheduleRow(qint32 memberID, qint32 todoID)
{
    Append(QStringLiteral("MEDTEMPL"),
           {{QStringLiteral("TemplType"), 4},
            {QStringLiteral("MemberID"), memberID},
            {QStringLiteral("ItemStr1"), QStringLiteral("Dental cleaning")},
            {QStringLiteral("ToDoID"), todoID}},
           QString());
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
