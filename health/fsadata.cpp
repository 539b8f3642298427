#include "fsadata.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/storedcents.h"

#include <QtNumeric>

namespace {

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QString::fromLatin1(name));
}

void WriteYear(TQuery& query, qint32 accountId, const TFsaElection& entry)
{
    Field(query, "AccountID").SetAsInteger(accountId);
    Field(query, "ForYear").SetAsInteger(entry.year);
    WriteStoredCents(query, "Amount", entry.electedCents.value_or(0));
    Field(query, "Note").SetAsLines(entry.note);
}

QStringList YearSql(qint32 accountId, int year)
{
    return {QStringLiteral("SELECT * FROM MEDYEAR"), QStringLiteral("WHERE AccountID = %1 AND ForYear = %2").arg(accountId).arg(year)};
}

}  // namespace

std::optional<TFsaRefusal> CheckFsaEntry(const TFsaElection& entry)
{
    if (entry.employerName.isEmpty())
        return TFsaRefusal::EmployerName;
    if (entry.year < 1)
        return TFsaRefusal::TaxYear;
    if (!entry.electedCents)
        return TFsaRefusal::ElectedAmount;
    return std::nullopt;
}

QString FsaRefusalText(TFsaRefusal refusal)
{
    switch (refusal) {
    case TFsaRefusal::EmployerName: return QStringLiteral("Please enter your company name.");
    case TFsaRefusal::TaxYear: return QStringLiteral("Please enter the tax year.");
    case TFsaRefusal::ElectedAmount: break;
    }
    return QStringLiteral("Please enter the total amount before saving record.");
}

std::optional<QString> ReadAccountName(qint32 accountId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT AccountName FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return Field(query, "AccountName").AsString();
}

std::optional<TFsaYear> ReadFsaYear(qint32 accountId, int year)
{
    TQuery query(DataFolder);
    query.SetSQL(YearSql(accountId, year));
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TFsaYear{ReadStoredCents(query, "Amount"), Field(query, "Note").AsLines()};
}

qint32 InsertFsaAccount(const TFsaElection& entry)
{
    TTransaction transaction(DataFolder);
    TQuery account(DataFolder);
    account.SetRequestLive(true);
    account.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = 0");
    account.Open();
    account.Append();
    Field(account, "AccountType").SetAsInteger(kFsaAccountType);
    Field(account, "AccountName").SetAsString(entry.employerName);
    // The folder tree places the new node.
    Field(account, "Display").SetAsInteger(0);
    account.Post();
    const qint32 accountId = Field(account, "AccountID").AsInteger();

    TQuery year(DataFolder);
    year.SetRequestLive(true);
    year.SetSQL(YearSql(accountId, entry.year));
    year.Open();
    year.Append();
    WriteYear(year, accountId, entry);
    year.Post();
    transaction.Commit();
    return accountId;
}

void UpdateFsaAccount(qint32 accountId, const TFsaElection& entry)
{
    TTransaction transaction(DataFolder);
    TQuery account(DataFolder);
    account.SetRequestLive(true);
    account.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    account.Open();
    if (account.Eof())
        throw EDatabaseError(QStringLiteral("The FSA %1 is no longer in the database.").arg(accountId));
    account.Edit();
    Field(account, "AccountName").SetAsString(entry.employerName);
    account.Post();

    TQuery year(DataFolder);
    year.SetRequestLive(true);
    year.SetSQL(YearSql(accountId, entry.year));
    year.Open();
    if (year.Eof())
        year.Append();
    else
        year.Edit();
    WriteYear(year, accountId, entry);
    year.Post();
    transaction.Commit();
}

QString FsaAmountText(std::optional<qint64> cents)
{
    const FormatSettings& formats = ProcessFormats();
    return CentsToText(cents.value_or(kTooBigToShowCents), formats.decimalSeparator, formats.thousandSeparator);
}

std::optional<qint64> FsaBalance(qint64 electedCents, const TCentsSum& reimbursed)
{
    qint64 balance = 0;
    if (!reimbursed.Cents() || qSubOverflow(electedCents, *reimbursed.Cents(), &balance))
        return std::nullopt;
    return balance;
}
