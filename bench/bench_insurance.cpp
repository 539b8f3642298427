// Opening the insurance account dialog on an account with 40,000 split rows
// over ten years (five members), and the FSA dialog on one with 5,000
// reimbursements in the year shown: each opening reads the account, its
// members and the year's sums.
#include "benchhousehold.h"

#include "context/context.h"
#include "health/dlgaddfsa.h"
#include "health/dlgnewinsurance.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kInsuranceSplits = 40000;
constexpr int kReimbursements = 5000;
constexpr int kYears = 10;
constexpr int kMembers = 5;
constexpr qint32 kInsurance = 1;
constexpr qint32 kFsa = 2;

int ThisYear()
{
    return Clock::CurrentDateTime().date().year();
}

void AddExpenseWithSplit(const BenchFolder& folder, int expId, TDateTime date, qint32 accountId, int n)
{
    const QString amount = QString::number((n * 7919 % 10000) / 100.0);
    folder.Run({QStringLiteral("INSERT INTO MEDEXP (ExpID, ExpType, ServiceDate, MemberID, TotalExpense, OutofPocket)"),
                QStringLiteral("VALUES (:ExpID, 0, :ServiceDate, :MemberID, :Amount, 0)")},
               {{QStringLiteral("ExpID"), expId},
                {QStringLiteral("ServiceDate"), date},
                {QStringLiteral("MemberID"), n % kMembers + 1},
                {QStringLiteral("Amount"), amount}});
    folder.Run({QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount, Deductible)"),
                QStringLiteral("VALUES (:ExpID, :AccountID, :Amount, :Amount)")},
               {{QStringLiteral("ExpID"), expId}, {QStringLiteral("AccountID"), accountId}, {QStringLiteral("Amount"), amount}});
}

void Seed(const BenchFolder& folder)
{
    TTransaction transaction(folder.Path());
    for (int m = 0; m < kMembers; ++m)
        folder.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName) VALUES (:First, 'Miller')")},
                   {{QStringLiteral("First"), QStringLiteral("Member %1").arg(m)}});
    folder.Run({QStringLiteral("INSERT INTO MEDINS (AccountID, AccountType, AccountName, EffDate, IndDeduct, FamDeduct,"),
                QStringLiteral("IndAnnualMax, FamAnnualMax, IndLifeMax, FamLifeMax, CopayType, PremiumTUnit, Display)"),
                QStringLiteral("VALUES (1, 1, 'Blue', :EffDate, 9000000, 9000000, 9000000, 9000000, 9000000, 9000000,"),
                QStringLiteral("2, -1, 0)")},
               {{QStringLiteral("EffDate"), EncodeDate(2015, 1, 1)}});
    folder.Run({QStringLiteral("INSERT INTO MEDINS (AccountID, AccountType, AccountName, Display) VALUES (2, 5, 'Acme', 0)")}, {});
    folder.Run({QStringLiteral("INSERT INTO MEDYEAR (AccountID, ForYear, Amount) VALUES (2, :Year, 500000)")},
               {{QStringLiteral("Year"), ThisYear()}});
    for (int m = 1; m <= kMembers; ++m)
        folder.Run({QStringLiteral("INSERT INTO MEDCOVER (AccountID, MemberID) VALUES (1, :MemberID)")},
                   {{QStringLiteral("MemberID"), m}});
    int expId = 0;
    for (int n = 0; n < kInsuranceSplits; ++n)
        AddExpenseWithSplit(folder, ++expId, EncodeDate(ThisYear() - n % kYears, 1, 1) + (n / kYears) % 365,
                            kInsurance, n);
    for (int n = 0; n < kReimbursements; ++n)
        AddExpenseWithSplit(folder, ++expId, EncodeDate(ThisYear(), 1, 1) + n % 365, kFsa, n);
    transaction.Commit();
}

void OpenInsuranceDialog(benchmark::State& state)
{
    const BenchHousehold household(Seed);
    CurAccountID = kInsurance;
    for (auto _ : state) {
        TDlgNewInsurance dialog(false);
        benchmark::DoNotOptimize(dialog.MemberCount());
    }
}
BENCHMARK(OpenInsuranceDialog)->Unit(benchmark::kMillisecond);

void OpenFsaDialog(benchmark::State& state)
{
    const BenchHousehold household(Seed);
    CurAccountID = kFsa;
    for (auto _ : state) {
        TDlgAddFSA dialog(false);
        benchmark::DoNotOptimize(dialog.MemberCount());
    }
}
BENCHMARK(OpenFsaDialog)->Unit(benchmark::kMillisecond);

}  // namespace
