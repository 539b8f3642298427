#include "expenseenv.h"

#include "health/expensedata.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

namespace ExpenseEnv {

namespace {

void Run(const QStringList& sql, const QString& name = {}, const QVariant& value = {})
{
    TQuery query(DataFolder);
    query.SetSQL(sql);
    if (!name.isEmpty())
        query.ParamByName(name).SetAsString(value.toString());
    query.ExecSQL();
}

qint32 LastKey(const QString& table, const QString& key)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT MAX(%1) AS Id FROM %2").arg(key, table);
    query.Open();
    return query.FieldByName(QStringLiteral("Id")).AsInteger();
}

qint64 Cents(TDataSet& data, const char* name)
{
    return AmountToCents(data.FieldByName(QString::fromLatin1(name)).AsFloat()).value_or(-1);
}

}  // namespace

qint32 AddMember(const QString& firstName, const QString& lastName)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Display) VALUES (:First, :Last, 0)");
    query.ParamByName(QStringLiteral("First")).SetAsString(firstName);
    query.ParamByName(QStringLiteral("Last")).SetAsString(lastName);
    query.ExecSQL();
    return LastKey(QStringLiteral("MEDPROF"), QStringLiteral("MemberID"));
}

qint32 AddAccount(qint32 accountType, const QString& name)
{
    Run({QStringLiteral("INSERT INTO MEDINS (AccountType, AccountName, IndDeduct, Display)"),
         QStringLiteral("VALUES (%1, :Name, -1, 0)").arg(accountType)},
        QStringLiteral("Name"), name);
    return LastKey(QStringLiteral("MEDINS"), QStringLiteral("AccountID"));
}

void AddElection(qint32 accountId, int year)
{
    Run({QStringLiteral("INSERT INTO MEDYEAR (AccountID, ForYear, Amount) VALUES (%1, %2, 1000)").arg(accountId).arg(year)});
}

void Cover(qint32 accountId, qint32 memberId)
{
    Run({QStringLiteral("INSERT INTO MEDCOVER (AccountID, MemberID) VALUES (%1, %2)").arg(accountId).arg(memberId)});
}

qint32 AddReimbursedExpense(qint32 memberId, TDateTime date, qint32 fsa, qint64 reimbursed)
{
    TExpenseDraft draft;
    draft.memberId = memberId;
    draft.serviceDate = date;
    draft.officePaid = 10000;
    SetFsaReimbursement(draft, fsa, reimbursed);
    return FinishExpense(draft).expId;
}

QStringList Column(const QString& sql)
{
    return ColumnOf(DataFolder, sql);
}

QStringList Snapshot()
{
    return Column(QStringLiteral("SELECT ExpID || '|' || IFNULL(ExpType, '') || '|' || IFNULL(ServiceDate, '') || '|' || "
                                 "IFNULL(Description, '') || '|' || MemberID || '|' || OfficePaid || '|' || MailPaid || "
                                 "'|' || TotalExpense || '|' || OutofPocket || '|' || InsFSAPaid || '|' || "
                                 "IFNULL(Doctor, '') || '|' || IFNULL(DocAddrID, '') || '|' || IFNULL(Note, '') "
                                 "FROM MEDEXP ORDER BY ExpID")) +
           Column(QStringLiteral("SELECT ExpID || '|' || AccountID || '|' || Amount || '|' || IFNULL(Deductible, '') "
                                 "FROM MEDEXPSP ORDER BY rowid"));
}

qint64 CountOf(const QString& sql)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    query.Open();
    return query.Fields(0).AsInteger();
}

QStringList ExpenseContradictions()
{
    QStringList faults;
    TQuery expenses(DataFolder);
    expenses.SQL() << QStringLiteral("SELECT * FROM MEDEXP ORDER BY ExpID");
    for (expenses.Open(); !expenses.Eof(); expenses.Next()) {
        const qint32 expId = expenses.FieldByName(QStringLiteral("ExpID")).AsInteger();
        qint64 own = 0, insurance = 0, fsa = 0;
        int ownRows = 0;
        TQuery splits(DataFolder);
        splits.SQL() << QStringLiteral("SELECT S.AccountID, S.Amount, I.AccountType FROM MEDEXPSP S")
                     << QStringLiteral("LEFT JOIN MEDINS I ON I.AccountID = S.AccountID WHERE S.ExpID = %1").arg(expId);
        for (splits.Open(); !splits.Eof(); splits.Next()) {
            const qint64 amount = Cents(splits, "Amount");
            if (splits.FieldByName(QStringLiteral("AccountID")).AsInteger() == 1) {
                own += amount;
                ++ownRows;
            } else if (splits.FieldByName(QStringLiteral("AccountType")).AsInteger() == 5) {
                fsa += amount;
            } else {
                insurance += amount;
            }
        }
        const qint64 paid = Cents(expenses, "OfficePaid") + Cents(expenses, "MailPaid");
        const qint64 total = Cents(expenses, "TotalExpense");
        const qint64 oop = Cents(expenses, "OutofPocket");
        if (ownRows != 1 || total != paid + insurance || oop != own || oop != paid - fsa ||
            Cents(expenses, "InsFSAPaid") != total - oop)
            faults << QStringLiteral("expense %1 contradicts its %2 own-share rows").arg(expId).arg(ownRows);
    }
    const QStringList orphans =
        Column(QStringLiteral("SELECT DISTINCT ExpID FROM MEDEXPSP WHERE ExpID NOT IN (SELECT ExpID FROM MEDEXP)"));
    for (const QString& expId : orphans)
        faults << QStringLiteral("split rows without expense %1").arg(expId);
    return faults;
}

}  // namespace ExpenseEnv
