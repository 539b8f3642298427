#include "expensedata.h"

#include "doctorboxes.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/bizaddr.h"
#include "records/common/storedcents.h"

#include <functional>

namespace {

constexpr qint32 kFsaAccountType = 5;
constexpr qint64 kNoDeductibleCents = -100;

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QString::fromLatin1(name));
}

bool IsInsuranceType(qint32 type)
{
    return (type >= 1 && type <= 4) || type == 6;
}

// The row of a deleted account no longer tells its kind by the account; only
// insurance rows are written with a deductible.
void KeepSplit(TExpenseDraft& draft, TDataSet& row, qint32 accountId)
{
    const qint64 amount = ReadStoredCents(row, "Amount");
    if (Field(row, "Deductible").IsNull())
        draft.keptFsa.push_back({accountId, amount});
    else
        draft.keptInsurance.push_back({accountId, amount, ReadStoredCents(row, "Deductible")});
}

void LoadSplits(TExpenseDraft& draft)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT S.AccountID, S.Amount, S.Deductible, I.AccountType,")
                << QStringLiteral("I.AccountID IS NULL AS Deleted")
                << QStringLiteral("FROM MEDEXPSP S LEFT JOIN MEDINS I ON I.AccountID = S.AccountID")
                << QStringLiteral("WHERE S.ExpID = %1 AND S.AccountID > %2").arg(draft.expId).arg(kOwnShareAccountID)
                << QStringLiteral("ORDER BY S.rowid");
    for (query.Open(); !query.Eof(); query.Next()) {
        const qint32 accountId = Field(query, "AccountID").AsInteger();
        const qint32 type = Field(query, "AccountType").AsInteger();
        if (Field(query, "Deleted").AsInteger() != 0) {
            KeepSplit(draft, query, accountId);
        } else if (IsInsuranceType(type)) {
            SetInsurancePayment(draft, accountId, ReadStoredCents(query, "Amount"));
            SetInsuranceDeductible(draft, accountId, ReadStoredCents(query, "Deductible"));
        } else if (type == kFsaAccountType) {
            SetFsaReimbursement(draft, accountId, ReadStoredCents(query, "Amount"));
        }
    }
}

// The doctor's business key, the row made when the name is new.
qint32 ResolveDoctor(const TExpenseDraft& draft)
{
    if (draft.doctor.isEmpty())
        return draft.docAddrId;
    return FindOrAppendBizAddr(draft.doctor, kDoctorsCategory);
}

void SetExpenseRow(TQuery& query, const TExpenseDraft& draft, qint32 docAddrId, const TExpenseSplits& splits)
{
    Field(query, "MemberID").SetAsInteger(draft.memberId);
    Field(query, "ServiceDate").SetAsDateTime(draft.serviceDate);
    Field(query, "Description").SetAsString(draft.description);
    WriteStoredCents(query, "OfficePaid", draft.officePaid);
    WriteStoredCents(query, "MailPaid", draft.mailPaid);
    WriteStoredCents(query, "TotalExpense", splits.total);
    WriteStoredCents(query, "OutofPocket", splits.outOfPocket);
    WriteStoredCents(query, "InsFSAPaid", splits.insFsaPaid);
    Field(query, "Doctor").SetAsString(draft.doctor);
    Field(query, "DocAddrID").SetAsInteger(docAddrId);
    Field(query, "Note").SetAsLines(draft.note);
}

qint32 InsertExpenseRow(const TExpenseDraft& draft, qint32 docAddrId, const TExpenseSplits& splits)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    // No row is read: the live result only takes the new one.
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXP") << QStringLiteral("WHERE ExpID = 0");
    query.Open();
    query.Append();
    Field(query, "ExpType").SetAsInteger(0);
    Field(query, "CheckupID").SetAsInteger(draft.checkupId);
    SetExpenseRow(query, draft, docAddrId, splits);
    query.Post();
    return Field(query, "ExpID").AsInteger();
}

void UpdateExpenseRow(const TExpenseDraft& draft, qint32 docAddrId, const TExpenseSplits& splits)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXP") << QStringLiteral("WHERE ExpID = %1").arg(draft.expId);
    query.Open();
    if (query.Eof())
        throw EDatabaseError(QStringLiteral("The expense %1 is no longer in the database.").arg(draft.expId));
    query.Edit();
    SetExpenseRow(query, draft, docAddrId, splits);
    query.Post();
}

void ReplaceSplitRows(qint32 expId, const std::vector<TSplitRow>& rows)
{
    TQuery erase(DataFolder);
    erase.SQL() << QStringLiteral("DELETE FROM MEDEXPSP") << QStringLiteral("WHERE ExpID = %1").arg(expId);
    erase.ExecSQL();
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXPSP") << QStringLiteral("WHERE ExpID = 0 AND AccountID = 0");
    query.Open();
    for (const TSplitRow& row : rows) {
        query.Append();
        Field(query, "ExpID").SetAsInteger(expId);
        Field(query, "AccountID").SetAsInteger(row.accountId);
        WriteStoredCents(query, "Amount", row.amount);
        if (row.deductible)
            WriteStoredCents(query, "Deductible", *row.deductible);
        query.Post();
    }
}

std::vector<TKeyedItem> ReadKeyedItems(const QStringList& sql, const char* key, const char* text,
                                      const std::function<QString(TDataSet&, QString)>& dress)
{
    TQuery query(DataFolder);
    query.SetSQL(sql);
    std::vector<TKeyedItem> items;
    for (query.Open(); !query.Eof(); query.Next())
        items.push_back({Field(query, key).AsInteger(), dress(query, Field(query, text).AsString())});
    return items;
}

QString AsItIs(TDataSet&, QString text)
{
    return text;
}

QString WithKind(TDataSet& query, QString name)
{
    switch (Field(query, "AccountType").AsInteger()) {
    case 1: return name + QStringLiteral("(Medical)");
    case 2: return name + QStringLiteral("(Dental)");
    case 3: return name + QStringLiteral("(Vision)");
    case 4: return name + QStringLiteral("(Drug)");
    default: return name + QStringLiteral("(Others)");
    }
}

// As the account boxes show it: an insurance account with its kind.
QString AccountText(qint32 accountId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT AccountName, AccountType FROM MEDINS")
                << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    query.Open();
    if (query.Eof())
        return {};
    const QString name = Field(query, "AccountName").AsString();
    return Field(query, "AccountType").AsInteger() == kFsaAccountType ? name : WithKind(query, name);
}

}  // namespace

std::vector<TKeyedItem> ReadExpenseMembers()
{
    return ReadKeyedItems({QStringLiteral("SELECT * FROM MEDPROF"), QStringLiteral("ORDER BY MemberID")}, "MemberID",
                          "FirstName", AsItIs);
}

std::vector<TKeyedItem> ReadInsuranceAccounts()
{
    return ReadKeyedItems({QStringLiteral("SELECT * FROM MEDINS"), QStringLiteral("WHERE AccountType > 0"),
                           QStringLiteral("AND AccountType < 5"), QStringLiteral("OR AccountType = 6")},
                          "AccountID", "AccountName", WithKind);
}

std::vector<TKeyedItem> ReadFsaAccounts()
{
    return ReadKeyedItems({QStringLiteral("SELECT AccountID, AccountName FROM MEDINS"),
                           QStringLiteral("WHERE AccountType = %1").arg(kFsaAccountType)},
                          "AccountID", "AccountName", AsItIs);
}

bool ExpenseTableEmpty()
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT ExpID FROM MEDEXP LIMIT 1");
    query.Open();
    return query.Eof();
}

std::optional<TExpenseDraft> LoadExpense(qint32 expId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM MEDEXP") << QStringLiteral("WHERE ExpID = %1").arg(expId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TExpenseDraft draft;
    draft.expId = expId;
    draft.memberId = Field(query, "MemberID").AsInteger();
    draft.serviceDate = Field(query, "ServiceDate").AsDateTime();
    draft.description = Field(query, "Description").AsString();
    draft.doctor = Field(query, "Doctor").AsString();
    draft.docAddrId = Field(query, "DocAddrID").AsInteger();
    draft.checkupId = Field(query, "CheckupID").AsInteger();
    draft.note = Field(query, "Note").AsLines();
    draft.officePaid = ReadStoredCents(query, "OfficePaid");
    draft.mailPaid = ReadStoredCents(query, "MailPaid");
    LoadSplits(draft);
    return draft;
}

std::set<qint32> ElectedFsaAccounts(int year)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT AccountID FROM MEDYEAR") << QStringLiteral("WHERE ForYear = %1").arg(year);
    std::set<qint32> elected;
    for (query.Open(); !query.Eof(); query.Next())
        elected.insert(Field(query, "AccountID").AsInteger());
    return elected;
}

std::optional<TInsuranceFacts> ReadInsuranceFacts(qint32 accountId, qint32 memberId)
{
    TQuery account(DataFolder);
    account.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountID = %1").arg(accountId);
    account.Open();
    if (account.Eof())
        return std::nullopt;
    TInsuranceFacts facts;
    facts.effectiveDate = Field(account, "EffDate").AsDateTime();
    facts.hasDeductible = ReadStoredCents(account, "IndDeduct") != kNoDeductibleCents;
    TQuery cover(DataFolder);
    cover.SQL() << QStringLiteral("SELECT * FROM MEDCOVER")
                << QStringLiteral("WHERE AccountID = %1 AND MemberID = %2").arg(accountId).arg(memberId);
    cover.Open();
    facts.coversMember = !cover.Eof();
    return facts;
}

TExpenseVerdict JudgeExpense(const TExpenseDraft& draft, const std::optional<TExpenseDraft>& stored)
{
    TExpenseVerdict verdict;
    const std::set<qint32> elected = ElectedFsaAccounts(DecodeDate(draft.serviceDate).year);
    verdict.refusal = CheckNoNegativeAmount(draft);
    if (!verdict.refusal)
        verdict.refusal = CheckAccountsFit(
            PaymentsToHold(draft, stored),
            [&draft](qint32 accountId) { return ReadInsuranceFacts(accountId, draft.memberId); }, elected,
            AccountText);
    if (verdict.refusal)
        return verdict;
    verdict.splits = ComputeSplits(draft, elected);
    verdict.refusal = CheckFinish(verdict.splits);
    return verdict;
}

void RestateExpenseSums(qint32 expId)
{
    const std::optional<TExpenseDraft> draft = LoadExpense(expId);
    if (!draft)
        return;
    const TExpenseSplits splits = ComputeSplits(*draft, ElectedFsaAccounts(DecodeDate(draft->serviceDate).year));
    UpdateExpenseRow(*draft, draft->docAddrId, splits);
    ReplaceSplitRows(expId, splits.rows);
}

TFinishResult FinishExpense(TExpenseDraft draft)
{
    TFinishResult result;
    TExpenseVerdict verdict = JudgeExpense(draft, draft.expId != 0 ? LoadExpense(draft.expId) : std::nullopt);
    result.refusal = std::move(verdict.refusal);
    result.splits = std::move(verdict.splits);
    if (result.refusal)
        return result;
    TTransaction transaction(DataFolder);
    result.docAddrId = ResolveDoctor(draft);
    if (draft.expId == 0) {
        result.expId = InsertExpenseRow(draft, result.docAddrId, result.splits);
    } else {
        result.expId = draft.expId;
        UpdateExpenseRow(draft, result.docAddrId, result.splits);
    }
    ReplaceSplitRows(result.expId, result.splits.rows);
    transaction.Commit();
    return result;
}
