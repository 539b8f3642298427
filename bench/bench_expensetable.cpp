// The medical-expense table on a household of 20,000 expenses over ten years
// (2,000 a year, 40,000 split rows, five members): reading one year's rows
// with the patients and sums, and sorting them again by a clicked column.
#include "benchhousehold.h"

#include "health/expensetable.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kExpenses = 20000;
constexpr int kFirstYear = 2015;
constexpr int kYears = 10;
constexpr int kMembers = 5;

void Seed(const BenchFolder& folder)
{
    TTransaction transaction(folder.Path());
    for (int m = 0; m < kMembers; ++m)
        folder.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName) VALUES (:First, 'Miller')")},
                   {{QStringLiteral("First"), m % 2 ? QStringLiteral("Ann") : QStringLiteral("Ben")}});
    for (int n = 0; n < kExpenses; ++n) {
        const int year = kFirstYear + n % kYears;
        const double total = (n * 7919 % 100000) / 100.0;
        const double outOfPocket = (n * 104729 % 2000) / 100.0;
        folder.Run({QStringLiteral("INSERT INTO MEDEXP (ExpID, ExpType, ServiceDate, Description, MemberID,"),
                    QStringLiteral("OfficePaid, MailPaid, TotalExpense, OutofPocket, InsFSAPaid, Doctor, DocAddrID,"),
                    QStringLiteral("CheckupID) VALUES (:ExpID, 0, :ServiceDate, :Description, :MemberID, :Oop, 0,"),
                    QStringLiteral(":Total, :Oop, :Share, :Doctor, 0, 0)")},
                   {{QStringLiteral("ExpID"), n + 1},
                    {QStringLiteral("ServiceDate"), EncodeDate(year, 1, 1) + (n / kYears) % 365},
                    {QStringLiteral("Description"), QStringLiteral("Visit %1").arg(n % 977)},
                    {QStringLiteral("MemberID"), n % kMembers + 1},
                    {QStringLiteral("Total"), QString::number(total)},
                    {QStringLiteral("Oop"), QString::number(outOfPocket)},
                    {QStringLiteral("Share"), QString::number(total - outOfPocket)},
                    {QStringLiteral("Doctor"), QStringLiteral("Dr. %1").arg(n % 113)}});
        for (int account : {1, 2 + n % 3})
            folder.Run({QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount, Deductible)"),
                        QStringLiteral("VALUES (:ExpID, :AccountID, :Amount, 0)")},
                       {{QStringLiteral("ExpID"), n + 1},
                        {QStringLiteral("AccountID"), account},
                        {QStringLiteral("Amount"), QString::number(outOfPocket)}});
    }
    transaction.Commit();
}

void LoadOneYear(benchmark::State& state)
{
    const BenchHousehold household(Seed);
    TExpenseTable table;
    table.SetYear(kFirstYear + 5);
    for (auto _ : state) {
        table.Refill();
        benchmark::DoNotOptimize(table.TotalCents());
    }
    state.counters["rows"] = static_cast<double>(table.Rows().size());
}
BENCHMARK(LoadOneYear)->Unit(benchmark::kMillisecond);

void ResortOneYear(benchmark::State& state)
{
    const BenchHousehold household(Seed);
    TExpenseTable table;
    table.SetYear(kFirstYear + 5);
    table.Refill();
    const TExpenseColumn columns[] = {TExpenseColumn::Date, TExpenseColumn::Total, TExpenseColumn::InsuranceFsa,
                                      TExpenseColumn::OutOfPocket, TExpenseColumn::Description,
                                      TExpenseColumn::Provider};
    size_t n = 0;
    for (auto _ : state)
        table.ColumnClicked(columns[n++ % std::size(columns)]);
    state.counters["rows"] = static_cast<double>(table.Rows().size());
}
BENCHMARK(ResortOneYear)->Unit(benchmark::kMillisecond);

}  // namespace
