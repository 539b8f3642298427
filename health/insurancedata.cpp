#include "insurancedata.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "records/common/bizaddr.h"

#include <algorithm>

namespace {

constexpr double kNone = -1.0;

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QString::fromLatin1(name));
}

double Amount(std::optional<qint64> cents)
{
    return static_cast<double>(cents.value_or(0)) / 100.0;
}

double StoredChoice(const TAmountChoice& amount)
{
    return amount.choice == 0 ? kNone : Amount(amount.cents);
}

std::optional<qint64> Cents(double amount)
{
    return AmountToCents(amount);
}

TAmountChoice DeductibleOf(double stored)
{
    if (stored == kNone)
        return {0, std::nullopt};
    return {1, Cents(stored)};
}

// A limit of 0 or less is not known: the box stays empty.
TAmountChoice LimitOf(double stored)
{
    if (stored == kNone)
        return {0, std::nullopt};
    return {1, stored > 0 ? Cents(stored) : std::nullopt};
}

void WriteAccount(TQuery& query, const TInsurancePlan& entry)
{
    Field(query, "AccountType").SetAsInteger(StoredAccountType(entry.typeIndex));
    Field(query, "AccountName").SetAsString(entry.companyName);
    Field(query, "SubscriberNum").SetAsString(entry.subscriberNum);
    Field(query, "GroupNumber").SetAsString(entry.groupNumber);
    if (entry.copayChoice == kFixedCopay)
        Field(query, "Copay").SetAsFloat(Amount(entry.copayCents));
    else if (entry.copayChoice == kPercentCopay)
        Field(query, "Copay").SetAsFloat(entry.copayPercent.value_or(0));
    Field(query, "CopayType").SetAsInteger(StoredCopayType(entry.copayChoice));
    Field(query, "EffDate").SetAsDateTime(entry.effDate.value_or(0));
    Field(query, "Premium").SetAsFloat(Amount(entry.premiumCents));
    Field(query, "PremiumTime").SetAsInteger(entry.premiumTime);
    Field(query, "PremiumTUnit").SetAsInteger(entry.premiumUnit);
    Field(query, "IndAnnualMax").SetAsFloat(StoredChoice(entry.indAnnual));
    Field(query, "IndLifeMax").SetAsFloat(StoredChoice(entry.indLife));
    Field(query, "FamAnnualMax").SetAsFloat(StoredChoice(entry.famAnnual));
    Field(query, "FamLifeMax").SetAsFloat(StoredChoice(entry.famLife));
    Field(query, "IndDeduct").SetAsFloat(StoredChoice(entry.indDeduct));
    Field(query, "FamDeduct").SetAsFloat(StoredChoice(entry.famDeduct));
    // The folder tree places or renames the account's node.
    Field(query, "Display").SetAsInteger(0);
    Field(query, "AddrID").SetAsInteger(entry.addrId);
    Field(query, "Note").SetAsLines(entry.note);
}

void ResolveInsurer(TInsurancePlan& entry)
{
    if (!entry.companyName.isEmpty())
        entry.addrId = FindOrAppendBizAddr(entry.companyName, kInsurerCategory);
}

QString IdList(const std::vector<qint32>& ids)
{
    QStringList texts;
    for (const qint32 id : ids)
        texts << QString::number(id);
    return texts.join(QLatin1Char(','));
}

// The keys of the first list that the second lacks.
std::vector<qint32> Lacking(const std::vector<qint32>& ids, const std::vector<qint32>& others)
{
    std::vector<qint32> lacking;
    for (const qint32 id : ids) {
        if (std::find(others.begin(), others.end(), id) == others.end())
            lacking.push_back(id);
    }
    return lacking;
}

// Only the members moved in or out are written; a cover row of a member who
// is gone stays, as no list shows it.
void SetCoveredMembers(qint32 accountId, const std::vector<qint32>& coveredMembers)
{
    std::vector<qint32> stored;
    for (const TKeyedItem& member : ReadCoveredMembers(accountId))
        stored.push_back(member.key);
    RemoveCoveredMembers(accountId, Lacking(stored, coveredMembers));
    AddCoveredMembers(accountId, Lacking(coveredMembers, stored));
}

}  // namespace

int CountMembers()
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT COUNT(*) AS N FROM MEDPROF");
    query.Open();
    return query.Fields(0).AsInteger();
}

std::optional<TInsurancePlan> LoadInsuranceAccount(qint32 accountId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TInsurancePlan entry;
    entry.companyName = Field(query, "AccountName").AsString();
    entry.typeIndex = AccountTypeIndex(Field(query, "AccountType").AsInteger());
    const TDateTime effDate = Field(query, "EffDate").AsDateTime();
    if (effDate != 0)
        entry.effDate = effDate;
    entry.subscriberNum = Field(query, "SubscriberNum").AsString();
    entry.groupNumber = Field(query, "GroupNumber").AsString();
    const double premium = Field(query, "Premium").AsFloat();
    if (premium > 0)
        entry.premiumCents = Cents(premium);
    entry.premiumTime = Field(query, "PremiumTime").AsInteger();
    const qint32 unit = Field(query, "PremiumTUnit").AsInteger();
    entry.premiumUnit = unit >= 0 && unit <= 3 ? unit : -1;
    entry.copayChoice = CopayChoiceOf(Field(query, "CopayType").AsInteger());
    const double copay = Field(query, "Copay").AsFloat();
    if (entry.copayChoice == kFixedCopay)
        entry.copayCents = Cents(copay);
    else if (entry.copayChoice == kPercentCopay)
        entry.copayPercent = copay;
    entry.indDeduct = DeductibleOf(Field(query, "IndDeduct").AsFloat());
    entry.famDeduct = DeductibleOf(Field(query, "FamDeduct").AsFloat());
    entry.indAnnual = LimitOf(Field(query, "IndAnnualMax").AsFloat());
    entry.famAnnual = LimitOf(Field(query, "FamAnnualMax").AsFloat());
    entry.indLife = LimitOf(Field(query, "IndLifeMax").AsFloat());
    entry.famLife = LimitOf(Field(query, "FamLifeMax").AsFloat());
    entry.addrId = Field(query, "AddrID").AsInteger();
    entry.note = Field(query, "Note").AsLines();
    return entry;
}

qint32 InsertInsuranceAccount(TInsurancePlan entry, const std::vector<qint32>& coveredMembers)
{
    TTransaction transaction(DataFolder);
    ResolveInsurer(entry);
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    // No row is read: the live result only takes the new one.
    query.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = 0");
    query.Open();
    query.Append();
    WriteAccount(query, entry);
    query.Post();
    const qint32 accountId = Field(query, "AccountID").AsInteger();
    AddCoveredMembers(accountId, coveredMembers);
    transaction.Commit();
    return accountId;
}

void UpdateInsuranceAccount(qint32 accountId, TInsurancePlan entry, const std::vector<qint32>& coveredMembers)
{
    TTransaction transaction(DataFolder);
    ResolveInsurer(entry);
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    query.Open();
    if (query.Eof())
        throw EDatabaseError(QStringLiteral("The insurance account %1 is no longer in the database.").arg(accountId));
    query.Edit();
    WriteAccount(query, entry);
    query.Post();
    SetCoveredMembers(accountId, coveredMembers);
    transaction.Commit();
}

std::vector<TKeyedItem> ReadCoveredMembers(qint32 accountId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT P.MemberID, P.FirstName FROM MEDCOVER C")
                << QStringLiteral("JOIN MEDPROF P ON P.MemberID = C.MemberID")
                << QStringLiteral("WHERE C.AccountID = %1").arg(accountId) << QStringLiteral("ORDER BY C.rowid");
    std::vector<TKeyedItem> members;
    for (query.Open(); !query.Eof(); query.Next())
        members.push_back({Field(query, "MemberID").AsInteger(), Field(query, "FirstName").AsString()});
    return members;
}

std::vector<TKeyedItem> ReadMemberChoices(const std::vector<qint32>& coveredMembers)
{
    std::vector<TKeyedItem> members;
    for (const TKeyedItem& member : ReadExpenseMembers()) {
        if (std::find(coveredMembers.begin(), coveredMembers.end(), member.key) == coveredMembers.end())
            members.push_back(member);
    }
    return members;
}

void AddCoveredMembers(qint32 accountId, const std::vector<qint32>& memberIds)
{
    TTransaction transaction(DataFolder);
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("INSERT INTO MEDCOVER (AccountID, MemberID) VALUES (:AccountID, :MemberID)");
    for (const qint32 memberId : memberIds) {
        query.ParamByName(QStringLiteral("AccountID")).SetAsInteger(accountId);
        query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
        query.ExecSQL();
    }
    transaction.Commit();
}

void RemoveCoveredMembers(qint32 accountId, const std::vector<qint32>& memberIds)
{
    if (memberIds.empty())
        return;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM MEDCOVER")
                << QStringLiteral("WHERE AccountID = %1 AND MemberID IN (%2)").arg(accountId).arg(IdList(memberIds));
    query.ExecSQL();
}
