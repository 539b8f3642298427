#include "insuranceenv.h"

#include "platform/dataset.h"

qint32 InsuranceEnv::AddMemberNamed(const QString& first, const QString& middle, const QString& last) const
{
    return AppendRow(folder_.Path(), QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("FirstName")).SetAsString(first);
        row.FieldByName(QStringLiteral("MiddleName")).SetAsString(middle);
        row.FieldByName(QStringLiteral("LastName")).SetAsString(last);
    });
}

qint32 InsuranceEnv::AddAccountRow(qint32 accountType, const QString& name) const
{
    return AppendRow(folder_.Path(), QStringLiteral("MEDINS"), QStringLiteral("AccountID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("AccountType")).SetAsInteger(accountType);
        row.FieldByName(QStringLiteral("AccountName")).SetAsString(name);
        row.FieldByName(QStringLiteral("Display")).SetAsInteger(0);
    });
}

void InsuranceEnv::AddSplitPaid(qint32 expId, qint32 accountId, double amount, double deductible) const
{
    AppendRow(folder_.Path(), QStringLiteral("MEDEXPSP"), {}, [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("ExpID")).SetAsInteger(expId);
        row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(accountId);
        row.FieldByName(QStringLiteral("Amount")).SetAsFloat(amount);
        row.FieldByName(QStringLiteral("Deductible")).SetAsFloat(deductible);
    });
}

void InsuranceEnv::AddYear(qint32 accountId, int year, double amount, const QString& note) const
{
    AppendRow(folder_.Path(), QStringLiteral("MEDYEAR"), {}, [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("AccountID")).SetAsInteger(accountId);
        row.FieldByName(QStringLiteral("ForYear")).SetAsInteger(year);
        row.FieldByName(QStringLiteral("Amount")).SetAsFloat(amount);
        row.FieldByName(QStringLiteral("Note")).SetAsString(note);
    });
}

void InsuranceEnv::Spend(qint32 memberId, TDateTime date, qint32 accountId, double amount, double deductible) const
{
    AddSplitPaid(AddExpense(memberId, date, amount, 0), accountId, amount, deductible);
}

TInsurancePlan GoodEntry()
{
    TInsurancePlan entry;
    entry.typeIndex = 0;
    entry.companyName = QStringLiteral("Blue Valley \"Care\"");
    entry.effDate = EncodeDate(2024, 1, 1);
    entry.indDeduct = {1, 1999};
    return entry;
}

TInsurancePlan PercentEntry(double percent)
{
    TInsurancePlan entry = GoodEntry();
    entry.copayChoice = kPercentCopay;
    entry.copayPercent = percent;
    return entry;
}
