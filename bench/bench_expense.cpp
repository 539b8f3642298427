// One Finish of the expense dialog: a new expense with four split rows (two
// insurance payments, two FSA reimbursements, besides its own share), on a
// household with 20,000 expenses over ten years and 40,000 split rows.
#include "benchfolder.h"
#include "context/context.h"
#include "health/expensedata.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kExpenses = 20000;
constexpr int kDays = 3650;

class Household {
public:
    Household()
    {
        DataFolder = folder_.Path();
        const TDateTime first = EncodeDate(2015, 1, 1);
        TTransaction transaction(DataFolder);
        folder_.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Display) VALUES ('Ann', 'Lee', 1)")}, {});
        for (const QString& account : {QStringLiteral("1, 'Medical'"), QStringLiteral("2, 'Dental'"),
                                       QStringLiteral("5, 'FSA one'"), QStringLiteral("5, 'FSA two'")})
            folder_.Run({QStringLiteral("INSERT INTO MEDINS (AccountType, AccountName, Display) VALUES (%1, 1)").arg(account)}, {});
        folder_.Run({QStringLiteral("INSERT INTO MEDCOVER (AccountID, MemberID)"),
                     QStringLiteral("SELECT AccountID, 1 FROM MEDINS WHERE AccountType IN (1, 2)")}, {});
        folder_.Run({QStringLiteral("INSERT INTO MEDYEAR (AccountID, ForYear, Amount)"),
                     QStringLiteral("SELECT AccountID, 2024, 1000 FROM MEDINS WHERE AccountType = 5")}, {});
        folder_.Run({QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)").arg(kExpenses),
                     QStringLiteral("INSERT INTO MEDEXP (ExpType, ServiceDate, Description, MemberID, OfficePaid, MailPaid,"),
                     QStringLiteral(" TotalExpense, OutofPocket, InsFSAPaid, Doctor, DocAddrID, CheckupID)"),
                     QStringLiteral("SELECT 0, %1 + (i * %2) / %3, 'Visit ' || i, 1, 20, 5, 65, 25, 40, 'Dr. Lee', 0, 0 FROM n")
                         .arg(first).arg(kDays).arg(kExpenses)}, {});
        folder_.Run({QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount) SELECT ExpID, 1, 25 FROM MEDEXP")}, {});
        folder_.Run({QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount, Deductible)"),
                     QStringLiteral("SELECT ExpID, 2, 40, 0 FROM MEDEXP")}, {});
        transaction.Commit();
        if (Count(QStringLiteral("MEDEXP")) != kExpenses || Count(QStringLiteral("MEDEXPSP")) != 2 * kExpenses)
            qFatal("the household was not laid");
    }
    ~Household() { DataFolder.clear(); }

private:
    static qint32 Count(const QString& table)
    {
        TQuery query(DataFolder);
        query.SQL() << QStringLiteral("SELECT COUNT(*) AS N FROM %1").arg(table);
        query.Open();
        return query.FieldByName(QStringLiteral("N")).AsInteger();
    }

    BenchFolder folder_;
};

TExpenseDraft FourSplits()
{
    TExpenseDraft draft;
    draft.memberId = 1;
    draft.serviceDate = EncodeDate(2024, 6, 14);
    draft.description = QStringLiteral("Check-up");
    draft.doctor = QStringLiteral("Dr. Lee");
    draft.officePaid = 1999;
    draft.mailPaid = 29;
    SetInsurancePayment(draft, 2, 3333);
    SetInsurancePayment(draft, 3, 3333);
    SetFsaReimbursement(draft, 4, 70);
    SetFsaReimbursement(draft, 5, 10);
    return draft;
}

void FinishNewExpense(benchmark::State& state)
{
    Household household;
    const TExpenseDraft draft = FourSplits();
    for (auto _ : state)
        benchmark::DoNotOptimize(FinishExpense(draft).expId);
}
BENCHMARK(FinishNewExpense)->Unit(benchmark::kMillisecond);

void FinishEditedExpense(benchmark::State& state)
{
    Household household;
    TExpenseDraft draft = FourSplits();
    draft.expId = kExpenses / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(FinishExpense(draft).expId);
}
BENCHMARK(FinishEditedExpense)->Unit(benchmark::kMillisecond);

}  // namespace
